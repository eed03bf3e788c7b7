// Recordsets: the rows of a table or of a query, with a current row, moved
// through with MoveFirst/MoveNext/MoveLast, written with AddNew/Edit and
// Update, and removed with Delete. Field names are matched without regard to
// case; values convert to the field's type as the store's engine did (an
// Italian "0,83" into a number field is 0.83, 2.5 into an Integer is 2).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
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
// it cannot be converted, as assigning it would ("Overflow" for 40000 into
// an Integer, "Tipo non corrispondente" for a text that is not a number).
// A text longer than the field's width is cut to it, counting characters.
Value CoerceToField(const FieldDef& field, const Value& value);

class Recordset {
 public:
  virtual ~Recordset() = default;
  Recordset(const Recordset&) = delete;
  Recordset& operator=(const Recordset&) = delete;

  // True when there is no current row: empty, or moved past the last row.
  bool eof() const { return !has_row_; }
  // True when the last Seek or FindFirst found nothing.
  bool noMatch() const { return no_match_; }

  // Moving drops an AddNew or Edit that was not saved with update().
  virtual void moveFirst() = 0;
  // REQUIRES: !eof().
  virtual void moveNext() = 0;
  virtual void moveLast() = 0;

  int fieldCount() const { return static_cast<int>(columns_.size()); }
  const std::string& fieldName(int index) const { return columns_[index]; }
  bool hasField(std::string_view name) const { return columnIndex(name) >= 0; }
  // REQUIRES: !eof() and the current row not deleted. Throws Error for an
  // unknown field.
  Value field(std::string_view name) const;
  Value field(int index) const;

  // Starts a new row / an edit of the current row; set() then writes fields
  // and update() saves them. After AddNew + Update the row that was current
  // stays current. REQUIRES for edit(): !eof().
  void addNew();
  void edit();
  void set(std::string_view name, const Value& value);
  void update();
  // Removes the current row; a following moveNext() reaches the next one.
  void remove();

 protected:
  Recordset(Database& db, const TableDef* table) : db_(db), table_(table) {}
  Recordset(Recordset&&) = default;

  int columnIndex(std::string_view name) const;
  // The values of the current row, one per column.
  virtual const std::vector<Value>& values() const = 0;
  // The row an update saved: the current row (edit) or a new row (add);
  // applyChanges() gives it its values after the update.
  virtual void rowSaved(int64_t rowid, bool added) = 0;
  virtual void rowRemoved() = 0;
  // Takes the result columns of a statement, from column `first` on, with
  // the table field each one shows.
  void readColumns(const Statement& statement, int first);
  // Reads the current result row of `statement` into `values`, each value as
  // its column's type, reusing the vector's storage.
  void readValues(const Statement& statement, int first, std::vector<Value>& values) const;
  // Writes the pending changes into the values of a row, one per column.
  void applyChanges(std::vector<Value>& values) const;
  void requireTable() const;
  void requireCurrent() const;
  void discardPending();

  Database& db_;
  const TableDef* table_;  // the base table that writes go to; null when read-only
  std::string table_name_;
  std::vector<std::string> columns_;
  std::vector<FieldType> column_types_;
  std::vector<bool> column_typed_;             // the column comes from a table field
  std::vector<const FieldDef*> column_field_;  // the field of `table_` a column shows, or null
  int64_t rowid_ = 0;
  bool has_row_ = false;
  bool row_deleted_ = false;
  bool no_match_ = false;

 private:
  enum class Pending { None, Add, Edit };
  // A prepared INSERT or UPDATE for one list of fields, kept so that a loop
  // of writes builds and looks up its SQL once.
  struct Write {
    bool added = false;
    std::vector<const FieldDef*> fields;
    std::shared_ptr<Statement> statement;
  };
  Statement& writeStatement(bool added);

  Pending pending_ = Pending::None;
  std::vector<std::pair<const FieldDef*, Value>> changes_;
  std::vector<Write> writes_;
  std::shared_ptr<Statement> delete_;
};

// A table-type recordset: rows in the order they were added, or in the order
// of the current index (key, then the order rows were added), which Seek
// positions on. Each move reads one row through statements the recordset
// prepares once and keeps.
class TableRecordset final : public Recordset {
 public:
  TableRecordset(Database& db, const TableDef& table);
  TableRecordset(TableRecordset&&) = default;

  // Chooses a named index of the table ("primary", "keyean", ...); the
  // current row stays current and moves then follow the index. Throws Error
  // when the table has no index of that name.
  void setIndex(std::string_view name);
  // Seek "=": the first row whose key equals `key` becomes current, or
  // noMatch() and eof() are true. A text key is compared whole, blind to
  // case and trailing blanks; a key that the key field cannot hold (a text
  // that is no number for a Long key, 40000 for an Integer key) matches
  // nothing. REQUIRES: an index is set.
  void seek(const Value& key);

  void moveFirst() override;
  void moveNext() override;
  void moveLast() override;

 private:
  // The statements of one order: by index key, or by the order of adding.
  struct Cursor {
    std::shared_ptr<Statement> seek, first, last, next, next_null, first_not_null;
  };
  const std::vector<Value>& values() const override { return row_; }
  void rowSaved(int64_t rowid, bool added) override;
  void rowRemoved() override {}
  std::shared_ptr<Statement>& statement(std::shared_ptr<Statement>& slot, const char* where);
  bool fetch(Statement& statement, std::initializer_list<Value> params);

  std::string select_;  // SELECT rowid, * FROM table
  std::string key_;     // the quoted key column; empty: the order rows were added
  const FieldDef* key_field_ = nullptr;
  int key_column_ = -1;  // the key's place among the columns
  Value key_stored_;     // the current row's key as stored, for moveNext
  Cursor cursor_;
  std::vector<Value> row_;
};

// The rows of a query, read when it runs. Updatable when the query reads one
// table: its rows then carry their row identity, and come in the order they
// were added unless the query has an ORDER BY.
class QueryRecordset final : public Recordset {
 public:
  QueryRecordset(Database& db, const std::string& sql, const std::vector<Value>& params);

  void moveFirst() override;
  void moveNext() override;
  void moveLast() override;
  // The rows read and added, deleted ones included.
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
  const std::vector<Value>& values() const override { return rows_[position_].values; }
  void rowSaved(int64_t rowid, bool added) override;
  void rowRemoved() override;
  void select(size_t index);
  bool matches(const Row& row, const Criteria& criteria) const;
  void find(size_t from, const Criteria& criteria);

  std::vector<Row> rows_;
  size_t position_ = 0;
};

}  // namespace gw::db
