#include "app/ChildWindows.h"

#include "editors/channels/ChannelWindow.h"
#include "editors/features/AudioTonePlayer.h"
#include "editors/features/DtmfWindow.h"
#include "editors/features/OptionFeaturesWindow.h"
#include "editors/features/RogerBeepWindow.h"

// The editor windows the main window can open, with the way each takes over a value still
// being typed before a write.
void RegisterEditorWindows(ChildWindows& windows)
{
    windows.add(ChildKind::ChannelInfo,
                {[](EditorServices& s) -> QWidget* { return new ChannelWindow(s.app, s.prompt, s.events); },
                 [](QWidget* window) {
                     if (auto* channels = qobject_cast<ChannelWindow*>(window))
                         channels->SaveShowGridData();
                 }});
    windows.add(ChildKind::OptFeatures,
                {[](EditorServices& s) -> QWidget* { return new OptionFeaturesWindow(s.app, s.events); },
                 [](QWidget* window) {
                     if (auto* features = qobject_cast<OptionFeaturesWindow*>(window))
                         features->commitPendingEdits();
                 }});
    windows.add(ChildKind::DTMF, {[](EditorServices& s) -> QWidget* { return new DtmfWindow(s.app, s.events); }, {}});
    windows.add(ChildKind::ToneTips, {[](EditorServices& s) -> QWidget* {
                                          TonePlayer* player =
                                              s.makeTonePlayer ? s.makeTonePlayer(nullptr) : new AudioTonePlayer;
                                          return new RogerBeepWindow(s.app, s.events, player);
                                      },
                                      {}});
}
