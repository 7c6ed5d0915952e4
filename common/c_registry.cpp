#include "common/c_registry.h"

#include "platform/registry/environment.h"
#include "platform/registry/registry_api.h"

#include <QCoreApplication>

#include <limits>
#include <vector>

using namespace ks::registry;

namespace {

// Creating keys, writing and deleting values: query, set, create subkey,
// enumerate, notify, create link.
constexpr REGSAM kChangeAccess = 0x3F;

std::string bytesOf(const QString& text) { return text.toStdString(); }

// A value as text, the way the programs' own conversion shows it.
QString textOf(const QVariant& value)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    if (value.typeId() == QMetaType::QByteArray)
        return QString::fromUtf8(value.toByteArray());
    return value.toString();
}

// A text naming an environment variable is stored as an expandable string:
// a "%" with a further "%" at least two characters after it.
bool holdsReference(const QString& text)
{
    qsizetype first = text.indexOf(QLatin1Char('%'));
    return first >= 0 && text.indexOf(QLatin1Char('%'), first + 2) >= 0;
}

// The 32-bit number of an integer value, or nothing for any other value or
// one that needs more than 32 bits.
std::optional<quint32> dwordOf(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::Short: case QMetaType::UShort:
    case QMetaType::Long: case QMetaType::ULong: case QMetaType::LongLong:
    case QMetaType::Char: case QMetaType::SChar: case QMetaType::UChar:
        break;
    case QMetaType::ULongLong:
        if (value.toULongLong() > std::numeric_limits<quint32>::max())
            return std::nullopt;
        return quint32(value.toULongLong());
    default:
        return std::nullopt;
    }
    qlonglong n = value.toLongLong();
    if (n < std::numeric_limits<qint32>::min() || n > qlonglong(std::numeric_limits<quint32>::max()))
        return std::nullopt;
    return quint32(n);
}

std::vector<std::uint8_t> textBytes(const QString& text)
{
    QByteArray utf8 = text.toUtf8();
    std::vector<std::uint8_t> bytes(utf8.begin(), utf8.end());
    bytes.push_back(0);
    return bytes;
}

QString textFrom(const std::vector<std::uint8_t>& data)
{
    auto size = qsizetype(data.size());
    if (size > 0 && data.back() == 0)
        --size;
    return QString::fromUtf8(reinterpret_cast<const char*>(data.data()), size);
}

quint32 littleEndian(const std::vector<std::uint8_t>& data)
{
    quint32 n = 0;
    for (std::size_t i = 0; i < 4 && i < data.size(); ++i)
        n |= quint32(data[i]) << (8 * i);
    return n;
}

quint32 reversed(quint32 n)
{
    return (n >> 24) | ((n >> 8) & 0xFF00) | ((n << 8) & 0xFF0000) | (n << 24);
}

QVariant decode(DWORD type, const std::vector<std::uint8_t>& data)
{
    switch (type) {
    case REG_SZ:
    case REG_MULTI_SZ:
        return textFrom(data);
    case REG_EXPAND_SZ:
        return QString::fromStdString(ExpandEnvironmentStrings(textFrom(data).toStdString()));
    case REG_DWORD:
        return qint32(littleEndian(data));
    case REG_DWORD_BIG_ENDIAN:
        return qint32(reversed(littleEndian(data)));
    default:
        return QByteArray(reinterpret_cast<const char*>(data.data()), qsizetype(data.size()));
    }
}

// Quotes a program path for a shell command, trimmed of blanks.
QString quotedPath(const QString& path)
{
    QString quoted = path;
    while (quoted.startsWith(QLatin1Char(' ')))
        quoted.remove(0, 1);
    while (quoted.endsWith(QLatin1Char(' ')))
        quoted.chop(1);
    if (!quoted.startsWith(QLatin1Char('"')))
        quoted.prepend(QLatin1Char('"'));
    if (!quoted.endsWith(QLatin1Char('"')) || quoted.size() == 1)
        quoted.append(QLatin1Char('"'));
    return quoted;
}

QString orDefault(const QString& text, const QString& fallback) { return text.isEmpty() ? fallback : text; }

}

ks::RuntimeError cRegistry::error(int number, const QString& description) const
{
    return ks::RuntimeError(number, description.toStdString(),
                            (QCoreApplication::applicationName() + QStringLiteral(".cRegistry")).toStdString());
}

ks::RuntimeError cRegistry::storeError(int number, const QString& description) const
{
    const QString problem = StoreProblem();
    return error(number, problem.isEmpty() ? description : description + QStringLiteral("\r\n") + problem);
}

QString cRegistry::StoreProblem() const { return QString::fromStdString(RegStoreProblem(HKEY(classKey_))); }

