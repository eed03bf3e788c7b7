// Running a link's query and telling the bound controls.
#include "core/db/datalink.h"

#include "core/db/database.h"

namespace gw::db {

void DataLink::Refresh() {
  recordset_.reset();
  Database& db = pool_.open(DatabaseName);
  recordset_ = std::make_unique<QueryRecordset>(db, RecordSource.sql, RecordSource.params);
  for (auto& listener : listeners_) listener();
}

QueryRecordset& DataLink::Recordset() {
  if (!recordset_) throw Error("Il controllo dati non è stato aggiornato (Refresh).");
  return *recordset_;
}

}  // namespace gw::db
