// The one declaration of every table, field and named index of the store's
// databases, from which `init` builds the files and the storage layer takes
// field types, widths and index keys.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace gw::db {

enum class FieldType {
  Integer,   // 16-bit signed
  Long,      // 32-bit signed
  Currency,  // fixed point, four decimals
  Number,    // floating number
  Text,      // text; `width` > 0 cuts it to that many characters
  Date,      // date, time or both
  Memo,      // long text without a width
};

struct FieldDef {
  std::string_view name;
  FieldType type;
  int width = 0;  // characters, for Text
};

struct IndexDef {
  std::string_view name;   // the name the screens Seek by: "primary", "keyean", ...
  std::string_view field;  // one key field
  bool unique = false;
};

// An index on an expression of fields that a query's WHERE uses as written
// ("trim(codafo) = ?"); Seek never goes through it.
struct QueryIndexDef {
  std::string_view name;
  std::string_view expression;
};

struct TableDef {
  std::string_view name;
  std::vector<FieldDef> fields;
  std::vector<IndexDef> indexes;
  std::vector<QueryIndexDef> query_indexes = {};

  // Case-blind lookups, as field names are matched in the store's databases.
  const FieldDef* field(std::string_view name) const;
  const IndexDef* index(std::string_view name) const;
};

// Which file family a table belongs to.
enum class DatabaseKind {
  Configuration,  // \tolv\vorsa.mdb
  Store,          // the working and store databases (\vorsa, \quib, \murantopexi)
  Till,           // a till's database named by "casse"
};

const std::vector<TableDef>& Tables(DatabaseKind kind);

// The table of that name in any family (case-blind), or nullptr.
const TableDef* FindTable(std::string_view name);

// The SQL column type a field is declared with; the storage layer reads the
// field type back from it.
std::string_view DeclaredType(FieldType type);
FieldType TypeFromDeclared(std::string_view declared);

// The SQL name of a named index: index names are per table in the store's
// databases, per file in SQL.
std::string SqlIndexName(std::string_view table, std::string_view index);

// Creates in an open file every table, field and index of the family that is
// missing; never drops or changes what is there.
class Connection;
void CreateSchema(Connection& connection, DatabaseKind kind);

}  // namespace gw::db