QString cRegistry::writeFailure(const QVariant& value) const
{
    return QStringLiteral("Failed to set registry value Key: '") + classKeyText() + QStringLiteral("',Section: '")
        + sectionKey_ + QStringLiteral("',Key: '") + valueKey_ + QStringLiteral("' to value: '") + textOf(value)
        + QStringLiteral("'");
}

bool cRegistry::openKey(quint32 access, quint32* key) const
{
    return RegOpenKeyEx(HKEY(classKey_), bytesOf(sectionKey_), access, key) == ERROR_SUCCESS;
}

bool cRegistry::KeyExists() const
{
    HKEY key;
    if (!openKey(KEY_QUERY_VALUE, &key))
        return false;
    RegCloseKey(key);
    return true;
}

bool cRegistry::CreateKey()
{
    HKEY key;
    if (RegCreateKeyEx(HKEY(classKey_), bytesOf(sectionKey_), kChangeAccess, &key) != ERROR_SUCCESS)
        throw storeError(kCreateFailed, QStringLiteral("Failed to create registry Key: '") + sectionKey_);
    RegCloseKey(key);
    return true;
}

bool cRegistry::DeleteKey()
{
    if (RegDeleteKey(HKEY(classKey_), bytesOf(sectionKey_)) != ERROR_SUCCESS)
        throw storeError(kCreateFailed, QStringLiteral("Failed to delete registry Key: '") + classKeyText()
                                            + QStringLiteral("',Section: '") + sectionKey_);
    return true;
}

bool cRegistry::DeleteValue()
{
    HKEY key;
    const QString place = classKeyText() + QStringLiteral("',Section: '") + sectionKey_;
    if (!openKey(kChangeAccess, &key))
        throw storeError(kCreateFailed,
                         QStringLiteral("Failed to open key '") + place + QStringLiteral("' for delete access"));
    LONG rc = RegDeleteValue(key, bytesOf(valueKey_));
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS)
        throw storeError(kCreateFailed, QStringLiteral("Failed to delete registry Key: '") + place
                                            + QStringLiteral("',Key: '") + valueKey_);
    return true;
}

QVariant cRegistry::Value()
{
    HKEY key;
    if (!openKey(KEY_QUERY_VALUE, &key))
        return default_;
    QVariant result = readValue(key);
    RegCloseKey(key);
    return result;
}

QVariant cRegistry::readValue(quint32 key)
{
    const std::string name = bytesOf(valueKey_);
    DWORD type = REG_NONE;
    DWORD size = 0;
    std::uint8_t probe = 0;
    LONG rc = RegQueryValueEx(key, name, &type, &probe, &size);
    if (rc != ERROR_SUCCESS && rc != ERROR_MORE_DATA)
        return default_;
    valueType_ = qint32(type);
    std::vector<std::uint8_t> data(size);
    if (size && RegQueryValueEx(key, name, nullptr, data.data(), &size) != ERROR_SUCCESS)
        return default_; // changed by another process between the two reads
    data.resize(size);
    return decode(type, data);
}

void cRegistry::encode(const QVariant& value, quint32* type, std::vector<std::uint8_t>* bytes) const
{
    switch (valueType_) {
    case REG_SZ:
    case REG_EXPAND_SZ: {
        QString text = textOf(value);
        *type = holdsReference(text) ? REG_EXPAND_SZ : REG_SZ;
        *bytes = textBytes(text);
        return;
    }
    case REG_BINARY: {
        if (value.typeId() != QMetaType::QByteArray)
            throw error(kCreateFailed, QStringLiteral("Application-defined or object-defined error"));
        QByteArray array = value.toByteArray();
        *type = REG_BINARY;
        bytes->assign(array.begin(), array.end());
        return;
    }
    case REG_DWORD:
    case REG_DWORD_BIG_ENDIAN: {
        // Stored little-endian as REG_DWORD, whichever of the two was asked for.
        auto n = dwordOf(value);
        if (!n)
            throw error(kWriteFailed, writeFailure(value));
        *type = REG_DWORD;
        *bytes = {std::uint8_t(*n), std::uint8_t(*n >> 8), std::uint8_t(*n >> 16), std::uint8_t(*n >> 24)};
        return;
    }
    default:
        throw error(kWriteFailed, writeFailure(value));
    }
}

void cRegistry::setValue(const QVariant& value)
{
    DWORD type;
    std::vector<std::uint8_t> bytes;
    encode(value, &type, &bytes); // refused values raise before anything is created
    HKEY key;
    if (RegCreateKeyEx(HKEY(classKey_), bytesOf(sectionKey_), kChangeAccess, &key) != ERROR_SUCCESS)
        throw storeError(kCreateFailed, writeFailure(value));
    LONG rc = RegSetValueEx(key, bytesOf(valueKey_), type, bytes.data(), DWORD(bytes.size()));
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS)
        throw storeError(kWriteFailed, writeFailure(value));
}

