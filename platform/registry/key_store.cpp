#include "platform/registry/key_store.h"

#include "platform/registry/key_names.h"
#include "platform/registry/sqlite_statement.h"

#include <sqlite3.h>

#include <filesystem>

namespace ks::registry {

namespace {

constexpr std::int64_t kApplicationId = 0x4B535247;
constexpr LONG kAbsent = -1; // no database yet: every key below the root is missing
constexpr int kBusyTimeoutMs = 5000;

constexpr const char* kSchema = R"(
CREATE TABLE keys(id INTEGER PRIMARY KEY AUTOINCREMENT, parent INTEGER NOT NULL,
                  name TEXT NOT NULL, folded TEXT NOT NULL);
CREATE UNIQUE INDEX keys_by_parent ON keys(parent, folded);
CREATE TABLE vals(id INTEGER PRIMARY KEY AUTOINCREMENT, key INTEGER NOT NULL,
                  name TEXT NOT NULL, folded TEXT NOT NULL, type INTEGER NOT NULL, data BLOB NOT NULL);
CREATE UNIQUE INDEX vals_by_key ON vals(key, folded);
INSERT INTO keys(id, parent, name, folded) VALUES(1, 0, '', '');
PRAGMA application_id = 1263751751;
PRAGMA user_version = 1;
)";
static_assert(kApplicationId == 1263751751);

std::int64_t pragmaInteger(sqlite3* db, const char* sql, int* rc)
{
    Statement st(db, sql);
    *rc = st.step();
    if (*rc != SQLITE_ROW)
        return 0;
    *rc = SQLITE_OK;
    return st.integer(0);
}

DWORD toDword(std::int64_t n) { return static_cast<DWORD>(n); }

// A row of name, type, data.
StoredValue valueRow(const Statement& st) { return {st.text(0), toDword(st.integer(1)), st.blob(2)}; }

}

KeyStore::KeyStore(Options options) : options_(std::move(options)) {}

KeyStore::~KeyStore() { close(); }

void KeyStore::close()
{
    cache_.clear();
    if (db_)
        sqlite3_close_v2(db_);
    db_ = nullptr;
}

void KeyStore::markDamaged(const std::string& why)
{
    // Closed by the next call, once the statements of this one are gone.
    damaged_ = true;
    problem_ = options_.file + ": " + why + "; the registry file is left as it is";
}

LONG KeyStore::fail(int sqliteCode)
{
    switch (sqliteCode & 0xFF) {
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        markDamaged(sqlite3_errstr(sqliteCode));
        return ERROR_BADDB;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return ERROR_ACCESS_DENIED;
    case SQLITE_CANTOPEN:
        return ERROR_CANTOPEN;
    default:
        return ERROR_REGISTRY_IO_FAILED;
    }
}

LONG KeyStore::open(bool forChange, Ready* ready)
{
    *ready = Ready::Yes;
    if (damaged_) {
        close();
        return ERROR_BADDB;
    }
    if (forChange && !options_.writable)
        return ERROR_ACCESS_DENIED;
    if (db_)
        return ERROR_SUCCESS;
    std::error_code ec;
    bool create = options_.writable && (forChange || options_.createOnOpen);
    if (!std::filesystem::exists(options_.file, ec) && !create) {
        *ready = Ready::Absent;
        return ERROR_SUCCESS;
    }
    LONG rc = openFile(create);
    if (rc == kAbsent) {
        *ready = Ready::Absent;
        return ERROR_SUCCESS;
    }
    return rc;
}

