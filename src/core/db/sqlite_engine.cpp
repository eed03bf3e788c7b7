// The embedded engine: SQLite files in WAL mode with a busy timeout, so that
// terminals wait for each other instead of failing, with the store's text
// comparison and functions installed on every connection, and a cache of
// prepared statements per connection.
#include <sqlite3.h>

#include <cstdint>
#include <unordered_map>

#include "core/db/engine.h"
#include "core/vb/vb.h"

namespace gw::db {
namespace {

constexpr int kBusyTimeoutMs = 15000;
// Statements nobody holds that a connection keeps for reuse; beyond that the
// least recently used is finalized, so that texts built with numbers in them
// do not pile up over a long session.
constexpr size_t kIdleStatementLimit = 64;

// Text compares blind to ASCII case and to trailing blanks. It replaces the
// built-in NOCASE on our connections: the text columns are declared with
// NOCASE, so other programs reading the files get the nearest built-in order.
int CompareStoreText(void*, int len_a, const void* a, int len_b, const void* b) {
  auto* pa = static_cast<const unsigned char*>(a);
  auto* pb = static_cast<const unsigned char*>(b);
  while (len_a > 0 && pa[len_a - 1] == ' ') --len_a;
  while (len_b > 0 && pb[len_b - 1] == ' ') --len_b;
  int n = len_a < len_b ? len_a : len_b;
  for (int i = 0; i < n; ++i) {
    int ca = pa[i], cb = pb[i];
    // Codes share long prefixes: equal bytes need no case folding.
    if (ca == cb) continue;
    if (ca >= 'A' && ca <= 'Z') ca += 'a' - 'A';
    if (cb >= 'A' && cb <= 'Z') cb += 'a' - 'A';
    if (ca != cb) return ca - cb;
  }
  return len_a - len_b;
}

Value ReadValue(sqlite3_value* v) {
  switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
      return Value(static_cast<int64_t>(sqlite3_value_int64(v)));
    case SQLITE_FLOAT:
      return Value(sqlite3_value_double(v));
    case SQLITE_NULL:
      return Value();
    default: {
      const unsigned char* text = sqlite3_value_text(v);
      return Value(std::string(reinterpret_cast<const char*>(text), sqlite3_value_bytes(v)));
    }
  }
}

void ResultText(sqlite3_context* ctx, const std::string& text) {
  sqlite3_result_text(ctx, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

// isnumeric(x): the runtime's test, for queries that filter on it.
void IsNumericFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
  sqlite3_result_int(ctx, vb::IsNumeric(ReadValue(argv[0])) ? 1 : 0);
}

// val(x): the number a text stands for under the Italian conventions, Null
// when it is none, so that a code compared with a number matches as the
// text of that number.
void NumberOfFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
  Value v = ReadValue(argv[0]);
  if (!vb::IsNumeric(v)) {
    sqlite3_result_null(ctx);
    return;
  }
  sqlite3_result_double(ctx, vb::CDbl(v));
}

// mid(x, start[, count]): the runtime's Mid, Null for Null.
void MidFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  Value v = ReadValue(argv[0]);
  if (v.isNull()) {
    sqlite3_result_null(ctx);
    return;
  }
  sqlite3_int64 start = sqlite3_value_int64(argv[1]);
  sqlite3_int64 count = argc > 2 ? sqlite3_value_int64(argv[2]) : -1;
  if (start < 1 || (argc > 2 && count < 0)) {
    sqlite3_result_error(ctx, "Chiamata di routine o argomento non validi", -1);
    return;
  }
  ResultText(ctx, vb::Mid(v.toText(), static_cast<size_t>(start),
                          count < 0 ? std::string::npos : static_cast<size_t>(count)));
}

class SqliteStatement final : public Statement {
 public:
  SqliteStatement(sqlite3* db, sqlite3_stmt* stmt) : db_(db), stmt_(stmt) {}
  ~SqliteStatement() override { sqlite3_finalize(stmt_); }

  void bind(int index, const Value& value) override {
    int rc = SQLITE_OK;
    switch (value.kind()) {
      case Value::Kind::Null:
        rc = sqlite3_bind_null(stmt_, index);
        break;
      case Value::Kind::Integer:
        rc = sqlite3_bind_int64(stmt_, index, value.integer());
        break;
      case Value::Kind::Double:
        rc = sqlite3_bind_double(stmt_, index, value.real());
        break;
      case Value::Kind::Text:
        rc = sqlite3_bind_text(stmt_, index, value.text().data(),
                               static_cast<int>(value.text().size()), SQLITE_TRANSIENT);
        break;
      case Value::Kind::Date: {
        std::string text = vb::StorageDateText(value.date());
        rc = sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()),
                               SQLITE_TRANSIENT);
        break;
      }
    }
    if (rc != SQLITE_OK) throw Error(sqlite3_errmsg(db_));
  }

  bool step() override {
    int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    std::string message = sqlite3_errmsg(db_);
    sqlite3_reset(stmt_);
    throw Error(message);
  }

  void reset() override {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
  }

  int columnCount() const override { return sqlite3_column_count(stmt_); }
  std::string columnName(int column) const override {
    const char* name = sqlite3_column_name(stmt_, column);
    return name ? name : "";
  }
  std::string columnDeclType(int column) const override {
    const char* type = sqlite3_column_decltype(stmt_, column);
    return type ? type : "";
  }
  Value column(int column) const override { return ReadValue(sqlite3_column_value(stmt_, column)); }

  bool in_use = false;
  uint64_t last_used = 0;

 private:
  sqlite3* db_;
  sqlite3_stmt* stmt_;
};

