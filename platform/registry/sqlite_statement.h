#pragma once
// Thin RAII over SQLite: prepared statements (kept for reuse per connection),
// and a transaction that rolls back unless committed.
#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace ks::registry {

// The statements of one connection, prepared once; cleared before it closes.
class StatementCache {
public:
    ~StatementCache() { clear(); }
    void attach(sqlite3* db) { clear(); db_ = db; }
    void clear();
    sqlite3_stmt* get(const char* sql, int* rc);

private:
    sqlite3* db_ = nullptr;
    std::unordered_map<const char*, sqlite3_stmt*> statements_; // keyed by the literal
};

class Statement {
public:
    Statement(sqlite3* db, const char* sql);
    Statement(StatementCache& cache, const char* sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    int prepareResult() const { return prepared_; }
    // Ready to run again with new bindings.
    Statement& reset();
    Statement& bind(int index, std::int64_t value);
    Statement& bind(int index, const std::string& text);
    Statement& bindBlob(int index, const std::vector<std::uint8_t>& bytes);
    // SQLITE_ROW, SQLITE_DONE or the failure code.
    int step();
    std::int64_t integer(int column) const;
    std::string text(int column) const;
    std::vector<std::uint8_t> blob(int column) const;

private:
    sqlite3_stmt* stmt_ = nullptr;
    int prepared_ = SQLITE_OK;
    bool owned_ = true;
};

class Transaction {
public:
    // Writers take the write lock at once so that two writers never deadlock.
    Transaction(sqlite3* db, bool write);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    int beginResult() const { return begun_; }
    int commit();

private:
    sqlite3* db_;
    int begun_;
    bool open_ = false;
};

}
