#pragma once
// The records of the document-state model: plain properties, stored as given.
#include "container/guid_key.h"

#include <QString>

namespace ks {

struct cLevel {
    QString Key = GetGUID();
    qint32 color = 0;
    bool Selected = false;
    QString LevelName;
};

struct cGroup {
    QString Key = GetGUID();
    bool Selected = false;
    QString GroupName;
};

// Key is the one its list's add gives it.
struct cAttachment {
    QString Key;
    QString Node;
    bool embed = false;
    QString Filename;
};

struct cHyperlink {
    QString Key;
    QString DestNode;
    QString SliceKey;
    qint16 Slice = 0;
    QString Map;
    QString Node;
};

struct cSlice {
    QString Key;
    qint16 iIndex = 0;
    bool bDeleted = false;
    bool bNew = false;
    QString SliceName;
};

// The attachment dialog's answer. Nothing creates one, and its ShowDialog shows nothing.
struct cfrmAttachment {
    bool Cancel = true;
    bool bEmbed = false;
    QString Filename;
    void ShowDialog() {}
};

}