struct TextHash {
  using is_transparent = void;
  size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

class SqliteConnection final : public Connection {
 public:
  SqliteConnection(const std::string& file, bool create) : path_(file) {
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX | (create ? SQLITE_OPEN_CREATE : 0);
    int rc = sqlite3_open_v2(file.c_str(), &db_, flags, nullptr);
    if (rc != SQLITE_OK) {
      std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
      sqlite3_close(db_);
      throw Error("Impossibile aprire il database " + file + ": " + message);
    }
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_create_collation(db_, "NOCASE", SQLITE_UTF8, nullptr, CompareStoreText);
    constexpr int kPure = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function(db_, "isnumeric", 1, kPure, nullptr, IsNumericFunction, nullptr,
                            nullptr);
    sqlite3_create_function(db_, "val", 1, kPure, nullptr, NumberOfFunction, nullptr, nullptr);
    sqlite3_create_function(db_, "mid", 2, kPure, nullptr, MidFunction, nullptr, nullptr);
    sqlite3_create_function(db_, "mid", 3, kPure, nullptr, MidFunction, nullptr, nullptr);
    try {
      execute("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;");
    } catch (const Error&) {
      sqlite3_close(db_);
      throw;
    }
  }
  ~SqliteConnection() override {
    cache_.clear();
    // Statements still held elsewhere keep the connection open until they go.
    sqlite3_close_v2(db_);
  }

  std::shared_ptr<Statement> prepare(std::string_view sql) override {
    ++clock_;
    auto range = cache_.equal_range(sql);
    for (auto it = range.first; it != range.second; ++it) {
      if (!it->second->in_use) return handOut(it->second);
    }
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v3(db_, sql.data(), static_cast<int>(sql.size()),
                                SQLITE_PREPARE_PERSISTENT, &stmt, nullptr);
    if (rc != SQLITE_OK) throw Error(sqlite3_errmsg(db_));
    if (!stmt) throw Error("Nessuna istruzione SQL nel testo.");
    auto statement = std::make_shared<SqliteStatement>(db_, stmt);
    evictIdle();
    cache_.emplace(std::string(sql), statement);
    return handOut(statement);
  }

  void execute(std::string_view sql) override {
    char* error = nullptr;
    std::string text(sql);
    if (sqlite3_exec(db_, text.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
      std::string message = error ? error : sqlite3_errmsg(db_);
      sqlite3_free(error);
      throw Error(message);
    }
  }

  int64_t lastInsertRowid() const override { return sqlite3_last_insert_rowid(db_); }
  int changes() const override { return sqlite3_changes(db_); }
  bool inTransaction() const override { return sqlite3_get_autocommit(db_) == 0; }
  std::string path() const override { return path_; }

 private:
  // The holder's handle: it keeps the statement alive (also past the
  // connection's cache) and, when the last copy goes, ends the run and
  // gives the statement back for reuse.
  std::shared_ptr<Statement> handOut(const std::shared_ptr<SqliteStatement>& statement) {
    statement->in_use = true;
    statement->last_used = clock_;
    return std::shared_ptr<Statement>(statement.get(), [keep = statement](Statement*) {
      keep->reset();
      keep->in_use = false;
    });
  }

  void evictIdle() {
    size_t idle = 0;
    for (const auto& entry : cache_) idle += !entry.second->in_use;
    while (idle >= kIdleStatementLimit) {
      auto oldest = cache_.end();
      for (auto it = cache_.begin(); it != cache_.end(); ++it) {
        if (it->second->in_use) continue;
        if (oldest == cache_.end() || it->second->last_used < oldest->second->last_used)
          oldest = it;
      }
      cache_.erase(oldest);
      --idle;
    }
  }

  std::string path_;
  sqlite3* db_ = nullptr;
  uint64_t clock_ = 0;
  std::unordered_multimap<std::string, std::shared_ptr<SqliteStatement>, TextHash, std::equal_to<>>
      cache_;
};

}  // namespace

std::unique_ptr<Connection> OpenSqlite(const std::string& file, bool create) {
  // The engine's memory statistics take a process-wide lock on every
  // allocation, and nothing here reads them. The setting only takes before
  // the engine's first use; later it is refused, which does no harm.
  static const int memstatus_off = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
  static_cast<void>(memstatus_off);
  return std::make_unique<SqliteConnection>(file, create);
}

}  // namespace gw::db
