// A screen's bound data source: a database path, a query and the rows it
// returned. Grids show a link's rows; list screens keep their ORDER BY
// clause in its Caption.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/db/recordset.h"
#include "core/vb/value.h"

namespace gw::db {

class DatabasePool;

// An SQL text and the values of its '?' parameters, in order. Typed text
// only ever reaches SQL as a parameter.
struct Query {
  std::string sql;
  std::vector<Value> params;
};

class DataLink {
 public:
  explicit DataLink(DatabasePool& pool) : pool_(pool) {}
  DataLink(const DataLink&) = delete;
  DataLink& operator=(const DataLink&) = delete;

  std::string DatabaseName;  // program path of the database
  Query RecordSource;
  std::string Caption;

  // Runs RecordSource on DatabaseName; the first row is current, eof() when
  // none. Rows come in the order they were added unless the query orders them.
  void Refresh();
  bool isOpen() const { return recordset_ != nullptr; }
  // The rows of the last Refresh. Throws Error when the link has not run.
  QueryRecordset& Recordset();

  // Called after every Refresh (a grid bound to the link redraws).
  void onRefresh(std::function<void()> listener) { listeners_.push_back(std::move(listener)); }

 private:
  DatabasePool& pool_;
  std::unique_ptr<QueryRecordset> recordset_;
  std::vector<std::function<void()>> listeners_;
};

}  // namespace gw::db
