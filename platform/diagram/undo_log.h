#pragma once
// The diagram's undo and redo: each step is the list of property changes made
// by one call, or by every call inside one action, with the values before and
// after, so a step is undone by putting the old values back in reverse order.
#include <QVariant>
#include <vector>

namespace ks::diagram {

class DiagramItem;

class UndoLog {
public:
    enum class Property { Text, FillColor, Font, Alignment };

    void record(DiagramItem& item, Property property, const QVariant& before, const QVariant& after);
    void beginAction();
    void endAction();

    bool canUndo() const { return !done_.empty(); }
    bool canRedo() const { return !undone_.empty(); }
    void undo();
    void redo();
    void clear();

private:
    struct Change {
        DiagramItem* item;
        Property property;
        QVariant before, after;
    };
    using Step = std::vector<Change>;
    static void apply(const Change& change, const QVariant& value);

    std::vector<Step> done_, undone_;
    Step open_;              // the changes of the action in progress
    int depth_ = 0;          // nesting of actions
    bool replaying_ = false; // undo and redo are not recorded again
};

}
