#include "platform/diagram/undo_log.h"

#include "platform/diagram/diagram_items.h"

#include <QFont>

namespace ks::diagram {

void UndoLog::record(DiagramItem& item, Property property, const QVariant& before, const QVariant& after)
{
    if (replaying_)
        return;
    Change change{&item, property, before, after};
    if (depth_ > 0) {
        open_.push_back(std::move(change));
        return;
    }
    done_.push_back(Step{std::move(change)});
    undone_.clear();
}

void UndoLog::beginAction()
{
    ++depth_;
}

void UndoLog::endAction()
{
    if (depth_ == 0 || --depth_ > 0)
        return;
    if (open_.empty())
        return;
    done_.push_back(std::move(open_));
    open_.clear();
    undone_.clear();
}

void UndoLog::undo()
{
    if (done_.empty())
        return;
    Step step = std::move(done_.back());
    done_.pop_back();
    replaying_ = true;
    for (auto it = step.rbegin(); it != step.rend(); ++it)
        apply(*it, it->before);
    replaying_ = false;
    undone_.push_back(std::move(step));
}

void UndoLog::redo()
{
    if (undone_.empty())
        return;
    Step step = std::move(undone_.back());
    undone_.pop_back();
    replaying_ = true;
    for (const Change& change : step)
        apply(change, change.after);
    replaying_ = false;
    done_.push_back(std::move(step));
}

void UndoLog::clear()
{
    done_.clear();
    undone_.clear();
    open_.clear();
}

void UndoLog::apply(const Change& change, const QVariant& value)
{
    DiagramItem& item = *change.item;
    switch (change.property) {
    case Property::Text:
        item.setText(value.toString());
        break;
    case Property::FillColor:
        static_cast<Node&>(item).setFillColor(value.toUInt());
        break;
    case Property::Font:
        item.setFont(value.value<QFont>());
        break;
    case Property::Alignment:
        item.setAlignment(Qt::Alignment(value.toInt()));
        break;
    }
}

}
