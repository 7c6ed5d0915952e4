#pragma once
// One main window's document: its path, its modified flag and the lists the
// diagram view works with.
#include "container/document_lists.h"

namespace ks {

class clsfrmMain {
public:
    cHyperlinks& Hyperlinks() { return hyperlinks_; }
    cAttachments& Attachments() { return attachments_; }
    cGroups& Groups() { return groups_; }
    cLevels& Levels() { return levels_; }

    bool Dirty() const { return dirty_; }
    void setDirty(bool dirty) { dirty_ = dirty; }

    QString Database() const { return database_; }
    // Kept in long form: empty when the path cannot be resolved.
    void setDatabase(const QString& path);

private:
    cHyperlinks hyperlinks_;
    cAttachments attachments_;
    cGroups groups_;
    cLevels levels_;
    bool dirty_ = false;
    QString database_;
};

}
