// The SQL engine behind the storage layer: connections and prepared
// statements with bound parameters. SQLite is the embedded engine; another
// engine (PostgreSQL for a chain of stores) can stand behind the same
// interface.
//
// SQL functions every connection provides beside the engine's own:
//   isnumeric(x)   1 when x reads as a number under the Italian conventions
//   val(x)         that number, or Null when x is not numeric, so that
//                  val(substr(eanare,1,7)) = 2000123 compares a code with a
//                  number as the store's programs always have
//   mid(x, s[, n]) the characters of x from the s-th (1-based) on, counting
//                  characters of UTF-8 text
// Text columns declared COLLATE NOCASE compare and sort blind to ASCII case
// and to trailing blanks ("IN " = "in").
#pragma once

#include <cstdint>
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
  Statement() = default;
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  virtual ~Statement() = default;

  // Parameters are numbered from 1, in the order of the '?' in the text.
  virtual void bind(int index, const Value& value) = 0;
  // Runs to the next row; false when there is none (or the statement is done).
  virtual bool step() = 0;
  // Ends the run and clears the bindings so that the statement can run again.
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
  Connection() = default;
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;
  virtual ~Connection() = default;

  // A statement of this connection, for the one caller that holds it. The
  // connection keeps prepared statements by their text: preparing a text
  // again reuses a statement that nobody holds any more, never one that is
  // still held. When the last holder lets go, the statement is reset, so an
  // unfinished run never keeps the database's snapshot open.
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
