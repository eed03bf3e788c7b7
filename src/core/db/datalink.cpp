// Running a link's query and telling the bound controls.
#include "core/db/datalink.h"

#include "core/db/database.h"

namespace gw::db {

void DataLink::Refresh() {
  Database& db = pool_.open(DatabaseName);
  recordset_ = std::make_unique<QueryRecordset>(db, RecordSource.sql, RecordSource.params);
  for (auto& listener : listeners_) listener();
}

}  // namespace gw::db
