#pragma once

#include <QString>

#include <functional>
#include <map>

class DocumentEvents;
class QObject;
class QWidget;
class TonePlayer;
class UserPrompt;
struct AppState;

// The editor windows the main window can host. Each kind has one window name;
// at most one window of a kind is open at a time.
enum class ChildKind { ChannelInfo, OptFeatures, ToneTips, DTMF };

QString ChildWindowName(ChildKind kind); // "frmCommChInfo", "FrmOptFeatures", "FrmToneTips", "FrmDTMF"

// What an editor window is given: the program state it edits in place, the questions it
// asks, and the notices by which the open editors keep each other's lists current.
struct EditorServices {
    AppState& app;
    UserPrompt& prompt;
    DocumentEvents& events;
    // Makes the roger-beep preview's player; by default the machine's sound output.
    std::function<TonePlayer*(QObject* parent)> makeTonePlayer = {};
};

// How to build an editor window and how to make it commit a value still being edited.
// Kinds without an entry are not available yet: showing them does nothing.
struct ChildWindowEntry {
    std::function<QWidget*(EditorServices& services)> create;
    std::function<void(QWidget* window)> commitPendingEdits; // may be empty
};

class ChildWindows {
public:
    void add(ChildKind kind, ChildWindowEntry entry) { entries_[kind] = std::move(entry); }
    const ChildWindowEntry* find(ChildKind kind) const
    {
        const auto it = entries_.find(kind);
        return it == entries_.end() ? nullptr : &it->second;
    }

private:
    std::map<ChildKind, ChildWindowEntry> entries_;
};

// The editor windows of this program; each editor registers itself here.
void RegisterEditorWindows(ChildWindows& windows);
