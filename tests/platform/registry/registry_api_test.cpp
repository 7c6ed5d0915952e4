#include "tests/platform/registry/registry_fixture.h"

#include "platform/registry/environment.h"

#include <cstdlib>

using namespace ks::registry;
using ks::test::putValue;
using ks::test::RegistryTest;
using ks::test::sz;

namespace {

std::vector<std::uint8_t> query(HKEY root, const std::string& path, const std::string& name, DWORD* type = nullptr)
{
    HKEY key;
    std::vector<std::uint8_t> data(64);
    DWORD size = DWORD(data.size());
    if (RegOpenKeyEx(root, path, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return {};
    LONG rc = RegQueryValueEx(key, name, type, data.data(), &size);
    RegCloseKey(key);
    data.resize(rc == ERROR_SUCCESS ? size : 0);
    return data;
}

std::vector<std::string> subKeys(HKEY root, const std::string& path)
{
    HKEY key;
    std::vector<std::string> names;
    std::string name;
    if (RegOpenKeyEx(root, path, KEY_ENUMERATE_SUB_KEYS, &key) != ERROR_SUCCESS)
        return names;
    for (DWORD i = 0; RegEnumKeyEx(key, i, &name) == ERROR_SUCCESS; ++i)
        names.push_back(name);
    RegCloseKey(key);
    return names;
}

}

TEST_F(RegistryTest, SizesAndTheMoreDataAnswer)
{
    ASSERT_EQ(putValue(HKEY_CURRENT_USER, "Software\\T", "Name", REG_SZ, sz("hello")), ERROR_SUCCESS);
    HKEY key;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\T", KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
    DWORD type = 0, size = 0;
    EXPECT_EQ(RegQueryValueEx(key, "Name", &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(size, 6u);
    std::uint8_t small[3];
    size = sizeof small;
    EXPECT_EQ(RegQueryValueEx(key, "Name", &type, small, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 6u);
    std::uint8_t big[10] = {};
    size = sizeof big;
    EXPECT_EQ(RegQueryValueEx(key, "Name", &type, big, &size), ERROR_SUCCESS);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(big)), "hello");
    EXPECT_EQ(RegQueryValueEx(key, "Missing", &type, nullptr, &size), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
    EXPECT_EQ(RegQueryValueEx(key, "Name", &type, nullptr, &size), ERROR_INVALID_HANDLE);
}

TEST_F(RegistryTest, NamesIgnoreCaseAndKeepTheirFirstSpelling)
{
    ASSERT_EQ(putValue(HKEY_CURRENT_USER, "Software\\Talvane\\Quillfen", "DontStartup", REG_SZ, sz("1")), ERROR_SUCCESS);
    ASSERT_EQ(putValue(HKEY_CURRENT_USER, "SOFTWARE\\talvane\\QUILLFEN", "dontstartup", REG_SZ, sz("0")), ERROR_SUCCESS);
    EXPECT_EQ(query(HKEY_CURRENT_USER, "software\\TALVANE\\quillfen", "DONTSTARTUP"), sz("0"));
    EXPECT_EQ(subKeys(HKEY_CURRENT_USER, "Software"), (std::vector<std::string>{"Microsoft", "Talvane"}));
    HKEY key;
    std::string name;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Talvane\\Quillfen", KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
    EXPECT_EQ(RegEnumValue(key, 0, &name), ERROR_SUCCESS);
    EXPECT_EQ(name, "DontStartup");
    EXPECT_EQ(RegEnumValue(key, 1, &name), ERROR_NO_MORE_ITEMS);
    RegCloseKey(key);
    // Latin-1 letters fold too.
    ASSERT_EQ(putValue(HKEY_CURRENT_USER, "Software\\Größe", "x", REG_SZ, sz("1")), ERROR_SUCCESS);
    EXPECT_EQ(query(HKEY_CURRENT_USER, "Software\\GRÖSSE", "x"), std::vector<std::uint8_t>{});
    EXPECT_EQ(query(HKEY_CURRENT_USER, "Software\\GRÖße", "X"), sz("1"));
}

TEST_F(RegistryTest, SubkeysEnumerateSortedAndValuesInCreationOrder)
{
    for (const char* name : {"b", "_x", "C", "a"})
        ASSERT_EQ(putValue(HKEY_CURRENT_USER, std::string("Software\\Order\\") + name, "", REG_SZ, sz("")), ERROR_SUCCESS);
    // Upper-case comparison puts "_" after the letters.
    EXPECT_EQ(subKeys(HKEY_CURRENT_USER, "Software\\Order"), (std::vector<std::string>{"a", "b", "C", "_x"}));

    for (const char* name : {"zeta", "Alpha", "mid"})
        ASSERT_EQ(putValue(HKEY_CURRENT_USER, "Software\\Order", name, REG_SZ, sz(name)), ERROR_SUCCESS);
    ASSERT_EQ(putValue(HKEY_CURRENT_USER, "Software\\Order", "ZETA", REG_DWORD, {1, 0, 0, 0}), ERROR_SUCCESS);
    HKEY key;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Order", KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
    std::vector<std::string> names;
    std::string name;
    DWORD type;
    for (DWORD i = 0; RegEnumValue(key, i, &name, &type) == ERROR_SUCCESS; ++i)
        names.push_back(name);
    EXPECT_EQ(names, (std::vector<std::string>{"zeta", "Alpha", "mid"}));
    KeyInfo info;
    ASSERT_EQ(RegQueryInfoKey(key, &info), ERROR_SUCCESS);
    EXPECT_EQ(info.subKeys, 4u);
    EXPECT_EQ(info.values, 3u);
    EXPECT_EQ(info.maxValueNameLength, 5u);
    EXPECT_EQ(info.maxValueLength, 6u);
    RegCloseKey(key);
}

TEST_F(RegistryTest, CreateMakesEveryLevelAndDeleteRefusesKeysWithSubkeys)
{
    HKEY key;
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "A\\B\\C", KEY_ALL_ACCESS, &key, &disposition), ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    RegCloseKey(key);
    ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "a\\b\\c\\", KEY_ALL_ACCESS, &key, &disposition), ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);

    EXPECT_EQ(RegDeleteKey(HKEY_CURRENT_USER, "A\\B"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteKey(HKEY_CURRENT_USER, "A\\B\\C"), ERROR_SUCCESS);
    // The handle still open on the deleted key says so.
    EXPECT_EQ(RegSetValueEx(key, "v", REG_SZ, nullptr, 0), ERROR_KEY_DELETED);
    RegCloseKey(key);
    EXPECT_EQ(RegDeleteKey(HKEY_CURRENT_USER, "A\\B"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKey(HKEY_CURRENT_USER, "A\\B"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKey(HKEY_CURRENT_USER, ""), ERROR_ACCESS_DENIED);

    ASSERT_EQ(putValue(HKEY_CURRENT_USER, "A", "gone", REG_SZ, sz("x")), ERROR_SUCCESS);
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "A", KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValue(key, "gone"), ERROR_ACCESS_DENIED); // opened for query only
    RegCloseKey(key);
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "A", KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValue(key, "GONE"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValue(key, "gone"), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
}

TEST_F(RegistryTest, BadPathsAndOversizedNamesAreRefusedAndStoreNothing)
{
    HKEY key;
    EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "\\Lead", KEY_ALL_ACCESS, &key), ERROR_BAD_PATHNAME);
    EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "A\\\\B", KEY_ALL_ACCESS, &key), ERROR_BAD_PATHNAME);
    EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, std::string(256, 'k'), KEY_ALL_ACCESS, &key), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegOpenKeyEx(0x12345678, "", KEY_QUERY_VALUE, &key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(putValue(HKEY_CURRENT_USER, "A", std::string(kMaxValueNameLength + 1, 'v'), REG_SZ, sz("")),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(subKeys(HKEY_CURRENT_USER, ""), (std::vector<std::string>{"A", "Software"}));
    HKEY a;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "A", KEY_QUERY_VALUE, &a), ERROR_SUCCESS);
    KeyInfo info;
    ASSERT_EQ(RegQueryInfoKey(a, &info), ERROR_SUCCESS);
    EXPECT_EQ(info.values, 0u);
    RegCloseKey(a);
}

