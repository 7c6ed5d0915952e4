#include "container/document_lists.h"

#include <QStringList>

namespace ks {
namespace {

template <class List, class Member>
Member firstSelected(const List& list)
{
    for (const auto& member : list)
        if (member->Selected)
            return member;
    return nullptr;
}

// For each ","-separated element of text, the `to` field of the first member
// whose `from` field equals it exactly; elements without a match add nothing.
template <class List, class Field>
QString mapJoined(const List& list, const QString& text, Field from, Field to)
{
    if (text.isEmpty())
        return QString();
    QString result;
    for (const QString& element : text.split(QLatin1Char(','))) {
        for (const auto& member : list) {
            if ((*member).*from == element) {
                result += (*member).*to + QLatin1Char(',');
                break;
            }
        }
    }
    result.chop(result.isEmpty() ? 0 : 1);
    return result;
}

}

cLevels::Member cLevels::FirstSelectedLevel() const { return firstSelected<cLevels, Member>(*this); }

cLevels::Member cLevels::Create(const QString& sname, bool bSelected, qint32 lColor)
{
    auto level = std::make_shared<cLevel>();
    level->LevelName = sname;
    level->Selected = bSelected;
    level->color = lColor;
    members_.add(level, level->Key);
    return level;
}

QString cLevels::LevelNameForKey(const QString& index) const
{
    if (index.isEmpty())
        return QString();
    for (const auto& level : *this)
        if (level->Key == index)
            return level->LevelName;
    return QString();
}

QString cLevels::KeyForLevelName(const QString& LevelName) const
{
    for (const auto& level : *this)
        if (level->LevelName == LevelName)
            return level->Key;
    return QString();
}

cGroups::Member cGroups::FirstSelectedGroup() const { return firstSelected<cGroups, Member>(*this); }

cGroups::Member cGroups::Create(const QString& sname, bool bSelected)
{
    auto group = std::make_shared<cGroup>();
    group->GroupName = sname;
    group->Selected = bSelected;
    members_.add(group, group->Key);
    return group;
}

QString cGroups::GroupNameForKey(const QString& index) const
{
    return mapJoined(*this, index, &cGroup::Key, &cGroup::GroupName);
}

QString cGroups::KeyForGroupName(const QString& GroupName) const
{
    return mapJoined(*this, GroupName, &cGroup::GroupName, &cGroup::Key);
}

}
