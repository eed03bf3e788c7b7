// Opening the store's databases by their program paths.
#include "core/db/database.h"

#include "core/db/paths.h"

namespace gw::db {

Database::Database(std::string program_path, std::unique_ptr<Connection> connection)
    : program_path_(std::move(program_path)), connection_(std::move(connection)) {}

TableRecordset Database::openTable(std::string_view table) {
  const TableDef* def = FindTable(table);
  if (!def) throw Error("Il motore di database non trova la tabella '" + std::string(table) + "'.");
  return TableRecordset(*this, *def);
}

DatabasePool::DatabasePool(std::filesystem::path data_dir) : data_dir_(std::move(data_dir)) {}

Database& DatabasePool::open(std::string_view program_path) {
  std::filesystem::path file = MapProgramPath(data_dir_, program_path);
  auto it = open_.find(file);
  if (it != open_.end()) return *it->second;
  std::error_code ec;
  if (program_path.empty() || !std::filesystem::is_regular_file(file, ec))
    throw Error("Impossibile trovare il file '" + std::string(program_path) + "'.");
  std::unique_ptr<Connection> connection;
  try {
    connection = OpenSqlite(file.string(), false);
  } catch (const Error& e) {
    throw Error("Impossibile aprire il database '" + std::string(program_path) + "': " + e.what());
  }
  auto db = std::make_unique<Database>(std::string(program_path), std::move(connection));
  return *open_.emplace(file, std::move(db)).first->second;
}

Transaction::Transaction(Database& db) : connection_(db.connection()) {
  connection_.execute("BEGIN IMMEDIATE");
}

Transaction::~Transaction() {
  if (done_) return;
  try {
    connection_.execute("ROLLBACK");
  } catch (const Error&) {
    // The engine has already rolled the transaction back.
  }
}

void Transaction::commit() {
  connection_.execute("COMMIT");
  done_ = true;
}

}  // namespace gw::db
