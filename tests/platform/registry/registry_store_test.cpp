// Two writers at once, and databases that are damaged or not ours.
#include "tests/platform/registry/registry_fixture.h"

#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sqlite3.h>

using namespace ks::registry;
using ks::test::putValue;
using ks::test::RegistryTest;
using ks::test::sz;

namespace {

constexpr int kWrites = 150;

int writeMany(const std::string& prefix)
{
    int failures = 0;
    for (int i = 0; i < kWrites; ++i) {
        std::string n = std::to_string(i);
        failures += putValue(HKEY_CURRENT_USER, "Software\\Race\\Shared", prefix + n, REG_SZ, sz(n)) != ERROR_SUCCESS;
        failures += putValue(HKEY_CURRENT_USER, "Software\\Race\\" + prefix + n, "", REG_SZ, sz(n)) != ERROR_SUCCESS;
    }
    return failures;
}

DWORD countValues(HKEY root, const std::string& path)
{
    HKEY key;
    KeyInfo info;
    if (RegOpenKeyEx(root, path, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS || RegQueryInfoKey(key, &info) != ERROR_SUCCESS)
        return 0;
    RegCloseKey(key);
    return info.values;
}

std::string fileBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void overwrite(const std::filesystem::path& file, std::streamoff at, const std::string& bytes)
{
    std::fstream io(file, std::ios::binary | std::ios::in | std::ios::out);
    io.seekp(at);
    io.write(bytes.data(), std::streamsize(bytes.size()));
}

}

TEST_F(RegistryTest, TwoProcessesWritingAtOnceLoseNothing)
{
    // Nothing is open yet, so the child starts with no inherited connection.
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        configure();
        _exit(writeMany("child") == 0 ? 0 : 1);
    }
    int failures = writeMany("parent");
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(failures, 0);

    configure(); // read back through a fresh connection
    EXPECT_EQ(countValues(HKEY_CURRENT_USER, "Software\\Race\\Shared"), DWORD(2 * kWrites));
    HKEY key;
    KeyInfo info;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Race", KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
    ASSERT_EQ(RegQueryInfoKey(key, &info), ERROR_SUCCESS);
    EXPECT_EQ(info.subKeys, DWORD(2 * kWrites + 1));
    RegCloseKey(key);
}

TEST_F(RegistryTest, DamagedDatabaseIsReportedAndLeftAsItIs)
{
    for (int i = 0; i < 200; ++i)
        ASSERT_EQ(putValue(HKEY_CURRENT_USER, "Software\\K" + std::to_string(i), "v", REG_SZ, sz(std::string(100, 'x'))),
                  ERROR_SUCCESS);
    configure(); // closes the database, folding its log back in
    auto file = std::filesystem::path(userFolder()) / kUserStoreFile;
    overwrite(file, 4096, std::string(4096, '\xA5'));
    const std::string damaged = fileBytes(file);

    HKEY key;
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\K1", KEY_QUERY_VALUE, &key), ERROR_BADDB);
    EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\New", KEY_ALL_ACCESS, &key), ERROR_BADDB);
    EXPECT_EQ(putValue(HKEY_CURRENT_USER, "", "v", REG_SZ, sz("x")), ERROR_BADDB);
    EXPECT_NE(storeProblem().find(kUserStoreFile), std::string::npos);
    // The scope that met the damage names it; the other one is fine.
    EXPECT_EQ(RegStoreProblem(HKEY_CURRENT_USER).rfind(file.string() + ": ", 0), 0u)
        << RegStoreProblem(HKEY_CURRENT_USER);
    EXPECT_EQ(RegStoreProblem(HKEY_LOCAL_MACHINE), "");
    EXPECT_EQ(RegStoreProblem(HKEY(0x4242)), "") << "an unknown handle has no store";
    configure();
    EXPECT_EQ(fileBytes(file), damaged);
    EXPECT_FALSE(std::filesystem::exists(file.string() + "-wal") && std::filesystem::file_size(file.string() + "-wal") > 0);
}

TEST_F(RegistryTest, FilesThatAreNotOurDatabaseAreNeverTouched)
{
    std::filesystem::create_directories(userFolder());
    auto garbage = temp.write("user/" + std::string(kUserStoreFile), "this is not a database at all, just text\n");
    HKEY key;
    EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "Software", KEY_ALL_ACCESS, &key), ERROR_BADDB);
    EXPECT_EQ(fileBytes(garbage), "this is not a database at all, just text\n");

    // A sound SQLite file of some other program.
    auto foreign = std::filesystem::path(machineFolder()) / kMachineStoreFile;
    std::filesystem::create_directories(machineFolder());
    sqlite3* db;
    ASSERT_EQ(sqlite3_open(foreign.c_str(), &db), SQLITE_OK);
    sqlite3_exec(db, "CREATE TABLE notes(t TEXT); INSERT INTO notes VALUES('keep me')", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    const std::string before = fileBytes(foreign);
    configure();
    EXPECT_EQ(putValue(HKEY_LOCAL_MACHINE, "SOFTWARE", "x", REG_SZ, sz("1")), ERROR_BADDB);
    EXPECT_EQ(RegOpenKeyEx(HKEY_CLASSES_ROOT, "", KEY_QUERY_VALUE, &key), ERROR_BADDB);
    EXPECT_EQ(fileBytes(foreign), before);
    EXPECT_NE(storeProblem().find("not a registry database"), std::string::npos);
    EXPECT_NE(RegStoreProblem(HKEY_CLASSES_ROOT).find("not a registry database"), std::string::npos);
}
