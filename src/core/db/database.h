// One database file of the store, opened by the program path the screens use
// ("\quib\dati.mdb"), and the pool that a terminal session opens them through.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "core/db/engine.h"
#include "core/db/recordset.h"

namespace gw::db {

class Database {
 public:
  Database(std::string program_path, std::unique_ptr<Connection> connection);
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  const std::string& programPath() const { return program_path_; }
  Connection& connection() { return *connection_; }

  // A table-type recordset on `table`, positioned on its first row in the
  // order rows were added. Throws Error when the table does not exist.
  TableRecordset openTable(std::string_view table);

 private:
  std::string program_path_;
  std::unique_ptr<Connection> connection_;
};

// What a handler opens its databases through. Each terminal session has its
// own pool (connections are not shared between threads); a file is opened
// once and reused by every handler of the session.
class DatabasePool {
 public:
  explicit DatabasePool(std::filesystem::path data_dir);
  DatabasePool(const DatabasePool&) = delete;
  DatabasePool& operator=(const DatabasePool&) = delete;

  // Opens the database at a program path (mapped under the data folder).
  // A missing file is an Error naming the program path.
  Database& open(std::string_view program_path);

  const std::filesystem::path& dataDir() const { return data_dir_; }

 private:
  std::filesystem::path data_dir_;
  std::map<std::filesystem::path, std::unique_ptr<Database>> open_;
};

// All-or-nothing writing on one database: rolls back unless committed.
class Transaction {
 public:
  explicit Transaction(Database& db);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  void commit();

 private:
  Connection& connection_;
  bool done_ = false;
};

}  // namespace gw::db
