#pragma once
// One scope of the registry (the user's or the machine's) kept in one SQLite
// database: a tree of keys, each with named, typed values. Every call is one
// transaction, so another process never sees half of a change. A file that is
// damaged or not ours is reported and never written.
#include "platform/registry/registry_codes.h"
#include "platform/registry/sqlite_statement.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ks::registry {

struct StoredValue {
    std::string name;
    DWORD type = REG_NONE;
    std::vector<std::uint8_t> data;
};

// A string value that the store keeps current each time it opens.
struct SeedValue {
    std::vector<std::string> keyPath;
    std::string name;
    std::string text;
};

using KeyId = std::int64_t;

class KeyStore {
public:
    struct Options {
        std::string file;
        bool writable = false;
        bool createOnOpen = false; // else the file is made by the first change
        bool wal = false;          // needs a folder the process can write
        std::vector<SeedValue> seeds;
    };
    static constexpr KeyId kRoot = 1;

    explicit KeyStore(Options options);
    ~KeyStore();
    KeyStore(const KeyStore&) = delete;
    KeyStore& operator=(const KeyStore&) = delete;

    bool writable() const { return options_.writable; }
    // Why the database is unusable, empty while it is fine.
    const std::string& problem() const { return problem_; }

    LONG findKey(KeyId base, const std::vector<std::string>& parts, KeyId* id);
    LONG createKey(KeyId base, const std::vector<std::string>& parts, KeyId* id, bool* created);
    LONG deleteKey(KeyId base, const std::vector<std::string>& parts);
    LONG queryValue(KeyId key, const std::string& name, StoredValue* value);
    LONG setValue(KeyId key, const std::string& name, DWORD type, const std::vector<std::uint8_t>& data);
    LONG deleteValue(KeyId key, const std::string& name);
    // Subkeys sorted by folded name, values in the order they were created.
    LONG subKeyAt(KeyId key, DWORD index, std::string* name);
    LONG valueAt(KeyId key, DWORD index, StoredValue* value);
    LONG info(KeyId key, KeyInfo* info);

private:
    enum class Ready { Yes, Absent };
    LONG open(bool forChange, Ready* ready);
    LONG openFile(bool create);
    LONG verifyOrCreateSchema();
    LONG applySeeds();
    LONG fail(int sqliteCode);
    void markDamaged(const std::string& why);
    void close();

    template <class Body>
    LONG run(bool change, LONG absentResult, Body&& body);
    template <class Body> // the same, failing first when the key is gone
    LONG runOnKey(bool change, KeyId key, LONG absentResult, Body&& body);
    template <class Read> // the index-th row of an ordered listing below key
    LONG rowAt(const char* sql, KeyId key, DWORD index, Read&& read);
    LONG walk(KeyId base, const std::vector<std::string>& parts, KeyId* id, std::size_t* found);
    LONG keyAlive(KeyId key);
    LONG insertKey(KeyId parent, const std::string& name, KeyId* id);
    LONG createPath(KeyId base, const std::vector<std::string>& parts, KeyId* id, bool* created);
    LONG readValue(KeyId key, const std::string& name, StoredValue* value);
    LONG upsertValue(KeyId key, const std::string& name, DWORD type, const std::vector<std::uint8_t>& data);

    Options options_;
    sqlite3* db_ = nullptr;
    StatementCache cache_;
    bool damaged_ = false;
    std::string problem_;
};

}
