#include "platform/registry/sqlite_statement.h"

namespace ks::registry {

Statement::Statement(sqlite3* db, const char* sql)
    : prepared_(sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr))
{
}

Statement::Statement(StatementCache& cache, const char* sql) : stmt_(cache.get(sql, &prepared_)), owned_(false) {}

Statement::~Statement()
{
    if (owned_)
        sqlite3_finalize(stmt_);
    else if (stmt_)
        reset();
}

void StatementCache::clear()
{
    for (auto& [sql, stmt] : statements_)
        sqlite3_finalize(stmt);
    statements_.clear();
    db_ = nullptr;
}

sqlite3_stmt* StatementCache::get(const char* sql, int* rc)
{
    auto found = statements_.find(sql);
    if (found != statements_.end()) {
        *rc = SQLITE_OK;
        return found->second;
    }
    sqlite3_stmt* stmt = nullptr;
    *rc = sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &stmt, nullptr);
    if (*rc == SQLITE_OK)
        statements_.emplace(sql, stmt);
    return stmt;
}

Statement& Statement::reset()
{
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
    return *this;
}

Statement& Statement::bind(int index, std::int64_t value)
{
    sqlite3_bind_int64(stmt_, index, value);
    return *this;
}

Statement& Statement::bind(int index, const std::string& text)
{
    sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    return *this;
}

Statement& Statement::bindBlob(int index, const std::vector<std::uint8_t>& bytes)
{
    // A zero-length blob is still a blob, not NULL.
    sqlite3_bind_blob(stmt_, index, bytes.empty() ? "" : static_cast<const void*>(bytes.data()),
                      static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
    return *this;
}

int Statement::step()
{
    if (prepared_ != SQLITE_OK)
        return prepared_;
    return sqlite3_step(stmt_);
}

std::int64_t Statement::integer(int column) const { return sqlite3_column_int64(stmt_, column); }

std::string Statement::text(int column) const
{
    auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    return p ? std::string(p, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column))) : std::string();
}

std::vector<std::uint8_t> Statement::blob(int column) const
{
    auto* p = static_cast<const std::uint8_t*>(sqlite3_column_blob(stmt_, column));
    auto n = static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column));
    return p ? std::vector<std::uint8_t>(p, p + n) : std::vector<std::uint8_t>();
}

Transaction::Transaction(sqlite3* db, bool write)
    : db_(db), begun_(sqlite3_exec(db, write ? "BEGIN IMMEDIATE" : "BEGIN", nullptr, nullptr, nullptr))
{
    open_ = begun_ == SQLITE_OK;
}

Transaction::~Transaction()
{
    if (open_)
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

int Transaction::commit()
{
    int rc = sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK)
        open_ = false;
    return rc;
}

}
