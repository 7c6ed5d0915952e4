#pragma once
// The registry object of both programs: a root key, a key path and a value
// name as properties; reads, writes, creates, deletes and lists keys and
// values there, converting between registry value types and QVariant, and
// registers a document type with the shell. Failures are raised as
// ks::RuntimeError with the source "<program>.cRegistry".
#include "platform/runtime/runtime_error.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdint>
#include <optional>
#include <vector>

class cRegistry {
public:
    static constexpr int kCreateFailed = 26001;
    static constexpr int kWriteFailed = -2147194455;   // 0x800469a9
    static constexpr int kEnumerateFailed = -2147194454; // 0x800469aa
    static constexpr int kBadParameterList = -2147194452; // 0x800469ac
    static constexpr int kClassNotDefined = -2147194451; // 0x800469ad
    // The registry's own code for a damaged database, for callers that report one on a read.
    static constexpr int kStoreDamaged = 1009;

    // The root key as a predefined handle value (HKEY_CURRENT_USER ...).
    qint32 ClassKey() const { return classKey_; }
    void setClassKey(qint32 key) { classKey_ = key; }
    // The key path below the root, parts separated by backslashes.
    QString SectionKey() const { return sectionKey_; }
    void setSectionKey(const QString& section) { sectionKey_ = section; }
    // The value name; empty is the key's default value.
    QString ValueKey() const { return valueKey_; }
    void setValueKey(const QString& name) { valueKey_ = name; }
    // The type a write uses; every successful read sets it to the type found.
    qint32 ValueType() const { return valueType_; }
    void setValueType(qint32 type) { valueType_ = type; }
    // What a read gives when the value cannot be read.
    QVariant Default() const { return default_; }
    void setDefault(const QVariant& value) { default_ = value; }

    // Never raises: a missing key or value, or an unreadable store, gives Default.
    QVariant Value();
    void setValue(const QVariant& value);

    // Why the registry database of ClassKey's scope cannot be used (damaged, not a registry
    // file, cannot be opened), once an operation has met it; empty while it is fine. A
    // failed change names it after its own message.
    QString StoreProblem() const;

    bool KeyExists() const;
    bool CreateKey();
    bool DeleteKey();
    bool DeleteValue();
    // Value names in the order the key keeps them; a key that does not open gives none.
    bool EnumerateValues(QStringList& names, qint32& count) const;
    // Subkey names, sorted; a failure while listing raises kEnumerateFailed.
    bool EnumerateSections(QStringList& names, qint32& count) const;

    void CreateEXEAssociation(const QString& exePath, const QString& className, const QString& classDescription,
                              const QString& extension, const QString& openText = {}, bool printFlag = false,
                              const QString& printText = {}, bool newFlag = false, const QString& newText = {},
                              bool installFlag = false, const QString& installText = {}, qint32 iconIndex = -1);
    // items in triples name, text, command. Never raises: returns the refusal,
    // or the failure of the last step that could not be written.
    std::optional<ks::RuntimeError> CreateAdditionalEXEAssociations(const QString& className,
                                                                   const QStringList& items);

private:
    bool openKey(quint32 access, quint32* key) const;
    QVariant readValue(quint32 key);
    // The stored type and bytes of a value by ValueType; raises for a refused value.
    void encode(const QVariant& value, quint32* type, std::vector<std::uint8_t>* bytes) const;
    void writeInBothPlaces(const QString& text);
    ks::RuntimeError error(int number, const QString& description) const;
    // A failure of the store itself: the description, then why the store is unusable, if it is.
    ks::RuntimeError storeError(int number, const QString& description) const;
    QString writeFailure(const QVariant& value) const;
    QString classKeyText() const { return QString::number(classKey_); }

    qint32 classKey_ = 0;
    QString sectionKey_;
    QString valueKey_;
    qint32 valueType_ = 0;
    QVariant default_;
};