LONG KeyStore::openFile(bool create)
{
    int flags = options_.writable ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY;
    if (create) {
        std::error_code ec;
        std::filesystem::create_directories(std::filesystem::path(options_.file).parent_path(), ec);
        flags |= SQLITE_OPEN_CREATE;
    }
    if (sqlite3_open_v2(options_.file.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
        problem_ = options_.file + ": " + sqlite3_errmsg(db_);
        close();
        return ERROR_CANTOPEN;
    }
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
    cache_.attach(db_);
    LONG rc = verifyOrCreateSchema();
    if (rc != ERROR_SUCCESS) {
        close();
        return rc;
    }
    problem_.clear();
    if (options_.wal)
        sqlite3_exec(db_, "PRAGMA synchronous=NORMAL", nullptr, nullptr, nullptr);
    applySeeds(); // a seed that cannot be written leaves the store usable
    return ERROR_SUCCESS;
}

LONG KeyStore::verifyOrCreateSchema()
{
    int rc;
    std::int64_t tables = pragmaInteger(db_, "SELECT count(*) FROM sqlite_master", &rc);
    if (rc != SQLITE_OK)
        return fail(rc);
    if (tables == 0) {
        if (!options_.writable)
            return kAbsent;
        if (options_.wal)
            sqlite3_exec(db_, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
        Transaction t(db_, true);
        if (t.beginResult() != SQLITE_OK)
            return fail(t.beginResult());
        // Another process may have made it while this one waited for the lock.
        tables = pragmaInteger(db_, "SELECT count(*) FROM sqlite_master", &rc);
        if (rc == SQLITE_OK && tables == 0)
            rc = sqlite3_exec(db_, kSchema, nullptr, nullptr, nullptr);
        if (rc == SQLITE_OK)
            rc = t.commit();
        if (rc != SQLITE_OK)
            return fail(rc);
    }
    if (pragmaInteger(db_, "PRAGMA application_id", &rc) != kApplicationId || rc != SQLITE_OK) {
        if (rc != SQLITE_OK)
            return fail(rc);
        markDamaged("not a registry database");
        return ERROR_BADDB;
    }
    Statement check(db_, "PRAGMA quick_check");
    rc = check.step();
    if (rc != SQLITE_ROW)
        return fail(rc);
    if (check.text(0) != "ok") {
        markDamaged("damaged (" + check.text(0) + ")");
        return ERROR_BADDB;
    }
    return ERROR_SUCCESS;
}

template <class Body>
LONG KeyStore::run(bool change, LONG absentResult, Body&& body)
{
    Ready ready;
    LONG rc = open(change, &ready);
    if (rc != ERROR_SUCCESS)
        return rc;
    if (ready == Ready::Absent)
        return absentResult;
    Transaction t(db_, change);
    if (t.beginResult() != SQLITE_OK)
        return fail(t.beginResult());
    rc = body();
    if (rc == ERROR_SUCCESS && change) {
        int committed = t.commit();
        if (committed != SQLITE_OK)
            return fail(committed);
    }
    return rc;
}

template <class Body>
LONG KeyStore::runOnKey(bool change, KeyId key, LONG absentResult, Body&& body)
{
    return run(change, absentResult, [&] {
        LONG rc = keyAlive(key);
        return rc == ERROR_SUCCESS ? body() : rc;
    });
}

LONG KeyStore::keyAlive(KeyId key)
{
    Statement st(cache_, "SELECT 1 FROM keys WHERE id = ?");
    int rc = st.bind(1, key).step();
    if (rc == SQLITE_ROW)
        return ERROR_SUCCESS;
    return rc == SQLITE_DONE ? ERROR_KEY_DELETED : fail(rc);
}

LONG KeyStore::walk(KeyId base, const std::vector<std::string>& parts, KeyId* id, std::size_t* found)
{
    LONG alive = keyAlive(base);
    if (alive != ERROR_SUCCESS)
        return alive;
    *id = base;
    *found = 0;
    Statement child(cache_, "SELECT id FROM keys WHERE parent = ? AND folded = ?");
    for (const auto& part : parts) {
        int rc = child.reset().bind(1, *id).bind(2, foldName(part)).step();
        if (rc == SQLITE_DONE)
            break;
        if (rc != SQLITE_ROW)
            return fail(rc);
        *id = child.integer(0);
        ++*found;
    }
    return ERROR_SUCCESS;
}

LONG KeyStore::insertKey(KeyId parent, const std::string& name, KeyId* id)
{
    Statement st(cache_, "INSERT INTO keys(parent, name, folded) VALUES(?, ?, ?)");
    int rc = st.bind(1, parent).bind(2, name).bind(3, foldName(name)).step();
    if (rc != SQLITE_DONE)
        return fail(rc);
    *id = sqlite3_last_insert_rowid(db_);
    return ERROR_SUCCESS;
}

LONG KeyStore::upsertValue(KeyId key, const std::string& name, DWORD type,
                           const std::vector<std::uint8_t>& data)
{
    // An existing value keeps its first-written name and its place in the order.
    Statement st(cache_, "INSERT INTO vals(key, name, folded, type, data) VALUES(?, ?, ?, ?, ?) "
                      "ON CONFLICT(key, folded) DO UPDATE SET type = excluded.type, data = excluded.data");
    int rc = st.bind(1, key).bind(2, name).bind(3, foldName(name)).bind(4, std::int64_t(type)).bindBlob(5, data).step();
    return rc == SQLITE_DONE ? ERROR_SUCCESS : fail(rc);
}

LONG KeyStore::createPath(KeyId base, const std::vector<std::string>& parts, KeyId* id, bool* created)
{
    std::size_t found;
    LONG rc = walk(base, parts, id, &found);
    for (std::size_t i = found; rc == ERROR_SUCCESS && i < parts.size(); ++i)
        rc = insertKey(*id, parts[i], id);
    *created = found < parts.size();
    return rc;
}

LONG KeyStore::readValue(KeyId key, const std::string& name, StoredValue* value)
{
    Statement st(cache_, "SELECT name, type, data FROM vals WHERE key = ? AND folded = ?");
    int rc = st.bind(1, key).bind(2, foldName(name)).step();
    if (rc == SQLITE_DONE)
        return ERROR_FILE_NOT_FOUND;
    if (rc != SQLITE_ROW)
        return fail(rc);
    *value = valueRow(st);
    return ERROR_SUCCESS;
}

LONG KeyStore::applySeeds()
{
    if (!options_.writable)
        return ERROR_SUCCESS;
    for (const auto& seed : options_.seeds) {
        std::vector<std::uint8_t> data(seed.text.begin(), seed.text.end());
        data.push_back(0);
        LONG rc = run(true, ERROR_SUCCESS, [&] {
            KeyId id;
            bool created;
            StoredValue old;
            LONG r = createPath(kRoot, seed.keyPath, &id, &created);
            if (r == ERROR_SUCCESS && readValue(id, seed.name, &old) == ERROR_SUCCESS
                && old.type == REG_SZ && old.data == data)
                return ERROR_SUCCESS;
            return r == ERROR_SUCCESS ? upsertValue(id, seed.name, REG_SZ, data) : r;
        });
        if (rc != ERROR_SUCCESS)
            return rc;
    }
    return ERROR_SUCCESS;
}

LONG KeyStore::findKey(KeyId base, const std::vector<std::string>& parts, KeyId* id)
{
    LONG absent = base == kRoot && parts.empty() ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    *id = base;
    return run(false, absent, [&] {
        std::size_t found;
        LONG rc = walk(base, parts, id, &found);
        return rc == ERROR_SUCCESS && found < parts.size() ? ERROR_FILE_NOT_FOUND : rc;
    });
}

LONG KeyStore::createKey(KeyId base, const std::vector<std::string>& parts, KeyId* id, bool* created)
{
    return run(true, ERROR_ACCESS_DENIED, [&] { return createPath(base, parts, id, created); });
}

LONG KeyStore::deleteKey(KeyId base, const std::vector<std::string>& parts)
{
    return run(true, ERROR_FILE_NOT_FOUND, [&] {
        KeyId id;
        std::size_t found;
        LONG rc = walk(base, parts, &id, &found);
        if (rc != ERROR_SUCCESS)
            return rc;
        if (found < parts.size())
            return ERROR_FILE_NOT_FOUND;
        Statement children(cache_, "SELECT 1 FROM keys WHERE parent = ? LIMIT 1");
        int step = children.bind(1, id).step();
        if (step != SQLITE_DONE && step != SQLITE_ROW)
            return fail(step);
        if (id == kRoot || step == SQLITE_ROW)
            return ERROR_ACCESS_DENIED; // a key with subkeys is refused, as is the root
        Statement values(cache_, "DELETE FROM vals WHERE key = ?");
        Statement key(cache_, "DELETE FROM keys WHERE id = ?");
        if ((step = values.bind(1, id).step()) != SQLITE_DONE || (step = key.bind(1, id).step()) != SQLITE_DONE)
            return fail(step);
        return ERROR_SUCCESS;
    });
}

LONG KeyStore::queryValue(KeyId key, const std::string& name, StoredValue* value)
{
    return runOnKey(false, key, ERROR_FILE_NOT_FOUND, [&] { return readValue(key, name, value); });
}

LONG KeyStore::setValue(KeyId key, const std::string& name, DWORD type, const std::vector<std::uint8_t>& data)
{
    if (name.size() > kMaxValueNameLength || data.size() > kMaxValueSize)
        return ERROR_INVALID_PARAMETER;
    return runOnKey(true, key, ERROR_ACCESS_DENIED, [&] { return upsertValue(key, name, type, data); });
}

LONG KeyStore::deleteValue(KeyId key, const std::string& name)
{
    return runOnKey(true, key, ERROR_FILE_NOT_FOUND, [&] {
        Statement st(cache_, "DELETE FROM vals WHERE key = ? AND folded = ?");
        int step = st.bind(1, key).bind(2, foldName(name)).step();
        if (step != SQLITE_DONE)
            return fail(step);
        return sqlite3_changes(db_) == 0 ? ERROR_FILE_NOT_FOUND : ERROR_SUCCESS;
    });
}

template <class Read>
LONG KeyStore::rowAt(const char* sql, KeyId key, DWORD index, Read&& read)
{
    return runOnKey(false, key, key == kRoot ? ERROR_NO_MORE_ITEMS : ERROR_KEY_DELETED, [&] {
        Statement st(cache_, sql);
        int step = st.bind(1, key).bind(2, std::int64_t(index)).step();
        if (step == SQLITE_DONE)
            return ERROR_NO_MORE_ITEMS;
        if (step != SQLITE_ROW)
            return fail(step);
        read(st);
        return ERROR_SUCCESS;
    });
}

LONG KeyStore::subKeyAt(KeyId key, DWORD index, std::string* name)
{
    return rowAt("SELECT name FROM keys WHERE parent = ? ORDER BY folded LIMIT 1 OFFSET ?", key, index,
                 [&](const Statement& st) { *name = st.text(0); });
}

LONG KeyStore::valueAt(KeyId key, DWORD index, StoredValue* value)
{
    return rowAt("SELECT name, type, data FROM vals WHERE key = ? ORDER BY id LIMIT 1 OFFSET ?", key, index,
                 [&](const Statement& st) { *value = valueRow(st); });
}

LONG KeyStore::info(KeyId key, KeyInfo* info)
{
    *info = {};
    return runOnKey(false, key, key == kRoot ? ERROR_SUCCESS : ERROR_KEY_DELETED, [&] {
        Statement keys(cache_, "SELECT count(*), coalesce(max(length(CAST(name AS BLOB))), 0) FROM keys WHERE parent = ?");
        Statement vals(cache_, "SELECT count(*), coalesce(max(length(CAST(name AS BLOB))), 0), "
                            "coalesce(max(length(data)), 0) FROM vals WHERE key = ?");
        int step = keys.bind(1, key).step();
        if (step == SQLITE_ROW)
            step = vals.bind(1, key).step();
        if (step != SQLITE_ROW)
            return fail(step);
        *info = {toDword(keys.integer(0)), toDword(keys.integer(1)), toDword(vals.integer(0)),
                 toDword(vals.integer(1)), toDword(vals.integer(2))};
        return ERROR_SUCCESS;
    });
}

}
