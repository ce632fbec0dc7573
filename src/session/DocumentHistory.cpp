#include "session/DocumentHistory.h"

#include <algorithm>

DocumentHistory::DocumentHistory(std::size_t limit)
    : limit_(std::max<std::size_t>(limit, 1)), base_(std::make_unique<RadioDocument>())
{
}

DocumentHistory::~DocumentHistory() = default;

DocumentHistory::Step DocumentHistory::copyOf(const RadioDocument& doc, const QString& name)
{
    return Step{std::make_unique<RadioDocument>(doc), name};
}

bool DocumentHistory::SameContent(const RadioDocument& a, const RadioDocument& b)
{
    if (!(a.Channels == b.Channels))
        return false;
    DataRecord view = b.Data;
    view.CurGroup = a.Data.CurGroup;
    view.CurChannel = a.Data.CurChannel;
    return a.Data == view;
}

void DocumentHistory::reset(const RadioDocument& doc)
{
    undo_.clear();
    redo_.clear();
    *base_ = doc;
    growable_ = false;
}

bool DocumentHistory::record(const RadioDocument& doc, const QString& name)
{
    if (SameContent(doc, *base_))
        return false;
    if (growable_ && !undo_.empty() && undo_.back().name == name) {
        *base_ = doc;
        // Typed and typed back: the run changed nothing after all, so it is no step.
        if (SameContent(*undo_.back().doc, doc)) {
            undo_.pop_back();
            growable_ = false;
        }
        return true;
    }
    undo_.push_back(Step{std::move(base_), name});
    base_ = std::make_unique<RadioDocument>(doc);
    while (undo_.size() > limit_)
        undo_.pop_front();
    redo_.clear();
    growable_ = true;
    return true;
}

bool DocumentHistory::swap(std::deque<Step>& from, std::deque<Step>& to, RadioDocument& doc)
{
    if (from.empty())
        return false;
    Step step = std::move(from.back());
    from.pop_back();
    to.push_back(copyOf(doc, step.name));
    doc = *step.doc;
    *base_ = doc;
    growable_ = false;
    return true;
}

bool DocumentHistory::undo(RadioDocument& doc)
{
    return swap(undo_, redo_, doc);
}

bool DocumentHistory::redo(RadioDocument& doc)
{
    return swap(redo_, undo_, doc);
}

QString DocumentHistory::undoName() const
{
    return undo_.empty() ? QString() : undo_.back().name;
}

QString DocumentHistory::redoName() const
{
    return redo_.empty() ? QString() : redo_.back().name;
}
