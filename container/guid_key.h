#pragma once
// GUID keys: "{" 8-4-4-4-12 upper-case hexadecimal digits "}", the keys of
// document-state members and tabs that have no key of their own.
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace ks {

// The platform's 16-byte GUID record.
struct GuidRecord {
    std::uint32_t data1 = 0;
    std::uint16_t data2 = 0;
    std::uint16_t data3 = 0;
    std::array<std::uint8_t, 8> data4{};
};

// Where GUIDs come from: the system's creation and text form, and the
// second creation the fallback uses. Status 0 is success, as the system says.
class GuidSource {
public:
    virtual ~GuidSource() = default;
    virtual long uuidCreate(GuidRecord& guid) = 0;
    // The standard 36-character text, or nothing when the conversion fails.
    virtual std::optional<QString> uuidToString(const GuidRecord& guid) = 0;
    virtual long coCreateGuid(GuidRecord& guid) = 0;
};

// Fresh random GUIDs (QUuid); never fails.
GuidSource& systemGuidSource();
// Replaces the source every clsGUID uses; nullptr restores the system's.
void setGuidSource(GuidSource* source);

class clsGUID {
public:
    // The GUID key, or empty text when no GUID could be formatted.
    QString CreateGUID();

private:
    // The 36-character text without braces, or empty text.
    QString fallbackText();
};

// A new GUID key; failures are passed on labelled "GetGUID".
QString GetGUID();

// The 36-character text of a record, digits upper case, every group full width.
QString guidText(const GuidRecord& guid);

}
