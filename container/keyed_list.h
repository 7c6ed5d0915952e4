#pragma once
// The list behind the document-state collections: members in the order added,
// positions from 1, unique text keys compared without regard to letter case.
#include "platform/runtime/runtime_error.h"

#include <QString>

#include <memory>
#include <utility>
#include <vector>

namespace ks {

inline constexpr int kErrInvalidArgument = 5;
inline constexpr int kErrSubscript = 9;
inline constexpr int kErrDuplicateKey = 457;

[[noreturn]] void raiseInvalidArgument();
[[noreturn]] void raiseOutOfRange();
[[noreturn]] void raiseDuplicateKey();

template <class T>
class KeyedList {
public:
    using Member = std::shared_ptr<T>;

    // Fails with 457 and leaves the list as it was when the key is taken.
    void add(Member member, const QString& key)
    {
        if (find(key) >= 0)
            raiseDuplicateKey();
        entries_.push_back({key, std::move(member)});
    }

    const Member& item(qint32 position) const { return entries_[indexOf(position)].second; }
    const Member& item(const QString& key) const { return entries_[indexOf(key)].second; }

    void remove(qint32 position) { entries_.erase(entries_.begin() + qsizetype(indexOf(position))); }
    void remove(const QString& key) { entries_.erase(entries_.begin() + qsizetype(indexOf(key))); }

    qint32 count() const { return qint32(entries_.size()); }
    void clear() { entries_ = {}; }

    // Enumeration yields the members in list order.
    class iterator {
    public:
        using Inner = typename std::vector<std::pair<QString, Member>>::const_iterator;
        explicit iterator(Inner it) : it_(it) {}
        const Member& operator*() const { return it_->second; }
        iterator& operator++()
        {
            ++it_;
            return *this;
        }
        bool operator!=(const iterator& other) const { return it_ != other.it_; }

    private:
        Inner it_;
    };
    iterator begin() const { return iterator(entries_.begin()); }
    iterator end() const { return iterator(entries_.end()); }

private:
    using Entries = std::vector<std::pair<QString, Member>>;

    // The index of the member under key, or -1.
    qsizetype find(const QString& key) const
    {
        for (std::size_t i = 0; i < entries_.size(); ++i)
            if (entries_[i].first.compare(key, Qt::CaseInsensitive) == 0)
                return qsizetype(i);
        return -1;
    }
    std::size_t indexOf(const QString& key) const
    {
        qsizetype at = find(key);
        if (at < 0)
            raiseInvalidArgument();
        return std::size_t(at);
    }
    std::size_t indexOf(qint32 position) const
    {
        if (position < 1 || position > count())
            raiseOutOfRange();
        return std::size_t(position - 1);
    }

    Entries entries_;
};

}
