#pragma once
// Thin RAII over SQLite: a prepared statement and a transaction that rolls
// back unless committed.
#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <vector>

namespace ks::registry {

class Statement {
public:
    Statement(sqlite3* db, const char* sql);
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
    int prepared_;
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
