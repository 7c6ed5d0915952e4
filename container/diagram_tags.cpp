#include "container/diagram_tags.h"

#include "platform/diagram/diagram_items.h"
#include "platform/runtime/runtime_error.h"

#include <QStringList>

namespace ks::container {

QString GetTaggedValue(const diagram::DiagramItem* obj, const QString& sKey)
{
    if (!obj)
        throw RuntimeError(91, "Object variable or With block variable not set");
    const QString& tag = obj->Tag();
    if (tag.isEmpty())
        return QString();
    const QStringList parts = tag.split(QLatin1Char('|'));
    int found = -1;
    for (int i = 0; i < parts.size(); ++i)
        if (parts[i].left(sKey.size()).compare(sKey, Qt::CaseInsensitive) == 0)
            found = i;
    if (found < 0)
        return QString();
    const QString& part = parts[found];
    const int equals = part.indexOf(QLatin1Char('='));
    return equals < 0 ? part : part.mid(equals + 1);
}

bool nodeInGroup(const QString& sNodeGroup, const QString& sGroupText)
{
    for (const QString& element : sNodeGroup.split(QLatin1Char(',')))
        if (!element.isEmpty() && sGroupText.indexOf(element, 0, Qt::CaseInsensitive) >= 1)
            return true;
    return false;
}

}
