#include "container/cls_mru.h"

#include "common/c_registry.h"
#include "common/paths.h"
#include "container/keyed_list.h"
#include "container/path_system.h"
#include "platform/runtime/app.h"

#include <QFileInfo>

namespace ks {
namespace {

constexpr qint32 kCurrentUser = qint32(0x80000001);
constexpr qint32 kString = 1;
const QString kOrder = QStringLiteral("Order");
const QString kLetters = QStringLiteral("abcdefghijklmnopqrstuvwxyz");

cRegistry valueOf(const QString& name)
{
    cRegistry reg;
    reg.setClassKey(kCurrentUser);
    reg.setSectionKey(clsMRU::section());
    reg.setValueType(kString);
    reg.setValueKey(name);
    return reg;
}

// A registry object gives its default for a value it cannot read; a damaged store would
// make the list read as empty, so the list says why instead, at its first read.
QString read(const QString& name)
{
    cRegistry reg = valueOf(name);
    const QString text = reg.Value().toString();
    if (const QString problem = reg.StoreProblem(); !problem.isEmpty())
        throw RuntimeError(cRegistry::kStoreDamaged,
                           ("The list of recent files cannot be read: " + problem).toStdString(), "clsMRU");
    return text;
}

void write(const QString& name, const QString& text) { valueOf(name).setValue(text); }

QString longForm(const QString& name) { return systemLongPathName(name).value_or(name); }

// Names that differ in case only are one file, unless both exist as two
// files: the file system here tells letter case apart.
bool sameFile(const QString& stored, const QString& file)
{
    if (stored.compare(file, Qt::CaseInsensitive) != 0)
        return false;
    if (stored == file)
        return true;
    const QFileInfo before(stored), now(file);
    return !before.exists() || !now.exists() || before.canonicalFilePath() == now.canonicalFilePath();
}

// The slot for a file: the first free one or the one that holds it already; with
// every slot taken by others, the least recently used one.
QString slotFor(const QString& file)
{
    for (QChar letter : kLetters) {
        const QString stored = read(letter);
        if (stored.isEmpty() || sameFile(stored, file))
            return letter;
    }
    const QString order = read(kOrder);
    if (order.isEmpty())
        return QStringLiteral("a");
    // An order changed from outside may leave slots out: those are reached by
    // no position, so they go before any file the list still shows.
    if (order.size() != clsMRU::kSlots)
        for (QChar letter : kLetters)
            if (!order.contains(letter))
                return letter;
    return order.right(1);
}

}

QString clsMRU::section() { return QStringLiteral("SOFTWARE\\KWEL\\") + App::title() + QStringLiteral("\\MRU"); }

void clsMRU::AddFile(const QString& sFile) const
{
    const QString file = longForm(sFile);
    const QString letter = slotFor(file);
    write(letter, file);
    QString order = read(kOrder);
    order.remove(letter, Qt::CaseSensitive);
    write(kOrder, letter + order);
}

QString clsMRU::File2(const QString& MRU) const { return read(MRU); }

QString clsMRU::File(qint32 MRU) const
{
    if (MRU < 1)
        raiseInvalidArgument();
    const QString order = read(kOrder);
    if (order.size() < MRU)
        return QString();
    return read(order.at(MRU - 1));
}

QStringList clsMRU::GetFiles(qint32* lMax, qint32* lStart) const
{
    qint32 max = lMax ? *lMax : 0, start = lStart ? *lStart : 0;
    max = std::min(max, qint32(kSlots));
    start = std::max(start, qint32(1));
    if (lMax)
        *lMax = max;
    if (lStart)
        *lStart = start;
    QStringList files;
    for (qint32 position = start; position < max; ++position) {
        // As stored: a lower-cased path would name another file here.
        const QString file = File(position);
        if (file.isEmpty())
            break;
        if (FileExists(file))
            files << file;
    }
    return files;
}

}
