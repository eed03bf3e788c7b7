// Recordsets over the engine: table-type cursors that walk an index with
// one small prepared query per move, and query snapshots read when they run.
#include "core/db/recordset.h"

#include <cctype>

#include "core/db/database.h"
#include "core/vb/vb.h"

namespace gw::db {
namespace {

constexpr std::string_view kRowidColumn = "gw_rowid";

char LowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Field names are ASCII; every field read and write looks one up, so the
// compare is locale-free.
bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

std::string Quoted(std::string_view name) {
  std::string out = "\"";
  for (char c : name) {
    out += c;
    if (c == '"') out += '"';
  }
  return out + "\"";
}

// Text order of the store: blind to ASCII case and trailing blanks.
int CompareText(std::string_view a, std::string_view b) {
  while (!a.empty() && a.back() == ' ') a.remove_suffix(1);
  while (!b.empty() && b.back() == ' ') b.remove_suffix(1);
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    int ca = static_cast<unsigned char>(a[i]), cb = static_cast<unsigned char>(b[i]);
    if (ca >= 'A' && ca <= 'Z') ca += 'a' - 'A';
    if (cb >= 'A' && cb <= 'Z') cb += 'a' - 'A';
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int Sign(double d) {
  return d < 0 ? -1 : (d > 0 ? 1 : 0);
}

bool NumberLike(const Value& v) {
  return v.isNumber() || v.kind() == Value::Kind::Date;
}

double NumberOf(const Value& v) {
  if (v.kind() == Value::Kind::Date) return v.date().serial;
  return v.kind() == Value::Kind::Integer ? static_cast<double>(v.integer()) : v.real();
}

bool Holds(int comparison, Condition::Op op) {
  switch (op) {
    case Condition::Op::Equal:
      return comparison == 0;
    case Condition::Op::NotEqual:
      return comparison != 0;
    case Condition::Op::Less:
      return comparison < 0;
    case Condition::Op::LessEqual:
      return comparison <= 0;
    case Condition::Op::Greater:
      return comparison > 0;
    case Condition::Op::GreaterEqual:
      return comparison >= 0;
  }
  return false;
}

Error NoCurrentRecord() {
  return Error("Nessun record corrente.");
}

// A whole number when `d` is one that fits, else `d` as it is.
Value WholeIfExact(double d) {
  if (d >= -9.0e18 && d <= 9.0e18 && d == static_cast<double>(static_cast<int64_t>(d)))
    return Value(static_cast<int64_t>(d));
  return Value(d);
}

// Reads a stored value as its column's type: dates come back as dates and
// numbers written as text by other programs as numbers. Reading never
// fails: what does not convert comes back as stored.
Value AsColumnType(FieldType type, bool typed, Value stored) {
  if (!typed || stored.isNull()) return stored;
  switch (type) {
    case FieldType::Date:
      if (stored.isText()) {
        DateTime d;
        if (vb::ParseDate(stored.text(), d)) return Value(d);
      } else if (stored.isNumber()) {
        return Value(DateTime{NumberOf(stored)});
      }
      return stored;
    case FieldType::Integer:
    case FieldType::Long: {
      double d = 0;
      if (stored.isText() && vb::TryCDbl(stored.text(), d)) return WholeIfExact(d);
      if (stored.kind() == Value::Kind::Double) return WholeIfExact(stored.real());
      return stored;
    }
    case FieldType::Currency:
    case FieldType::Number: {
      double d = 0;
      if (stored.isText() && vb::TryCDbl(stored.text(), d)) return Value(d);
      return stored;
    }
    case FieldType::Text:
    case FieldType::Memo:
      if (stored.isNumber()) return Value(stored.toText());
      return stored;
  }
  return stored;
}

}  // namespace

std::optional<int> CompareValues(const Value& a, const Value& b) {
  if (a.isNull() || b.isNull()) return std::nullopt;
  if (NumberLike(a) && NumberLike(b)) return Sign(NumberOf(a) - NumberOf(b));
  if (a.isText() && b.isText()) return CompareText(a.text(), b.text());
  const Value& text = a.isText() ? a : b;
  const Value& other = a.isText() ? b : a;
  int flip = a.isText() ? -1 : 1;
  if (other.kind() == Value::Kind::Date) {
    DateTime d;
    if (vb::ParseDate(text.text(), d)) return flip * Sign(other.date().serial - d.serial);
  } else if (vb::IsNumeric(text)) {
    return flip * Sign(NumberOf(other) - vb::CDbl(text));
  }
  return flip * CompareText(other.toText(), text.text());
}

Value CoerceToField(const FieldDef& field, const Value& value) {
  if (value.isNull()) return value;
  switch (field.type) {
    case FieldType::Integer:
      return Value(int64_t(vb::CInt(value)));
    case FieldType::Long:
      return Value(int64_t(vb::CLng(value)));
    case FieldType::Currency:
      return Value(vb::Round(vb::CDbl(value), 4));
    case FieldType::Number:
      if (value.kind() == Value::Kind::Integer) return value;
      return Value(vb::CDbl(value));
    case FieldType::Text: {
      std::string text = value.toText();
      if (field.width > 0 && vb::Len(text) > size_t(field.width))
        text = vb::Left(text, field.width);
      return Value(std::move(text));
    }
    case FieldType::Memo:
      return Value(value.toText());
    case FieldType::Date: {
      if (value.kind() == Value::Kind::Date) return value;
      if (value.isNumber()) return Value(DateTime{NumberOf(value)});
      DateTime d;
      if (vb::ParseDate(value.text(), d)) return Value(d);
      throw vb::RuntimeError("Tipo non corrispondente");
    }
  }
  return value;
}

namespace {

// A Seek key as the key field compares it: a text key whole (a code longer
// than the field must not find the code it starts with), anything else
// converted as the field stores it. Null when the field cannot hold it.
Value SeekKey(const FieldDef& field, const Value& key) {
  if (key.isNull()) return key;
  if (field.type == FieldType::Text || field.type == FieldType::Memo) return Value(key.toText());
  try {
    return CoerceToField(field, key);
  } catch (const vb::RuntimeError&) {
    return Value();
  }
}

}  // namespace

int Recordset::columnIndex(std::string_view name) const {
  for (size_t i = 0; i < columns_.size(); ++i)
    if (SameName(columns_[i], name)) return static_cast<int>(i);
  return -1;
}

Value Recordset::field(std::string_view name) const {
  int index = columnIndex(name);
  if (index < 0) throw Error("Elemento non trovato in questo insieme: " + std::string(name));
  return field(index);
}

Value Recordset::field(int index) const {
  requireCurrent();
  return values().at(index);
}

void Recordset::requireTable() const {
  if (!table_) throw Error("Impossibile aggiornare: la query non è aggiornabile.");
}

void Recordset::requireCurrent() const {
  if (!has_row_) throw NoCurrentRecord();
  if (row_deleted_) throw Error("Il record è stato eliminato.");
}

void Recordset::discardPending() {
  pending_ = Pending::None;
  changes_.clear();
}

void Recordset::addNew() {
  requireTable();
  pending_ = Pending::Add;
  changes_.clear();
}

void Recordset::edit() {
  requireTable();
  requireCurrent();
  pending_ = Pending::Edit;
  changes_.clear();
}

void Recordset::set(std::string_view name, const Value& value) {
  if (pending_ == Pending::None) throw Error("Aggiornamento senza AddNew o Edit.");
  const FieldDef* def = table_->field(name);
  if (!def) throw Error("Elemento non trovato in questo insieme: " + std::string(name));
  Value coerced = CoerceToField(*def, value);
  for (auto& change : changes_) {
    if (change.first == def) {
      change.second = std::move(coerced);
      return;
    }
  }
  changes_.emplace_back(def, std::move(coerced));
}

Statement& Recordset::writeStatement(bool added) {
  for (Write& write : writes_) {
    if (write.added != added || write.fields.size() != changes_.size()) continue;
    size_t i = 0;
    while (i < changes_.size() && write.fields[i] == changes_[i].first) ++i;
    if (i == changes_.size()) return *write.statement;
  }
  std::string sql;
  if (added) {
    std::string names, marks;
    for (const auto& change : changes_) {
      if (!names.empty()) {
        names += ',';
        marks += ',';
      }
      names += Quoted(change.first->name);
      marks += '?';
    }
    sql = "INSERT INTO ";
    sql += Quoted(table_name_);
    if (changes_.empty()) {
      sql += " DEFAULT VALUES";
    } else {
      sql += " (";
      sql += names;
      sql += ") VALUES (";
      sql += marks;
      sql += ')';
    }
  } else {
    sql = "UPDATE ";
    sql += Quoted(table_name_);
    sql += " SET ";
    for (size_t i = 0; i < changes_.size(); ++i) {
      if (i > 0) sql += ',';
      sql += Quoted(changes_[i].first->name);
      sql += "=?";
    }
    sql += " WHERE rowid=?";
  }
  auto statement = db_.connection().prepare(sql);
  Write& write = writes_.emplace_back();
  write.added = added;
  for (const auto& change : changes_) write.fields.push_back(change.first);
  write.statement = std::move(statement);
  return *write.statement;
}

void Recordset::update() {
  if (pending_ == Pending::None) throw Error("Aggiornamento senza AddNew o Edit.");
  const bool added = pending_ == Pending::Add;
  if (!added && changes_.empty()) {
    discardPending();
    return;
  }
  Statement& statement = writeStatement(added);
  int index = 1;
  for (const auto& change : changes_) statement.bind(index++, change.second);
  if (!added) statement.bind(index, Value(rowid_));
  // A failed step has reset the statement already; the next write binds
  // every parameter again.
  statement.step();
  statement.reset();
  rowSaved(added ? db_.connection().lastInsertRowid() : rowid_, added);
  discardPending();
}

void Recordset::applyChanges(std::vector<Value>& values) const {
  for (size_t i = 0; i < columns_.size(); ++i) {
    if (!column_field_[i]) continue;
    for (const auto& change : changes_)
      if (change.first == column_field_[i]) values[i] = change.second;
  }
}

void Recordset::remove() {
  requireTable();
  requireCurrent();
  discardPending();
  if (!delete_)
    delete_ = db_.connection().prepare("DELETE FROM " + Quoted(table_name_) + " WHERE rowid=?");
  delete_->bind(1, Value(rowid_));
  delete_->step();
  delete_->reset();
  row_deleted_ = true;
  rowRemoved();
}

void Recordset::readColumns(const Statement& statement, int first) {
  columns_.clear();
  column_types_.clear();
  column_typed_.clear();
  column_field_.clear();
  for (int i = first; i < statement.columnCount(); ++i) {
    columns_.push_back(statement.columnName(i));
    std::string declared = statement.columnDeclType(i);
    column_typed_.push_back(!declared.empty());
    column_types_.push_back(declared.empty() ? FieldType::Memo : TypeFromDeclared(declared));
    column_field_.push_back(table_ ? table_->field(columns_.back()) : nullptr);
  }
}

void Recordset::readValues(const Statement& statement, int first,
                           std::vector<Value>& values) const {
  values.resize(columns_.size());
  for (size_t i = 0; i < columns_.size(); ++i)
    values[i] = AsColumnType(column_types_[i], column_typed_[i],
                             statement.column(first + static_cast<int>(i)));
}

// --- Table recordsets ---------------------------------------------------

TableRecordset::TableRecordset(Database& db, const TableDef& table) : Recordset(db, &table) {
  table_name_ = std::string(table.name);
  select_ = "SELECT rowid, * FROM " + Quoted(table_name_);
  {
    auto statement = db_.connection().prepare(select_ + " LIMIT 0");
    readColumns(*statement, 1);
  }
  moveFirst();
}

void TableRecordset::setIndex(std::string_view name) {
  const IndexDef* index = table_->index(name);
  if (!index) throw Error("'" + std::string(name) + "' non è un indice di questa tabella.");
  const FieldDef* field = table_->field(index->field);
  int column = columnIndex(index->field);
  if (!field || column < 0)
    throw Error("Il campo chiave '" + std::string(index->field) + "' non è nella tabella.");
  discardPending();
  key_field_ = field;
  key_column_ = column;
  key_ = Quoted(field->name);
  key_stored_ = has_row_ ? row_[column] : Value();
  cursor_ = Cursor{};
}

std::shared_ptr<Statement>& TableRecordset::statement(std::shared_ptr<Statement>& slot,
                                                      const char* where) {
  if (!slot) {
    std::string sql = select_;
    for (const char* p = where; *p; ++p) {
      if (*p == '@')
        sql += key_;
      else
        sql += *p;
    }
    slot = db_.connection().prepare(sql);
  }
  return slot;
}

bool TableRecordset::fetch(Statement& statement, std::initializer_list<Value> params) {
  int index = 1;
  for (const Value& param : params) statement.bind(index++, param);
  has_row_ = statement.step();
  row_deleted_ = false;
  if (has_row_) {
    rowid_ = statement.column(0).integer();
    readValues(statement, 1, row_);
    if (key_column_ >= 0) key_stored_ = statement.column(1 + key_column_);
  }
  statement.reset();
  return has_row_;
}

void TableRecordset::seek(const Value& key) {
  if (!key_field_) throw Error("Nessun indice impostato per Seek.");
  discardPending();
  Value typed = SeekKey(*key_field_, key);
  if (typed.isNull()) {
    no_match_ = true;
    has_row_ = false;
    return;
  }
  no_match_ = !fetch(*statement(cursor_.seek, " WHERE @ = ?1 ORDER BY @, rowid LIMIT 1"), {typed});
}

void TableRecordset::moveFirst() {
  discardPending();
  if (key_.empty())
    fetch(*statement(cursor_.first, " ORDER BY rowid LIMIT 1"), {});
  else
    fetch(*statement(cursor_.first, " ORDER BY @, rowid LIMIT 1"), {});
}

void TableRecordset::moveLast() {
  discardPending();
  if (key_.empty())
    fetch(*statement(cursor_.last, " ORDER BY rowid DESC LIMIT 1"), {});
  else
    fetch(*statement(cursor_.last, " ORDER BY @ DESC, rowid DESC LIMIT 1"), {});
}

void TableRecordset::moveNext() {
  if (!has_row_) throw NoCurrentRecord();
  discardPending();
  if (key_.empty()) {
    fetch(*statement(cursor_.next, " WHERE rowid > ?1 ORDER BY rowid LIMIT 1"), {Value(rowid_)});
    return;
  }
  // Null keys come first in the index, in the order they were added.
  if (key_stored_.isNull()) {
    if (fetch(
            *statement(cursor_.next_null, " WHERE @ IS NULL AND rowid > ?1 ORDER BY rowid LIMIT 1"),
            {Value(rowid_)}))
      return;
    fetch(*statement(cursor_.first_not_null, " WHERE @ IS NOT NULL ORDER BY @, rowid LIMIT 1"), {});
    return;
  }
  fetch(*statement(cursor_.next, " WHERE (@, rowid) > (?1, ?2) ORDER BY @, rowid LIMIT 1"),
        {key_stored_, Value(rowid_)});
}

// An added row is not the current one: only an edit changes what is read.
void TableRecordset::rowSaved(int64_t, bool added) {
  if (added) return;
  applyChanges(row_);
  if (key_column_ >= 0) key_stored_ = row_[key_column_];
}

// --- Query recordsets ---------------------------------------------------

namespace {

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

bool IsWordChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

bool HasWord(const std::string& lower_sql, std::string_view word) {
  size_t at = 0;
  while ((at = lower_sql.find(word, at)) != std::string::npos) {
    bool left = at == 0 || !IsWordChar(lower_sql[at - 1]);
    size_t end = at + word.size();
    bool right = end >= lower_sql.size() || !IsWordChar(lower_sql[end]);
    if (left && right) return true;
    at = end;
  }
  return false;
}

// The one table a plain query reads, or "" when it reads several or
// aggregates (such rows cannot be written back).
std::string SingleTable(const std::string& sql) {
  std::string lower = Lower(sql);
  for (std::string_view word : {"join", "group", "union", "distinct", "count", "sum"})
    if (HasWord(lower, word)) return "";
  size_t from = std::string::npos, at = 0;
  while ((at = lower.find("from", at)) != std::string::npos) {
    bool left = at > 0 && std::isspace(static_cast<unsigned char>(lower[at - 1]));
    bool right = at + 4 < lower.size() && std::isspace(static_cast<unsigned char>(lower[at + 4]));
    if (left && right) {
      if (from != std::string::npos) return "";
      from = at + 4;
    }
    at += 4;
  }
  if (from == std::string::npos) return "";
  while (from < sql.size() && std::isspace(static_cast<unsigned char>(sql[from]))) ++from;
  if (from >= sql.size()) return "";
  char open = sql[from];
  if (open == '[' || open == '"') {
    size_t close = sql.find(open == '[' ? ']' : '"', from + 1);
    if (close == std::string::npos) return "";
    return sql.substr(from + 1, close - from - 1);
  }
  size_t end = from;
  while (end < sql.size() && !std::isspace(static_cast<unsigned char>(sql[end])) &&
         sql[end] != ',' && sql[end] != ';' && sql[end] != ')')
    ++end;
  return sql.substr(from, end - from);
}

// The query without blanks and semicolons around it.
std::string Trimmed(const std::string& sql) {
  size_t begin = 0, end = sql.size();
  while (begin < end && std::isspace(static_cast<unsigned char>(sql[begin]))) ++begin;
  while (end > begin &&
         (std::isspace(static_cast<unsigned char>(sql[end - 1])) || sql[end - 1] == ';'))
    --end;
  return sql.substr(begin, end - begin);
}

}  // namespace

QueryRecordset::QueryRecordset(Database& db, const std::string& sql,
                               const std::vector<Value>& params)
    : Recordset(db, nullptr) {
  std::string text = Trimmed(sql);
  std::string lower = Lower(text);
  std::string table = SingleTable(text);
  const TableDef* def = table.empty() ? nullptr : FindTable(table);
  int first = 0;
  if (def && lower.compare(0, 6, "select") == 0 && text.size() > 6 &&
      std::isspace(static_cast<unsigned char>(text[6]))) {
    text = "SELECT rowid AS " + std::string(kRowidColumn) + "," + text.substr(6);
    // Rows come in the order they were added unless the query says otherwise.
    if (!HasWord(lower, "order") && !HasWord(lower, "limit")) text += " ORDER BY rowid";
    first = 1;
    table_ = def;
    table_name_ = std::string(def->name);
  }
  auto statement = db_.connection().prepare(text);
  for (size_t i = 0; i < params.size(); ++i) statement->bind(int(i) + 1, params[i]);
  readColumns(*statement, first);
  while (statement->step()) {
    Row& row = rows_.emplace_back();
    row.rowid = first ? statement->column(0).integer() : 0;
    readValues(*statement, first, row.values);
  }
  select(0);
}

void QueryRecordset::select(size_t index) {
  position_ = index;
  has_row_ = index < rows_.size();
  if (has_row_) {
    rowid_ = rows_[index].rowid;
    row_deleted_ = rows_[index].deleted;
  } else {
    row_deleted_ = false;
  }
}

void QueryRecordset::moveFirst() {
  discardPending();
  size_t i = 0;
  while (i < rows_.size() && rows_[i].deleted) ++i;
  select(i);
}

void QueryRecordset::moveLast() {
  discardPending();
  size_t i = rows_.size();
  while (i > 0 && rows_[i - 1].deleted) --i;
  select(i == 0 ? rows_.size() : i - 1);
}

void QueryRecordset::moveNext() {
  if (!has_row_) throw NoCurrentRecord();
  discardPending();
  size_t i = position_ + 1;
  while (i < rows_.size() && rows_[i].deleted) ++i;
  select(i);
}

bool QueryRecordset::matches(const Row& row, const Criteria& criteria) const {
  if (row.deleted) return false;
  for (const Condition& condition : criteria) {
    int index = columnIndex(condition.field);
    if (index < 0) throw Error("Elemento non trovato in questo insieme: " + condition.field);
    auto comparison = CompareValues(row.values[index], condition.value);
    if (!comparison || !Holds(*comparison, condition.op)) return false;
  }
  return true;
}

void QueryRecordset::find(size_t from, const Criteria& criteria) {
  for (size_t i = from; i < rows_.size(); ++i) {
    if (matches(rows_[i], criteria)) {
      discardPending();
      no_match_ = false;
      select(i);
      return;
    }
  }
  no_match_ = true;
}

void QueryRecordset::findFirst(const Criteria& criteria) {
  find(0, criteria);
}

void QueryRecordset::findNext(const Criteria& criteria) {
  find(has_row_ ? position_ + 1 : rows_.size(), criteria);
}

void QueryRecordset::rowSaved(int64_t rowid, bool added) {
  if (added) {
    Row row{rowid, std::vector<Value>(columns_.size()), false};
    applyChanges(row.values);
    rows_.push_back(std::move(row));
  } else {
    applyChanges(rows_[position_].values);
  }
}

void QueryRecordset::rowRemoved() {
  rows_[position_].deleted = true;
}

}  // namespace gw::db
