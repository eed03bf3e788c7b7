// The SQL engine behind the storage layer: connections and prepared
// statements with bound parameters. SQLite is the embedded engine; another
// engine (PostgreSQL for a chain of stores) can stand behind the same
// interface.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/vb/value.h"

namespace gw::db {

// An error reported by the database engine (missing file, table, field,
// constraint, busy database). The toolkit shows its text to the clerk.
class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Statement {
 public:
  virtual ~Statement() = default;
  // Parameters are numbered from 1, in the order of the '?' in the text.
  virtual void bind(int index, const Value& value) = 0;
  // Runs to the next row; false when there is none (or the statement is done).
  virtual bool step() = 0;
  // Clears the bindings' results so that the statement can run again.
  virtual void reset() = 0;
  virtual int columnCount() const = 0;
  virtual std::string columnName(int column) const = 0;
  // The declared type of the column the result column comes from, or "".
  virtual std::string columnDeclType(int column) const = 0;
  // REQUIRES: the last step() returned true.
  virtual Value column(int column) const = 0;
};

class Connection {
 public:
  virtual ~Connection() = default;
  // A statement of this connection. The connection keeps prepared
  // statements by their text: preparing the same text again while the
  // earlier one is not in use reuses it.
  virtual std::shared_ptr<Statement> prepare(std::string_view sql) = 0;
  // Runs a text of one or more statements without parameters.
  virtual void execute(std::string_view sql) = 0;
  virtual int64_t lastInsertRowid() const = 0;
  virtual int changes() const = 0;
  virtual bool inTransaction() const = 0;
  virtual std::string path() const = 0;
};

// Opens a database file. With `create`, a missing file is created; without
// it a missing file is an Error, as the store expects of its databases.
std::unique_ptr<Connection> OpenSqlite(const std::string& file, bool create);

}  // namespace gw::db
