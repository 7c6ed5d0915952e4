#pragma once
// The four lists of a document's state: levels and groups that diagram nodes
// belong to, attachments and hyperlinks of nodes.
#include "container/document_members.h"
#include "container/keyed_list.h"

namespace ks {

// What the four lists share: removal, count, clearing and enumeration.
template <class T>
class DocumentList {
public:
    using Member = std::shared_ptr<T>;

    // A missing key fails with 5, a position out of range with 9.
    void Remove(qint32 position) { members_.remove(position); }
    void Remove(const QString& key) { members_.remove(key); }
    qint32 count() const { return members_.count(); }
    // Members handed out before stay usable.
    void Clear() { members_.clear(); }
    auto begin() const { return members_.begin(); }
    auto end() const { return members_.end(); }

protected:
    // Lists whose Item answers a failed lookup with no member.
    template <class Index>
    Member itemOrNone(const Index& index) const
    {
        try {
            return members_.item(index);
        } catch (const RuntimeError&) {
            return nullptr;
        }
    }

    KeyedList<T> members_;
};

class cLevels : public DocumentList<cLevel> {
public:
    Member Item(qint32 position) const { return itemOrNone(position); }
    Member Item(const QString& key) const { return itemOrNone(key); }
    Member FirstSelectedLevel() const;
    Member Create(const QString& sname, bool bSelected, qint32 lColor);
    QString LevelNameForKey(const QString& index) const;
    QString KeyForLevelName(const QString& LevelName) const;
};

class cGroups : public DocumentList<cGroup> {
public:
    Member Item(qint32 position) const { return itemOrNone(position); }
    Member Item(const QString& key) const { return itemOrNone(key); }
    Member FirstSelectedGroup() const;
    Member Create(const QString& sname, bool bSelected);
    // Several keys (or names) joined by "," give the matching names (or keys) joined the same way.
    QString GroupNameForKey(const QString& index) const;
    QString KeyForGroupName(const QString& GroupName) const;
};

// Lists whose members take the key add gives them; Item passes failures on.
template <class T>
class AddedList : public DocumentList<T> {
public:
    using Member = std::shared_ptr<T>;

    Member Item(qint32 position) const { return this->members_.item(position); }
    Member Item(const QString& key) const { return this->members_.item(key); }

    // An empty key becomes a new GUID key, handed back through key.
    Member add(QString& key)
    {
        if (key.isEmpty())
            key = GetGUID();
        auto member = std::make_shared<T>();
        member->Key = key;
        this->members_.add(member, key);
        return member;
    }
    Member add()
    {
        QString key;
        return add(key);
    }
};

class cAttachments : public AddedList<cAttachment> {};
class cHyperlinks : public AddedList<cHyperlink> {};

}
