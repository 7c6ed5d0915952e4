#include "container/guid_key.h"

#include "platform/runtime/runtime_error.h"

#include <QUuid>

namespace ks {
namespace {

// The text buffer the system copies into: 36 characters and a terminator,
// padded on the right with blanks.
constexpr int kBufferLength = 37;

class QtGuidSource : public GuidSource {
public:
    long uuidCreate(GuidRecord& guid) override
    {
        guid = recordOf(QUuid::createUuid());
        return 0;
    }
    std::optional<QString> uuidToString(const GuidRecord& guid) override
    {
        QUuid uuid(guid.data1, guid.data2, guid.data3, guid.data4[0], guid.data4[1], guid.data4[2],
                   guid.data4[3], guid.data4[4], guid.data4[5], guid.data4[6], guid.data4[7]);
        return uuid.toString(QUuid::WithoutBraces);
    }
    long coCreateGuid(GuidRecord& guid) override { return uuidCreate(guid); }

private:
    static GuidRecord recordOf(const QUuid& uuid)
    {
        GuidRecord r;
        r.data1 = uuid.data1;
        r.data2 = uuid.data2;
        r.data3 = uuid.data3;
        for (int i = 0; i < 8; ++i)
            r.data4[i] = uuid.data4[i];
        return r;
    }
};

GuidSource* installedSource = nullptr;

QString padded(const QString& text) { return text.leftJustified(kBufferLength, QLatin1Char(' '), true); }

QString braced(const QString& buffer) { return (QLatin1Char('{') + buffer.left(36) + QLatin1Char('}')).toUpper(); }

QString hex(unsigned value, int digits) { return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0')).toUpper(); }

}

GuidSource& systemGuidSource()
{
    static QtGuidSource source;
    return source;
}

void setGuidSource(GuidSource* source) { installedSource = source; }

QString guidText(const GuidRecord& guid)
{
    QString text = hex(guid.data1, 8) + QLatin1Char('-') + hex(guid.data2, 4) + QLatin1Char('-') + hex(guid.data3, 4)
        + QLatin1Char('-') + hex(guid.data4[0], 2) + hex(guid.data4[1], 2) + QLatin1Char('-');
    for (int i = 2; i < 8; ++i)
        text += hex(guid.data4[i], 2);
    return text;
}

QString clsGUID::fallbackText()
{
    GuidSource& source = installedSource ? *installedSource : systemGuidSource();
    GuidRecord guid;
    if (source.coCreateGuid(guid) != 0)
        return QString();
    return guidText(guid);
}

QString clsGUID::CreateGUID()
{
    try {
        GuidSource& source = installedSource ? *installedSource : systemGuidSource();
        GuidRecord guid;
        if (source.uuidCreate(guid) != 0) {
            // Any non-zero status takes the second way, even one that still gave a GUID.
            return braced(padded(fallbackText().left(36).trimmed()));
        }
        std::optional<QString> text = source.uuidToString(guid);
        if (!text)
            return QString();
        return braced(padded(*text));
    } catch (...) {
        return QString();
    }
}

QString GetGUID()
{
    return passingOn("GetGUID", [] { return clsGUID().CreateGUID(); });
}

}