TEST_F(RegistryTest, ClassesRootIsTheMachineScopesSoftwareClasses)
{
    ASSERT_EQ(putValue(HKEY_CLASSES_ROOT, ".kpi", "", REG_SZ, sz("Kestrune.Doc")), ERROR_SUCCESS);
    EXPECT_EQ(query(HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes\\.kpi", ""), sz("Kestrune.Doc"));
    EXPECT_EQ(query(HKEY_CURRENT_USER, "SOFTWARE\\Classes\\.kpi", ""), std::vector<std::uint8_t>{});
    EXPECT_EQ(subKeys(HKEY_CLASSES_ROOT, ""), std::vector<std::string>{".kpi"});
    EXPECT_EQ(RegDeleteKey(HKEY_CLASSES_ROOT, ""), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteKey(HKEY_CLASSES_ROOT, ".KPI"), ERROR_SUCCESS);
    EXPECT_EQ(subKeys(HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes"), std::vector<std::string>{});
}

TEST_F(RegistryTest, ReadOnlyMachineScopeIsReadableButRefusesChanges)
{
    ASSERT_EQ(putValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", REG_SZ, sz("/bin/true")),
              ERROR_SUCCESS);
    configure(true);
    EXPECT_EQ(query(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH"), sz("/bin/true"));
    HKEY key;
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", 131135, &key),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(putValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\New", "x", REG_SZ, sz("1")), ERROR_ACCESS_DENIED);
    EXPECT_EQ(putValue(HKEY_CLASSES_ROOT, ".kpi", "", REG_SZ, sz("1")), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(query(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH"), sz("/bin/true"));

    // A machine scope that was never written reads as empty and makes no file.
    temp.write("empty/.keep", "");
    configureStore(StoreSetup{userFolder(), temp.str() + "/empty", docs(), true});
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE", KEY_QUERY_VALUE, &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(subKeys(HKEY_LOCAL_MACHINE, ""), std::vector<std::string>{});
    EXPECT_FALSE(std::filesystem::exists(temp.path() / "empty" / kMachineStoreFile));
}

TEST_F(RegistryTest, UserScopeAnswersTheDocumentsFolder)
{
    EXPECT_EQ(query(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Personal"),
              sz(docs()));
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(userFolder()) / kUserStoreFile));
}

TEST(RegistryEnvironment, ExpandsKnownNamesAndLeavesUnknownOnesAsWritten)
{
    setenv("KS_REG_TEST_DIR", "/opt/ks", 1);
    EXPECT_EQ(ExpandEnvironmentStrings("%KS_REG_TEST_DIR%\\bin"), "/opt/ks\\bin");
    EXPECT_EQ(ExpandEnvironmentStrings("%ks_reg_test_dir%"), "/opt/ks");
    EXPECT_EQ(ExpandEnvironmentStrings("%KS_NO_SUCH_VAR%\\x"), "%KS_NO_SUCH_VAR%\\x");
    EXPECT_EQ(ExpandEnvironmentStrings("100%"), "100%");
    EXPECT_EQ(ExpandEnvironmentStrings("%%"), "%%");
    EXPECT_EQ(ExpandEnvironmentStrings("50% of %KS_REG_TEST_DIR%"), "50% of /opt/ks");
}
