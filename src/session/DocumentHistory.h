#pragma once

#include "document/DataRecord.h"

#include <QString>

#include <cstddef>
#include <deque>
#include <memory>

// Undo and redo over whole copies of the document. The history keeps the document as it was
// when the last change was announced; the next announcement that finds the document changed
// turns that copy into an undo step with the announcement's name. Announcements that change
// nothing make no step, and a run of announcements with one name (the keystrokes of one code
// memory, the arrow keys through one selector) makes one step.
class DocumentHistory {
public:
    // A copy is about 50 KB: the default keeps some 10 MB at most.
    static constexpr std::size_t kDefaultLimit = 200;

    explicit DocumentHistory(std::size_t limit = kDefaultLimit);
    ~DocumentHistory();
    DocumentHistory(const DocumentHistory&) = delete;
    DocumentHistory& operator=(const DocumentHistory&) = delete;

    // Forgets every step: `doc` is where the next change starts from.
    void reset(const RadioDocument& doc);
    // `doc` has just been changed by what `name` says. True when a step was added or grown.
    bool record(const RadioDocument& doc, const QString& name);
    // Put back the document before the last step (after the last undone step); false when
    // there is none. What `doc` holds goes to the other side, so the move can be reversed.
    bool undo(RadioDocument& doc);
    bool redo(RadioDocument& doc);

    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    // Names of the step Undo and Redo would take back or do again; empty when there is none.
    QString undoName() const;
    QString redoName() const;
    std::size_t undoCount() const { return undo_.size(); }
    std::size_t redoCount() const { return redo_.size(); }
    std::size_t limit() const { return limit_; }

    // Equal in everything but what the channel window has on show (CurGroup, CurChannel):
    // moving about the channels is no change of the document.
    static bool SameContent(const RadioDocument& a, const RadioDocument& b);

private:
    struct Step {
        std::unique_ptr<RadioDocument> doc;
        QString name;
    };
    static Step copyOf(const RadioDocument& doc, const QString& name);
    bool swap(std::deque<Step>& from, std::deque<Step>& to, RadioDocument& doc);

    std::size_t limit_;
    std::deque<Step> undo_;
    std::deque<Step> redo_;
    std::unique_ptr<RadioDocument> base_;
    // The last step was added by the last announcement: one with the same name grows it.
    bool growable_ = false;
};
