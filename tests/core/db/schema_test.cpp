// The schema declaration and its creation in real SQLite files.
#include "core/db/schema.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "core/db/engine.h"

namespace gw::db {
namespace {

class SchemaFileTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("gw-schema-" + std::to_string(getpid()) + "-" +
            testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::unique_ptr<Connection> open(const std::string& name) {
    return OpenSqlite((dir_ / name).string(), true);
  }

  std::filesystem::path dir_;
};

// Rows of a query as "a|b|c" lines.
std::string Dump(Connection& connection, std::string_view sql) {
  auto statement = connection.prepare(sql);
  std::string out;
  while (statement->step()) {
    for (int i = 0; i < statement->columnCount(); ++i)
      out += (i ? "|" : "") + statement->column(i).toText();
    out += "\n";
  }
  statement->reset();
  return out;
}

// The columns of a table as "name TYPE collation", one per line.
std::string Columns(Connection& connection, std::string_view table) {
  auto statement = connection.prepare("SELECT name, type FROM pragma_table_info(?)");
  statement->bind(1, Value(table));
  std::string out;
  while (statement->step())
    out += statement->column(0).text() + " " + statement->column(1).text() + "\n";
  statement->reset();
  return out;
}

TEST(SchemaTest, LookupsAreCaseBlind) {
  const TableDef* codean = FindTable("CODEAN");
  ASSERT_NE(codean, nullptr);
  EXPECT_EQ(codean->name, "codean");
  ASSERT_NE(codean->field("EanAre"), nullptr);
  EXPECT_EQ(codean->field("EanAre")->width, 13);
  ASSERT_NE(codean->index("KEYEAN"), nullptr);
  EXPECT_EQ(codean->index("KEYEAN")->field, "eanare");
  EXPECT_EQ(codean->field("nosuchfield"), nullptr);
  EXPECT_EQ(codean->index("nosuchindex"), nullptr);
  EXPECT_EQ(FindTable("nosuchtable"), nullptr);
  // The till's table is not the store's order lines.
  EXPECT_EQ(FindTable("MOVIMENTIT")->fields.size(), 29u);
  EXPECT_NE(FindTable("movimenti"), FindTable("movimentiT"));
  EXPECT_NE(FindTable("società"), nullptr);
}

TEST(SchemaTest, DeclarationsHoldWhatTheScreensRelyOn) {
  struct Case {
    const char* table;
    const char* field;
    FieldType type;
    int width;
  };
  const Case cases[] = {
      {"articolo", "codart", FieldType::Long, 0},
      {"articolo", "przart", FieldType::Currency, 0},
      {"listi01", "data1", FieldType::Date, 0},
      {"ordine", "eanrig", FieldType::Text, 13},
      {"clienti", "codcliente", FieldType::Integer, 0},
      {"numeri", "tipo", FieldType::Text, 2},
      {"tipodoc", "coddoc", FieldType::Text, 12},
      {"invmo", "iva", FieldType::Text, 2},
      {"resi", "prezzo", FieldType::Currency, 0},
      {"ordini", "lotto", FieldType::Text, 15},
      {"carico", "desfor", FieldType::Text, 45},
      {"società", "database", FieldType::Text, 0},
  };
  for (const Case& c : cases) {
    const TableDef* table = FindTable(c.table);
    ASSERT_NE(table, nullptr) << c.table;
    const FieldDef* field = table->field(c.field);
    ASSERT_NE(field, nullptr) << c.table << "." << c.field;
    EXPECT_EQ(field->type, c.type) << c.table << "." << c.field;
    EXPECT_EQ(field->width, c.width) << c.table << "." << c.field;
  }
  // Field order matters where a screen lists the full table.
  EXPECT_EQ(FindTable("articolo")->fields.front().name, "codart");
  const auto& inventario = FindTable("inventario")->fields;
  EXPECT_EQ(inventario.front().name, "codcasa");
  EXPECT_EQ(inventario.back().name, "oper");
  // Every index names a declared field.
  for (DatabaseKind kind : {DatabaseKind::Configuration, DatabaseKind::Store, DatabaseKind::Till})
    for (const TableDef& table : Tables(kind))
      for (const IndexDef& index : table.indexes)
        EXPECT_NE(table.field(index.field), nullptr) << table.name << "." << index.name;
}

TEST(SchemaTest, DeclaredTypesRoundTrip) {
  for (FieldType type : {FieldType::Integer, FieldType::Long, FieldType::Currency,
                         FieldType::Number, FieldType::Text, FieldType::Date, FieldType::Memo})
    EXPECT_EQ(TypeFromDeclared(DeclaredType(type)), type) << DeclaredType(type);
  struct Case {
    const char* declared;
    FieldType type;
  };
  const Case others[] = {
      {"VARCHAR(13)", FieldType::Text},
      {"varchar ( 35 )", FieldType::Text},
      {"INT", FieldType::Long},
      {"REAL", FieldType::Number},
      {"NUMERIC", FieldType::Number},
      {"DATE", FieldType::Date},
      {"", FieldType::Text},
      {"memo", FieldType::Memo},
  };
  for (const Case& c : others) EXPECT_EQ(TypeFromDeclared(c.declared), c.type) << c.declared;
  EXPECT_EQ(SqlIndexName("codean", "keyean"), "codean_keyean");
}

TEST_F(SchemaFileTest, CreatesEveryTableAndIndexOfEachFamily) {
  for (DatabaseKind kind : {DatabaseKind::Configuration, DatabaseKind::Store, DatabaseKind::Till}) {
    auto connection = open("family" + std::to_string(static_cast<int>(kind)) + ".mdb");
    CreateSchema(*connection, kind);
    for (const TableDef& table : Tables(kind)) {
      EXPECT_EQ(Dump(*connection,
                     "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND "
                     "name = '" +
                         std::string(table.name) + "'"),
                "1\n")
          << table.name;
      auto statement = connection->prepare("SELECT count(*) FROM pragma_table_info(?)");
      statement->bind(1, Value(table.name));
      ASSERT_TRUE(statement->step());
      EXPECT_EQ(statement->column(0).integer(), static_cast<int64_t>(table.fields.size()))
          << table.name;
      statement->reset();
      for (const IndexDef& index : table.indexes)
        EXPECT_EQ(Dump(*connection,
                       "SELECT tbl_name FROM sqlite_master WHERE type = 'index' "
                       "AND name = '" +
                           SqlIndexName(table.name, index.name) + "'"),
                  std::string(table.name) + "\n");
    }
  }
}

TEST_F(SchemaFileTest, ColumnsCarryTheirDeclaredTypes) {
  auto connection = open("store.mdb");
  CreateSchema(*connection, DatabaseKind::Store);
  EXPECT_EQ(Columns(*connection, "clienti"),
            "codcliente SMALLINT\n"
            "dsccliente VARCHAR(35)\n"
            "codfat VARCHAR(3)\n");
  // Text columns compare blind to case in every program reading the file.
  EXPECT_NE(Dump(*connection, "SELECT sql FROM sqlite_master WHERE name = 'tipodoc'")
                .find("\"dscdoc\" TEXT COLLATE NOCASE"),
            std::string::npos);
  connection->execute("INSERT INTO codean (eanare, codare) VALUES ('8001234567895', 7)");
  EXPECT_EQ(Dump(*connection, "SELECT codare FROM codean WHERE eanare = '8001234567895  '"), "7\n");
  connection->execute("INSERT INTO tipodoc (coddoc) VALUES ('Inventario')");
  EXPECT_EQ(Dump(*connection, "SELECT count(*) FROM tipodoc WHERE coddoc = 'INVENTARIO'"), "1\n");
}

TEST_F(SchemaFileTest, RunningAgainKeepsRowsAndAddsMissingFields) {
  auto connection = open("old.mdb");
  // A table written by an older program: fewer fields, one of them in
  // another case, and a row to keep.
  connection->execute(
      "CREATE TABLE clienti (CodCliente SMALLINT, dsccliente VARCHAR(35));"
      "INSERT INTO clienti VALUES (1, 'SUPERMERCATO DI PROVA');");
  CreateSchema(*connection, DatabaseKind::Store);
  CreateSchema(*connection, DatabaseKind::Store);
  EXPECT_EQ(Columns(*connection, "clienti"),
            "CodCliente SMALLINT\n"
            "dsccliente VARCHAR(35)\n"
            "codfat VARCHAR(3)\n");
  EXPECT_EQ(Dump(*connection, "SELECT * FROM clienti"), "1|SUPERMERCATO DI PROVA|\n");
  EXPECT_EQ(Dump(*connection, "SELECT count(*) FROM sqlite_master WHERE name = 'clienti_primary'"),
            "1\n");
  EXPECT_FALSE(connection->inTransaction());
}

// The price lookup by supplier code runs "trim(codafo) = ?" on a price list
// of 200,000 rows: a file made before its index gets it, and the lookup
// searches the index while still matching codes padded on either side.
TEST_F(SchemaFileTest, SupplierCodeLookupSearchesItsIndex) {
  auto connection = open("prices.mdb");
  connection->execute(
      "CREATE TABLE listi01 (codart INTEGER, codafo TEXT COLLATE NOCASE);"
      "INSERT INTO listi01 VALUES (1, '000000555'), (2, ' 000000555  '), (3, '000000556'),"
      "(4, '000000555'), (5, NULL);");
  CreateSchema(*connection, DatabaseKind::Store);
  const std::string lookup =
      "SELECT rowid, codart FROM listi01 WHERE trim(codafo) = '000000555' ORDER BY rowid";
  EXPECT_NE(Dump(*connection, "EXPLAIN QUERY PLAN " + lookup).find("USING INDEX listi01_codafo"),
            std::string::npos);
  EXPECT_EQ(Dump(*connection, lookup), "1|1\n2|2\n4|4\n");
}

TEST_F(SchemaFileTest, JoinsATransactionTheCallerHolds) {
  auto connection = open("held.mdb");
  connection->execute("BEGIN");
  CreateSchema(*connection, DatabaseKind::Till);
  EXPECT_TRUE(connection->inTransaction());
  connection->execute("ROLLBACK");
  EXPECT_EQ(Dump(*connection, "SELECT count(*) FROM sqlite_master"), "0\n");
}

}  // namespace
}  // namespace gw::db
