// A store database on disk for the storage tests: an empty working database
// built from the schema in a fresh data folder, fixture rows written with
// the engine's prepared statements, and helpers that print values and rows
// as one string so that each assertion reads as one line.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include "core/db/database.h"
#include "core/db/engine.h"
#include "core/db/paths.h"
#include "core/db/recordset.h"
#include "core/db/schema.h"
#include "core/vb/vb.h"
#include "support/temp_dir.h"

namespace gw::db::test {

inline constexpr const char* kWorking = "\\vorsa\\dati.mdb";

inline std::string Between(char mark, const std::string& text) {
  std::string out(1, mark);
  out += text;
  out += mark;
  return out;
}

// A value as the assertions spell it: texts in quotes (so blanks show),
// numbers in the clerk's form, dates between '#', Null as Null.
inline std::string Show(const Value& v) {
  switch (v.kind()) {
    case Value::Kind::Null:
      return "Null";
    case Value::Kind::Text:
      return Between('\'', v.text());
    case Value::Kind::Date:
      return Between('#', v.toText());
    default:
      return v.toText();
  }
}

// The current row's fields, "a,b".
inline std::string Row(const Recordset& rs, std::initializer_list<std::string_view> fields) {
  if (rs.eof()) return "EOF";
  std::string out;
  for (std::string_view f : fields) {
    if (!out.empty()) out += ',';
    out += Show(rs.field(f));
  }
  return out;
}

// The current row and every row after it, "a,b | a,b"; the recordset is left
// at its end.
inline std::string Walk(Recordset& rs, std::initializer_list<std::string_view> fields) {
  std::string out;
  for (; !rs.eof(); rs.moveNext()) {
    if (!out.empty()) out += " | ";
    out += Row(rs, fields);
  }
  return out;
}

// All rows from the first.
inline std::string Rows(Recordset& rs, std::initializer_list<std::string_view> fields) {
  rs.moveFirst();
  return Walk(rs, fields);
}

class StoreTest : public testing::Test {
 protected:
  StoreTest() : pool_(dir_.path()) {
    std::filesystem::path file = MapProgramPath(dir_.path(), kWorking);
    std::filesystem::create_directories(file.parent_path());
    CreateSchema(*OpenSqlite(file.string(), true), DatabaseKind::Store);
  }

  Database& db() { return pool_.open(kWorking); }

  // Adds a row with the given fields, bound as they are (no conversion).
  void insert(std::string_view table,
              std::initializer_list<std::pair<std::string_view, Value>> fields) {
    std::string names, marks;
    for (const auto& f : fields) {
      names += (names.empty() ? "\"" : ",\"") + std::string(f.first) + "\"";
      marks += marks.empty() ? "?" : ",?";
    }
    std::string sql =
        "INSERT INTO \"" + std::string(table) + "\" (" + names + ") VALUES (" + marks + ")";
    auto statement = db().connection().prepare(sql);
    int i = 1;
    for (const auto& f : fields) statement->bind(i++, f.second);
    statement->step();
  }

  // The rows of a raw query, columns joined by ',' and rows by " | ", as
  // the file holds them: texts in quotes, numbers as SQL prints them.
  std::string raw(std::string_view sql) {
    auto statement = db().connection().prepare(sql);
    std::string out;
    while (statement->step()) {
      if (!out.empty()) out += " | ";
      for (int i = 0; i < statement->columnCount(); ++i) {
        Value v = statement->column(i);
        if (i) out += ',';
        if (v.kind() == Value::Kind::Double) {
          char number[32];
          std::snprintf(number, sizeof number, "%.15g", v.real());
          out += number;
        } else {
          out += Show(v);
        }
      }
    }
    return out;
  }

  gw::test::TempDir dir_;
  DatabasePool pool_;
};

}  // namespace gw::db::test