bool cRegistry::EnumerateValues(QStringList& names, qint32& count) const
{
    names.clear();
    count = 0;
    HKEY key;
    if (!openKey(KEY_QUERY_VALUE, &key))
        return true; // a key that does not open has no values
    std::string name;
    for (DWORD i = 0; RegEnumValue(key, i, &name) == ERROR_SUCCESS; ++i)
        names << QString::fromStdString(name);
    RegCloseKey(key);
    count = qint32(names.size());
    return true;
}

bool cRegistry::EnumerateSections(QStringList& names, qint32& count) const
{
    names.clear();
    count = 0;
    HKEY key;
    if (!openKey(KEY_ENUMERATE_SUB_KEYS, &key))
        return true;
    std::string name;
    for (DWORD i = 0;; ++i) {
        LONG rc = RegEnumKeyEx(key, i, &name);
        if (rc == ERROR_NO_MORE_ITEMS)
            break;
        if (rc != ERROR_SUCCESS) {
            RegCloseKey(key);
            names.clear();
            throw storeError(kEnumerateFailed, QString::fromStdString(errorMessage(rc)));
        }
        names << QString::fromStdString(name);
    }
    RegCloseKey(key);
    count = qint32(names.size());
    return true;
}

void cRegistry::writeInBothPlaces(const QString& text)
{
    const QString section = sectionKey_;
    try {
        classKey_ = qint32(HKEY_CLASSES_ROOT);
        setValue(text);
        classKey_ = qint32(HKEY_LOCAL_MACHINE);
        sectionKey_ = QStringLiteral("SOFTWARE\\Classes\\") + section;
        setValue(text);
    } catch (...) {
        sectionKey_ = section;
        throw;
    }
    sectionKey_ = section;
}

void cRegistry::CreateEXEAssociation(const QString& exePath, const QString& className,
                                     const QString& classDescription, const QString& extension,
                                     const QString& openText, bool printFlag, const QString& printText, bool newFlag,
                                     const QString& newText, bool installFlag, const QString& installText,
                                     qint32 iconIndex)
{
    const QString path = quotedPath(exePath);
    const QString shell = className + QStringLiteral("\\shell\\");
    valueType_ = qint32(REG_SZ);
    valueKey_.clear();
    auto write = [this](const QString& section, const QString& text) {
        sectionKey_ = section;
        writeInBothPlaces(text);
    };
    auto verb = [&](const QString& name, const QString& text, const QString& flag) {
        write(shell + name, text);
        write(shell + name + QStringLiteral("\\command"), path + QLatin1Char(' ') + flag + QStringLiteral("\"%1\""));
    };
    write(QLatin1Char('.') + extension, className);
    write(className, classDescription);
    verb(QStringLiteral("open"), orDefault(openText, QStringLiteral("&Open")), QString());
    if (printFlag)
        verb(QStringLiteral("print"), orDefault(printText, QStringLiteral("&Print")), QStringLiteral("/p "));
    if (installFlag)
        verb(QStringLiteral("add"), orDefault(installText, QStringLiteral("&Install ") + extension),
             QStringLiteral("/a "));
    if (newFlag)
        verb(QStringLiteral("new"), orDefault(newText, QStringLiteral("&New")), QStringLiteral("/n "));
    if (iconIndex > -1)
        write(className + QStringLiteral("\\DefaultIcon"), path + QLatin1Char(',') + QString::number(iconIndex));
}

std::optional<ks::RuntimeError> cRegistry::CreateAdditionalEXEAssociations(const QString& className,
                                                                           const QStringList& items)
{
    if (items.size() % 3 != 0)
        return error(kBadParameterList,
                     QStringLiteral("Invalid parameter list passed to CreateAdditionalEXEAssociations - expected "
                                    "Name/Text/Command"));
    sectionKey_ = className;
    // The class is looked for where CreateEXEAssociation puts it, whatever ClassKey holds now.
    HKEY classKey;
    if (RegOpenKeyEx(HKEY_CLASSES_ROOT, bytesOf(className), KEY_QUERY_VALUE, &classKey) != ERROR_SUCCESS)
        return error(kClassNotDefined,
                     QStringLiteral("Error - attempt to create additional associations before class defined."));
    RegCloseKey(classKey);
    std::optional<ks::RuntimeError> reported;
    auto write = [&](const QString& section, const QString& text) {
        valueType_ = qint32(REG_SZ);
        valueKey_.clear();
        sectionKey_ = section;
        try {
            writeInBothPlaces(text);
        } catch (const ks::RuntimeError& e) {
            reported = e; // this step is skipped; the rest still go in
        }
    };
    for (qsizetype i = 0; i + 2 < items.size(); i += 3) {
        const QString verb = className + QStringLiteral("\\shell\\") + items[i];
        write(verb, items[i + 1]);
        write(verb + QStringLiteral("\\command"), items[i + 2]);
    }
    return reported;
}
