// Recordsets: the rows of a table or of a query, with a current row, moved
// through with MoveFirst/MoveNext/MoveLast, written with AddNew/Edit and
// Update, and removed with Delete. Field names are matched without regard to
// case; values convert to the field's type as the store's engine did (an
// Italian "0,83" into a number field is 0.83, 2.5 into an Integer is 2).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/db/engine.h"
#include "core/db/schema.h"
#include "core/vb/value.h"

namespace gw::db {

class Database;

// One typed comparison of a criterion: field, operator, value. Text compares
// blind to case and trailing blanks; a number and the text of a number
// compare as numbers.
struct Condition {
  enum class Op { Equal, NotEqual, Less, LessEqual, Greater, GreaterEqual };
  std::string field;
  Op op = Op::Equal;
  Value value;
};
using Criteria = std::vector<Condition>;

// Compares two field values as the criteria and Seek do: <0, 0, >0, or
// nullopt when either side is Null.
std::optional<int> CompareValues(const Value& a, const Value& b);

// The value as a field of that type stores it; throws vb::RuntimeError when
// it cannot be converted, as assigning it would.
Value CoerceToField(const FieldDef& field, const Value& value);

class Recordset {
 public:
  virtual ~Recordset() = default;

  // True when there is no current row: empty, or moved past the last row.
  bool eof() const { return !has_row_; }
  // True when the last Seek or FindFirst found nothing.
  bool noMatch() const { return no_match_; }

  virtual void moveFirst() = 0;
  virtual void moveNext() = 0;
  virtual void moveLast() = 0;

  int fieldCount() const { return static_cast<int>(columns_.size()); }
  const std::string& fieldName(int index) const { return columns_[index]; }
  bool hasField(std::string_view name) const { return columnIndex(name) >= 0; }
  // REQUIRES: !eof(). Throws Error for an unknown field.
  Value field(std::string_view name) const;
  Value field(int index) const;

  // Starts a new row / an edit of the current row; set() then writes fields
  // and update() saves them. REQUIRES for edit(): !eof().
  void addNew();
  void edit();
  void set(std::string_view name, const Value& value);
  void update();
  // Removes the current row; a following moveNext() reaches the next one.
  void remove();

 protected:
  Recordset(Database& db, const TableDef* table) : db_(db), table_(table) {}

  int columnIndex(std::string_view name) const;
  // The row an update saved: refresh the current row (edit) or take note of
  // the added row (add).
  virtual void rowSaved(int64_t rowid, bool added) = 0;
  virtual void rowRemoved() = 0;
  // Takes the result columns of a statement, from column `first` on.
  void readColumns(const Statement& statement, int first);
  std::vector<Value> readValues(const Statement& statement, int first) const;
  void requireTable() const;

  Database& db_;
  const TableDef* table_;  // the base table that writes go to; null when read-only
  std::string table_name_;
  std::vector<std::string> columns_;
  std::vector<FieldType> column_types_;
  std::vector<bool> column_typed_;  // the column comes from a table field
  std::vector<Value> row_;
  int64_t rowid_ = 0;
  bool has_row_ = false;
  bool row_deleted_ = false;
  bool no_match_ = false;
  std::vector<Value> saved_row_;  // the row the last AddNew/Update added

 private:
  enum class Pending { None, Add, Edit };
  Pending pending_ = Pending::None;
  std::vector<std::pair<const FieldDef*, Value>> changes_;
};

// A table-type recordset: rows in the order they were added, or in the order
// of the current index, which Seek positions on.
class TableRecordset final : public Recordset {
 public:
  TableRecordset(Database& db, const TableDef& table);

  // Chooses a named index of the table ("primary", "keyean", ...).
  void setIndex(std::string_view name);
  // Seek "=": the first row whose key equals `key` becomes current, or
  // noMatch() is true. REQUIRES: an index is set.
  void seek(const Value& key);

  void moveFirst() override;
  void moveNext() override;
  void moveLast() override;

 private:
  void rowSaved(int64_t rowid, bool added) override;
  void rowRemoved() override {}
  bool fetch(const std::string& sql, const std::vector<Value>& params);

  std::string key_column_;  // empty: the order rows were added
  const FieldDef* key_field_ = nullptr;
  std::string select_;
};

// The rows of a query, read when it runs. Updatable when the query reads one
// table and its rows carry their row identity.
class QueryRecordset final : public Recordset {
 public:
  QueryRecordset(Database& db, const std::string& sql, const std::vector<Value>& params);

  void moveFirst() override;
  void moveNext() override;
  void moveLast() override;
  int recordCount() const { return static_cast<int>(rows_.size()); }

  // Makes the first row meeting every condition current; noMatch() otherwise
  // (the current row then stays as it was). findNext searches after the
  // current row.
  void findFirst(const Criteria& criteria);
  void findNext(const Criteria& criteria);

 private:
  struct Row {
    int64_t rowid = 0;
    std::vector<Value> values;
    bool deleted = false;
  };
  void rowSaved(int64_t rowid, bool added) override;
  void rowRemoved() override;
  void select(size_t index);
  bool matches(const Row& row, const Criteria& criteria) const;
  void find(size_t from, const Criteria& criteria);

  std::vector<Row> rows_;
  size_t position_ = 0;
};

}  // namespace gw::db
