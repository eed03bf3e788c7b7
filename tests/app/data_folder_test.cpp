// The data folder: program paths, the files `init` creates and the demo store.
#include "app/data_folder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>

#include "core/db/engine.h"
#include "core/db/paths.h"
#include "core/db/schema.h"

namespace gw::app {
namespace {

namespace fs = std::filesystem;

class DataFolderTest : public testing::Test {
 protected:
  void SetUp() override {
    root_ =
        fs::temp_directory_path() / ("gw-data-" + std::to_string(getpid()) + "-" +
                                     testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_);
  }
  void TearDown() override { fs::remove_all(root_); }

  std::unique_ptr<db::Connection> open(const fs::path& dir, std::string_view programPath) {
    return db::OpenSqlite(db::MapProgramPath(dir, programPath).string(), false);
  }

  fs::path root_;
};

std::string Dump(db::Connection& connection, std::string_view sql) {
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

int64_t Count(db::Connection& connection, std::string_view sql) {
  auto statement = connection.prepare(sql);
  EXPECT_TRUE(statement->step());
  int64_t count = statement->column(0).integer();
  statement->reset();
  return count;
}

std::set<std::string> TableNames(db::Connection& connection) {
  std::set<std::string> names;
  auto statement = connection.prepare("SELECT name FROM sqlite_master WHERE type = 'table'");
  while (statement->step()) names.insert(statement->column(0).text());
  statement->reset();
  return names;
}

void ExpectFamily(db::Connection& connection, db::DatabaseKind kind) {
  std::set<std::string> names = TableNames(connection);
  EXPECT_EQ(names.size(), db::Tables(kind).size()) << connection.path();
  for (const db::TableDef& table : db::Tables(kind))
    EXPECT_TRUE(names.count(std::string(table.name))) << connection.path() << ": " << table.name;
}

TEST(MapProgramPathTest, PlacesProgramPathsUnderTheDataFolder) {
  struct Case {
    const char* program;
    const char* mapped;
  };
  const Case cases[] = {
      {"\\tolv\\vorsa.mdb", "/data/tolv/vorsa.mdb"},
      {"C:\\kalvor\\inve1.dat", "/data/kalvor/inve1.dat"},
      {"c:\\program files\\vorsa\\bilance\\sco10012.dat",
       "/data/program files/vorsa/bilance/sco10012.dat"},
      {"D:Casse\\Cassa1.MDB", "/data/Casse/Cassa1.MDB"},
      {"casse\\cassa2.mdb", "/data/casse/cassa2.mdb"},
      {"\\\\server\\share\\x.mdb", "/data/server/share/x.mdb"},
      {"/quib/dati.mdb", "/data/quib/dati.mdb"},
      {"\\vorsa\\.\\..\\..\\quib\\dati.mdb", "/data/quib/dati.mdb"},
      {"\\società\\dati.mdb", "/data/società/dati.mdb"},
      {"", "/data"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(db::MapProgramPath("/data", c.program).string(), c.mapped) << c.program;
}

TEST_F(DataFolderTest, InitCreatesEveryFileAndTheTillsNamedInCasse) {
  fs::path dir = root_ / "drive";
  InitDataFolder(dir);
  ExpectFamily(*open(dir, "\\tolv\\vorsa.mdb"), db::DatabaseKind::Configuration);
  for (const char* store : {"\\vorsa\\dati.mdb", "\\quib\\dati.mdb", "\\murantopexi\\dati.mdb"})
    ExpectFamily(*open(dir, store), db::DatabaseKind::Store);

  {
    auto working = open(dir, "\\vorsa\\dati.mdb");
    working->execute(
        "INSERT INTO casse (numero, percorsoint) VALUES (1, 'C:\\casse\\uno.mdb'), "
        "(2, 'torri/due.mdb'), (3, '   '), (4, NULL);"
        "INSERT INTO articolo (codart, desart) VALUES (100001, 'L''OLIO DI PROVA');");
  }
  InitDataFolder(dir);
  ExpectFamily(*open(dir, "\\casse\\uno.mdb"), db::DatabaseKind::Till);
  ExpectFamily(*open(dir, "torri\\due.mdb"), db::DatabaseKind::Till);
  EXPECT_EQ(Dump(*open(dir, "\\vorsa\\dati.mdb"), "SELECT codart, desart FROM articolo"),
            "100001|L'OLIO DI PROVA\n");
}

TEST_F(DataFolderTest, DemoIsTheSameStoreOnEveryRun) {
  fs::path first = root_ / "first", second = root_ / "second";
  FillDemo(first);
  FillDemo(second);
  const char* queries[] = {
      "SELECT * FROM articolo ORDER BY rowid",
      "SELECT * FROM codean ORDER BY rowid",
      "SELECT codart, codafo, desart, desfor, przpub, marg, przsal, cosoff FROM listi01 "
      "ORDER BY rowid",
  };
  for (const char* sql : queries) {
    std::string a = Dump(*open(first, "\\quib\\dati.mdb"), sql);
    EXPECT_EQ(a, Dump(*open(second, "\\quib\\dati.mdb"), sql)) << sql;
    EXPECT_EQ(a, Dump(*open(first, "\\vorsa\\dati.mdb"), sql)) << sql;
  }

  // A second fill of a filled folder adds nothing.
  auto quib = open(first, "\\quib\\dati.mdb");
  int64_t articles = Count(*quib, "SELECT count(*) FROM articolo");
  FillDemo(first);
  EXPECT_EQ(Count(*quib, "SELECT count(*) FROM articolo"), articles);
  EXPECT_EQ(Count(*open(first, "\\tolv\\vorsa.mdb"), "SELECT count(*) FROM società"), 1);
}

TEST_F(DataFolderTest, DemoHoldsABelievableStore) {
  fs::path dir = root_ / "demo";
  FillDemo(dir);
  auto quib = open(dir, "\\quib\\dati.mdb");
  int64_t articles = Count(*quib, "SELECT count(*) FROM articolo");
  EXPECT_GE(articles, 1900);
  EXPECT_LE(articles, 2200);
  EXPECT_EQ(Count(*quib, "SELECT count(DISTINCT codart) FROM articolo"), articles);
  EXPECT_EQ(Count(*quib,
                  "SELECT count(*) FROM articolo WHERE length(desart) > 35 OR "
                  "desart <> upper(desart) COLLATE BINARY"),
            0);
  EXPECT_GT(Count(*quib, "SELECT count(*) FROM articolo WHERE desart LIKE '%''%'"), 0);
  EXPECT_GT(Count(*quib, "SELECT count(*) FROM listi01 WHERE ivart >= 50"), 0);
  EXPECT_EQ(Count(*quib, "SELECT count(*) FROM listi01 WHERE length(codafo) <> 9"), 0);
  EXPECT_EQ(Count(*quib,
                  "SELECT count(*) FROM articolo a WHERE NOT EXISTS "
                  "(SELECT 1 FROM codean c WHERE c.codare = a.codart)"),
            0);
  EXPECT_EQ(Count(*quib,
                  "SELECT count(*) FROM codean c WHERE NOT EXISTS "
                  "(SELECT 1 FROM listi01 l WHERE l.codart = c.codare)"),
            0);
  EXPECT_EQ(Dump(*quib, "SELECT dsccliente FROM clienti WHERE codcliente = 1"),
            "SUPERMERCATO VORSA CENTRO\n");

  // Every code is 13 digits with a valid check digit: EAN-13, EAN-8 padded
  // with zeros, in-store codes of weighed goods and the scale prefix.
  auto codes = quib->prepare("SELECT eanare, codare, codbil FROM codean");
  std::set<std::string> seen;
  int ean8 = 0, inStore = 0;
  while (codes->step()) {
    std::string ean = codes->column(0).text();
    ASSERT_EQ(ean.size(), 13u) << ean;
    ASSERT_EQ(ean.find_first_not_of("0123456789"), std::string::npos) << ean;
    int sum = 0;
    for (int i = 0; i < 12; ++i) sum += (ean[i] - '0') * (i % 2 ? 3 : 1);
    EXPECT_EQ(ean[12] - '0', (10 - sum % 10) % 10) << ean;
    EXPECT_TRUE(seen.insert(ean).second) << "doppio " << ean;
    if (ean.compare(0, 5, "00000") == 0) ++ean8;
    if (ean[0] == '2') {
      ++inStore;
      std::string plu = ean.substr(1, 6);
      EXPECT_EQ(codes->column(1).toText(), std::to_string(std::stoi(plu))) << ean;
      EXPECT_EQ(codes->column(2).toText(), plu) << ean;
    }
  }
  codes->reset();
  EXPECT_GT(ean8, 0);
  EXPECT_GT(inStore, 0);

  // Scale tickets resolve to one article with a price-list row.
  EXPECT_EQ(Count(*quib,
                  "SELECT count(*) FROM codean c JOIN listi01 l ON l.codart = c.codare "
                  "WHERE substr(eanare, 1, 12) = '990000000000'"),
            1);

  auto working = open(dir, "\\vorsa\\dati.mdb");
  EXPECT_EQ(Dump(*working, "SELECT coddoc, numeratore FROM tipodoc ORDER BY coddoc"),
            "AUTOCONSUMO|AU\nCASSONETTO|CA\nDDTRESFOR|RF\nINVENTARIO|IN\nROTTAMAZIONE|RO\n"
            "SCARTI|SC\n");
  EXPECT_EQ(Count(*working,
                  "SELECT count(*) FROM numeri WHERE codutente = 1 AND anno = "
                  "CAST(strftime('%Y', 'now', 'localtime') AS INTEGER)"),
            7);
  EXPECT_EQ(Count(*working, "SELECT count(*) FROM fornitori"), 20);
  // Supplier orders belong to existing suppliers and have lines.
  EXPECT_EQ(Count(*working,
                  "SELECT count(*) FROM testao t WHERE NOT EXISTS (SELECT 1 FROM "
                  "fornitori f WHERE f.codfornitore = t.codfor AND "
                  "f.dscfornitore = t.dscfornitore)"),
            0);
  EXPECT_EQ(Count(*working, "SELECT count(DISTINCT bnumer) FROM ordini"),
            Count(*working, "SELECT count(*) FROM testao"));
  EXPECT_EQ(Dump(*open(dir, "\\tolv\\vorsa.mdb"), "SELECT database FROM società"),
            "\\vorsa\\dati.mdb\n");
  auto tills = working->prepare("SELECT percorsoint FROM casse ORDER BY numero");
  int tillCount = 0;
  while (tills->step()) {
    ++tillCount;
    ExpectFamily(*open(dir, tills->column(0).text()), db::DatabaseKind::Till);
  }
  tills->reset();
  EXPECT_EQ(tillCount, 2);
}

}  // namespace
}  // namespace gw::app
