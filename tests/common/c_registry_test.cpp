#include "common/c_registry.h"

#include "tests/platform/registry/registry_fixture.h"

#include <QCoreApplication>

#include <cstdlib>
#include <fstream>

using namespace ks::registry;
using ks::test::putValue;
using ks::test::sz;

namespace {

constexpr qint32 kUser = qint32(HKEY_CURRENT_USER);
constexpr qint32 kMachine = qint32(HKEY_LOCAL_MACHINE);
constexpr qint32 kClasses = qint32(HKEY_CLASSES_ROOT);

class cRegistryTest : public ks::test::RegistryTest {
protected:
    void SetUp() override
    {
        RegistryTest::SetUp();
        QCoreApplication::setApplicationName(QStringLiteral("kestrune"));
    }

    static cRegistry at(qint32 root, const QString& section, const QString& name = {}, qint32 type = REG_SZ)
    {
        cRegistry reg;
        reg.setClassKey(root);
        reg.setSectionKey(section);
        reg.setValueKey(name);
        reg.setValueType(type);
        return reg;
    }

    // The stored type and bytes of a value, straight from the store.
    static std::pair<DWORD, std::vector<std::uint8_t>> stored(HKEY root, const std::string& path, const std::string& name)
    {
        HKEY key;
        DWORD type = REG_NONE;
        std::vector<std::uint8_t> data(256);
        DWORD size = DWORD(data.size());
        if (RegOpenKeyEx(root, path, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
            return {REG_NONE, {}};
        LONG rc = RegQueryValueEx(key, name, &type, data.data(), &size);
        RegCloseKey(key);
        data.resize(rc == ERROR_SUCCESS ? size : 0);
        return {rc == ERROR_SUCCESS ? type : DWORD(-1), data};
    }

    template <class Body>
    static ks::RuntimeError raised(Body&& body)
    {
        try {
            body();
        } catch (const ks::RuntimeError& e) {
            return e;
        }
        return ks::RuntimeError(0, "nothing raised");
    }
};

}

TEST_F(cRegistryTest, TextIsExpandableOnlyWhenItHoldsAReference)
{
    struct Case { const char* text; qint32 asked; DWORD stored; };
    const Case cases[] = {
        {"100%", REG_SZ, REG_SZ},        {"%%", REG_SZ, REG_SZ},           {"a%%b", REG_EXPAND_SZ, REG_SZ},
        {"%a%", REG_SZ, REG_EXPAND_SZ},  {"%%x%", REG_SZ, REG_EXPAND_SZ}, {"plain", REG_EXPAND_SZ, REG_SZ},
    };
    for (const auto& c : cases) {
        auto reg = at(kUser, "Software\\Text", "v", c.asked);
        reg.setValue(QString::fromUtf8(c.text));
        auto [type, data] = stored(HKEY_CURRENT_USER, "Software\\Text", "v");
        EXPECT_EQ(type, c.stored) << c.text;
        EXPECT_EQ(data, sz(c.text)) << "stored with its terminator";
    }
    auto reg = at(kUser, "Software\\Text", "n");
    reg.setValue(42);
    reg.setValue(QVariant(true));
    EXPECT_EQ(at(kUser, "Software\\Text", "n").Value(), QVariant(QStringLiteral("True")));
}

TEST_F(cRegistryTest, ReadsExpandVariablesAndSetTheTypeFound)
{
    setenv("KS_CREG_HOME", "/home/coach", 1);
    at(kUser, "Software\\Env", "path").setValue(QStringLiteral("%KS_CREG_HOME%\\notes"));
    at(kUser, "Software\\Env", "unknown").setValue(QStringLiteral("%KS_CREG_NONE%\\x"));
    auto reg = at(kUser, "Software\\Env", "path", 0);
    EXPECT_EQ(reg.Value(), QVariant(QStringLiteral("/home/coach\\notes")));
    EXPECT_EQ(reg.ValueType(), qint32(REG_EXPAND_SZ));
    reg.setValueKey(QStringLiteral("unknown"));
    EXPECT_EQ(reg.Value(), QVariant(QStringLiteral("%KS_CREG_NONE%\\x")));

    ASSERT_EQ(putValue(HKEY_CURRENT_USER, "Software\\Env", "multi", REG_MULTI_SZ, {'a', 0, 'b', 0, 0}), ERROR_SUCCESS);
    reg.setValueKey(QStringLiteral("multi"));
    EXPECT_EQ(reg.Value().toString(), QString::fromUtf8("a\0b\0", 4));
    EXPECT_EQ(reg.ValueType(), qint32(REG_MULTI_SZ));
}

TEST_F(cRegistryTest, ThirtyTwoBitValuesAndTheirByteOrder)
{
    ASSERT_EQ(putValue(HKEY_CURRENT_USER, "Software\\N", "le", REG_DWORD, {1, 2, 3, 4}), ERROR_SUCCESS);
    ASSERT_EQ(putValue(HKEY_CURRENT_USER, "Software\\N", "be", REG_DWORD_BIG_ENDIAN, {1, 2, 3, 4}), ERROR_SUCCESS);
    auto reg = at(kUser, "Software\\N", "le", REG_SZ);
    EXPECT_EQ(reg.Value(), QVariant(qint32(0x04030201)));
    EXPECT_EQ(reg.ValueType(), qint32(REG_DWORD));
    reg.setValueKey(QStringLiteral("be"));
    EXPECT_EQ(reg.Value(), QVariant(qint32(0x01020304)));
    EXPECT_EQ(reg.ValueType(), qint32(REG_DWORD_BIG_ENDIAN));

    // Written little-endian as REG_DWORD, even when asked for big-endian.
    auto big = at(kUser, "Software\\N", "w", REG_DWORD_BIG_ENDIAN);
    big.setValue(qint32(0x01020304));
    EXPECT_EQ(stored(HKEY_CURRENT_USER, "Software\\N", "w"),
              (std::pair<DWORD, std::vector<std::uint8_t>>{REG_DWORD, {4, 3, 2, 1}}));
    auto dword = at(kUser, "Software\\N", "w", REG_DWORD);
    for (QVariant ok : {QVariant(qint16(-2)), QVariant(-1), QVariant(qlonglong(0xFFFFFFFF)), QVariant(quint32(7))}) {
        dword.setValue(ok);
        EXPECT_EQ(dword.Value(), QVariant(qint32(ok.toLongLong()))) << ok.toString().toStdString();
    }
}

TEST_F(cRegistryTest, ThirtyTwoBitWriteOfANonIntegerRaisesAndStoresNothing)
{
    auto reg = at(kUser, "Software\\N", "RB_Bar", REG_DWORD);
    reg.setValue(2);
    for (QVariant bad : {QVariant(QStringLiteral("12")), QVariant(2.5), QVariant(qlonglong(1) << 32),
                         QVariant(qlonglong(-2147483649LL)), QVariant(true), QVariant()})
        EXPECT_EQ(raised([&] { reg.setValue(bad); }).number(), cRegistry::kWriteFailed) << bad.toString().toStdString();
    EXPECT_EQ(raised([&] { reg.setValue(QStringLiteral("12")); }).description(),
              "Failed to set registry value Key: '-2147483647',Section: 'Software\\N',Key: 'RB_Bar' to value: '12'");
    EXPECT_EQ(reg.Value(), QVariant(2));
}

TEST_F(cRegistryTest, BinaryValuesRoundTripExactly)
{
    const std::vector<std::uint8_t> bytes{0, 1, 2, 0xFF, 0};
    ASSERT_EQ(putValue(HKEY_CURRENT_USER, "Software\\Bin", "b", REG_BINARY, bytes), ERROR_SUCCESS);
    auto reg = at(kUser, "Software\\Bin", "b");
    QVariant read = reg.Value();
    ASSERT_EQ(read.typeId(), QMetaType::QByteArray);
    EXPECT_EQ(read.toByteArray(), QByteArray("\0\1\2\xFF\0", 5));
    EXPECT_EQ(reg.ValueType(), qint32(REG_BINARY));
    reg.setValue(read);
    EXPECT_EQ(stored(HKEY_CURRENT_USER, "Software\\Bin", "b"), (std::pair<DWORD, std::vector<std::uint8_t>>{REG_BINARY, bytes}));

    reg.setValue(QByteArray());
    EXPECT_EQ(reg.Value(), QVariant(QByteArray()));
    auto e = raised([&] { reg.setValue(QStringLiteral("text")); });
    EXPECT_EQ(e.number(), cRegistry::kCreateFailed);
    EXPECT_EQ(e.description(), "Application-defined or object-defined error");
}

TEST_F(cRegistryTest, ReadsGiveTheDefaultAndNeverRaise)
{
    auto reg = at(kUser, "Software\\Missing", "v", REG_DWORD);
    EXPECT_FALSE(reg.Value().isValid());
    reg.setDefault(2);
    EXPECT_EQ(reg.Value(), QVariant(2));
    EXPECT_EQ(reg.ValueType(), qint32(REG_DWORD));
    at(kUser, "Software\\Present", "other").setValue(QStringLiteral("x"));
    reg.setSectionKey(QStringLiteral("SOFTWARE\\present"));
    EXPECT_EQ(reg.Value(), QVariant(2));
    reg.setValueKey(QStringLiteral("OTHER"));
    EXPECT_EQ(reg.Value(), QVariant(QStringLiteral("x")));
    reg.setClassKey(0);
    EXPECT_EQ(reg.Value(), QVariant(2));

    auto docs = at(kUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Personal");
    EXPECT_EQ(docs.Value().toString().toStdString(), this->docs());
}

TEST_F(cRegistryTest, FailuresCarryTheirNumbersDescriptionsAndSource)
{
    auto reg = at(kUser, "Software\\Keep", "v", REG_SZ);
    reg.setValue(QStringLiteral("old"));
    for (qint32 refused : {0, 6, 7, 11}) {
        reg.setValueType(refused);
        auto e = raised([&] { reg.setValue(QStringLiteral("new")); });
        EXPECT_EQ(e.number(), cRegistry::kWriteFailed);
        EXPECT_EQ(e.source(), "kestrune.cRegistry");
        EXPECT_EQ(e.description(),
                  "Failed to set registry value Key: '-2147483647',Section: 'Software\\Keep',Key: 'v' to value: 'new'");
    }
    EXPECT_EQ(at(kUser, "Software\\Keep", "v").Value(), QVariant(QStringLiteral("old")));

    auto missing = at(kUser, "Software\\Nope", "v");
    EXPECT_EQ(raised([&] { missing.DeleteKey(); }).description(),
              "Failed to delete registry Key: '-2147483647',Section: 'Software\\Nope");
    EXPECT_EQ(raised([&] { missing.DeleteValue(); }).description(),
              "Failed to open key '-2147483647',Section: 'Software\\Nope' for delete access");
    auto keep = at(kUser, "Software\\Keep", "absent");
    auto e = raised([&] { keep.DeleteValue(); });
    EXPECT_EQ(e.number(), cRegistry::kCreateFailed);
    EXPECT_EQ(e.description(), "Failed to delete registry Key: '-2147483647',Section: 'Software\\Keep',Key: 'absent");

    configure(true);
    auto machine = at(kMachine, "SOFTWARE\\Talvane\\Quillfen", "DontStartup");
    e = raised([&] { machine.CreateKey(); });
    EXPECT_EQ(e.number(), cRegistry::kCreateFailed);
    EXPECT_EQ(e.description(), "Failed to create registry Key: 'SOFTWARE\\Talvane\\Quillfen");
    e = raised([&] { machine.setValue(QStringLiteral("1")); });
    EXPECT_EQ(e.number(), cRegistry::kCreateFailed);
    EXPECT_EQ(e.description(), "Failed to set registry value Key: '-2147483646',Section: 'SOFTWARE\\Talvane\\Quillfen',"
                               "Key: 'DontStartup' to value: '1'");
    QCoreApplication::setApplicationName(QStringLiteral("container"));
    EXPECT_EQ(raised([&] { machine.CreateKey(); }).source(), "container.cRegistry");
}

TEST_F(cRegistryTest, KeysAreCreatedDeletedAndListed)
{
    auto reg = at(kUser, "Software\\KWEL\\Title\\MRU");
    EXPECT_FALSE(reg.KeyExists());
    EXPECT_TRUE(reg.CreateKey());
    EXPECT_TRUE(reg.KeyExists());
    QStringList names{QStringLiteral("stale")};
    qint32 count = 9;
    EXPECT_TRUE(reg.EnumerateValues(names, count));
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(names.isEmpty());
    for (const char* letter : {"c", "a", "Order", "b"}) {
        reg.setValueKey(QString::fromLatin1(letter));
        reg.setValue(QStringLiteral("x"));
    }
    EXPECT_TRUE(reg.EnumerateValues(names, count));
    EXPECT_EQ(names, (QStringList{"c", "a", "Order", "b"}));
    EXPECT_EQ(count, 4);

    auto parent = at(kUser, "Software\\KWEL\\Title");
    for (const char* sub : {"zeta", "Alpha"})
        at(kUser, QStringLiteral("Software\\KWEL\\Title\\") + QString::fromLatin1(sub)).CreateKey();
    EXPECT_TRUE(parent.EnumerateSections(names, count));
    EXPECT_EQ(names, (QStringList{"Alpha", "MRU", "zeta"}));
    EXPECT_EQ(count, 3);
    EXPECT_THROW(parent.DeleteKey(), ks::RuntimeError); // still has subkeys
    reg.setValueKey(QStringLiteral("A"));
    EXPECT_TRUE(reg.DeleteValue());
    EXPECT_TRUE(reg.EnumerateValues(names, count));
    EXPECT_EQ(names, (QStringList{"c", "Order", "b"}));
    EXPECT_TRUE(reg.DeleteKey());
    EXPECT_FALSE(reg.KeyExists());
    EXPECT_TRUE(reg.EnumerateSections(names, count));
    EXPECT_EQ(count, 0);
}

TEST_F(cRegistryTest, AssociationsAreWrittenInBothPlaces)
{
    cRegistry reg;
    reg.CreateEXEAssociation(QStringLiteral("  /opt/ks/kestrune "), QStringLiteral("Kestrune.Scorecard"),
                             QStringLiteral("Scorecard"), QStringLiteral("vqa"), {}, true, {}, false, {}, true, {}, 0);
    const std::string q = "\"/opt/ks/kestrune\"";
    const std::pair<std::string, std::string> expected[] = {
        {".vqa", "Kestrune.Scorecard"},
        {"Kestrune.Scorecard", "Scorecard"},
        {"Kestrune.Scorecard\\shell\\open", "&Open"},
        {"Kestrune.Scorecard\\shell\\open\\command", q + " \"%1\""},
        {"Kestrune.Scorecard\\shell\\print", "&Print"},
        {"Kestrune.Scorecard\\shell\\print\\command", q + " /p \"%1\""},
        {"Kestrune.Scorecard\\shell\\add", "&Install vqa"},
        {"Kestrune.Scorecard\\shell\\add\\command", q + " /a \"%1\""},
        {"Kestrune.Scorecard\\DefaultIcon", q + ",0"},
    };
    for (const auto& [key, text] : expected) {
        EXPECT_EQ(stored(HKEY_CLASSES_ROOT, key, ""), (std::pair<DWORD, std::vector<std::uint8_t>>{REG_SZ, sz(text)})) << key;
        EXPECT_EQ(stored(HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes\\" + key, ""), stored(HKEY_CLASSES_ROOT, key, "")) << key;
    }
    EXPECT_FALSE(at(kClasses, "Kestrune.Scorecard\\shell\\new").KeyExists());
    EXPECT_EQ(reg.ClassKey(), kMachine);
    EXPECT_EQ(reg.ValueType(), qint32(REG_SZ));
    EXPECT_EQ(reg.ValueKey(), QString());
    EXPECT_EQ(reg.SectionKey(), QStringLiteral("Kestrune.Scorecard\\DefaultIcon"));

    // ClassKey is left at HKEY_LOCAL_MACHINE, yet the class is found where it was put.
    auto reported = reg.CreateAdditionalEXEAssociations(
        QStringLiteral("Kestrune.Scorecard"), {"edit", "&Edit", "ed %1", "view", "&View", "vw %1"});
    EXPECT_FALSE(reported.has_value());
    for (const auto& [key, text] : std::initializer_list<std::pair<std::string, std::string>>{
             {"shell\\edit", "&Edit"}, {"shell\\edit\\command", "ed %1"},
             {"shell\\view", "&View"}, {"shell\\view\\command", "vw %1"}}) {
        EXPECT_EQ(stored(HKEY_CLASSES_ROOT, "Kestrune.Scorecard\\" + key, "").second, sz(text));
        EXPECT_EQ(stored(HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes\\Kestrune.Scorecard\\" + key, "").second, sz(text));
    }
    EXPECT_EQ(reg.SectionKey(), QStringLiteral("Kestrune.Scorecard\\shell\\view\\command"));
}

TEST_F(cRegistryTest, AdditionalAssociationsRefuseWithoutRaising)
{
    cRegistry reg;
    auto reported = reg.CreateAdditionalEXEAssociations(QStringLiteral("Kestrune.Scorecard"), {"a", "b", "c", "d"});
    ASSERT_TRUE(reported.has_value());
    EXPECT_EQ(reported->number(), cRegistry::kBadParameterList);
    EXPECT_EQ(reported->description(),
              "Invalid parameter list passed to CreateAdditionalEXEAssociations - expected Name/Text/Command");
    reported = reg.CreateAdditionalEXEAssociations(QStringLiteral("Kestrune.Scorecard"), {"a", "b", "c"});
    ASSERT_TRUE(reported.has_value());
    EXPECT_EQ(reported->number(), cRegistry::kClassNotDefined);
    EXPECT_EQ(reported->description(), "Error - attempt to create additional associations before class defined.");
    EXPECT_EQ(reported->source(), "kestrune.cRegistry");
    EXPECT_FALSE(at(kClasses, "Kestrune.Scorecard").KeyExists());

    // A write that fails is skipped and reported, not raised.
    reg.CreateEXEAssociation(QStringLiteral("/opt/ks/kestrune"), QStringLiteral("Kestrune.Scorecard"),
                             QStringLiteral("Scorecard"), QStringLiteral("vqa"));
    configure(true);
    reported = reg.CreateAdditionalEXEAssociations(QStringLiteral("Kestrune.Scorecard"), {"edit", "&Edit", "ed"});
    ASSERT_TRUE(reported.has_value());
    EXPECT_EQ(reported->number(), cRegistry::kCreateFailed);
    EXPECT_FALSE(at(kClasses, "Kestrune.Scorecard\\shell\\edit").KeyExists());
}

TEST_F(cRegistryTest, DamagedStoreGivesDefaultsAndRaisesOnWrites)
{
    at(kUser, "Software\\Talvane\\Quillfen", "DontStartup").setValue(QStringLiteral("1"));
    configure();
    auto file = std::filesystem::path(userFolder()) / kUserStoreFile;
    {
        std::fstream io(file, std::ios::binary | std::ios::in | std::ios::out);
        io.write("garbage, not a header", 21);
    }
    auto reg = at(kUser, "Software\\Talvane\\Quillfen", "DontStartup");
    reg.setDefault(QStringLiteral("0"));
    EXPECT_EQ(reg.Value(), QVariant(QStringLiteral("0")));
    EXPECT_FALSE(reg.KeyExists());
    QStringList names;
    qint32 count;
    EXPECT_TRUE(reg.EnumerateSections(names, count));
    EXPECT_EQ(count, 0);
    // The damage is named by the store's scope, and after the write's own message.
    const std::string problem = file.string() + ": file is not a database; the registry file is left as it is";
    EXPECT_EQ(reg.StoreProblem().toStdString(), problem);
    EXPECT_EQ(at(kMachine, "Software", "x").StoreProblem(), QString()) << "the other scope is fine";
    auto e = raised([&] { reg.setValue(QStringLiteral("0")); });
    EXPECT_EQ(e.number(), cRegistry::kCreateFailed);
    EXPECT_EQ(e.description(), "Failed to set registry value Key: '-2147483647',Section: 'Software\\Talvane\\Quillfen',"
                               "Key: 'DontStartup' to value: '0'\r\n" + problem);
    EXPECT_FALSE(ks::registry::storeProblem().empty());
}
