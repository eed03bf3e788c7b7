// The storage layer on real SQLite files: table recordsets with Seek and
// moves, query recordsets behind data links, the store's text comparison,
// writes with their conversions, transactions and the engine's errors.
#include "core/db/database.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "core/db/datalink.h"
#include "core/db/like.h"
#include "core/db/recordset.h"
#include "core/db/store_fixture.h"
#include "core/vb/vb.h"

namespace gw::db::test {
namespace {

using Op = Condition::Op;

// --- Seek and moves on table recordsets ---------------------------------

class SeekTest : public StoreTest {
 protected:
  void SetUp() override {
    insert("codean", {{"eanare", "8001234567890"}, {"codare", 1}});
    insert("codean", {{"eanare", "8001234"}, {"codare", 2}});  // a short in-store code
    insert("codean", {{"eanare", "ABC12        "}, {"codare", 3}});
    insert("listi01", {{"codart", 500}, {"desart", "PASTA"}});
    insert("listi01", {{"codart", 12}, {"desart", "OLIO"}});
    insert("listi01", {{"codart", 70}, {"desart", "SALE"}});
  }
};

TEST_F(SeekTest, KeyeanFindsTheWholeCodeBlindToCaseAndTrailingBlanks) {
  struct Case {
    Value key;
    const char* found;  // codare, or "NoMatch"
  } cases[] = {
      {"8001234567890", "1"},
      {"8001234      ", "2"},  // the code padded to 13 as the session keeps it
      {"8001234", "2"},
      {"abc12", "3"},
      {"ABC12 ", "3"},
      {"80012345678901", "NoMatch"},  // longer than the field: not cut to it
      {"800123", "NoMatch"},
      {"", "NoMatch"},
      {Value(), "NoMatch"},
  };
  TableRecordset rs = db().openTable("codean");
  rs.setIndex("keyean");
  for (const Case& c : cases) {
    rs.seek(c.key);
    EXPECT_EQ(rs.noMatch() ? "NoMatch" : rs.field("codare").toText(), c.found) << Show(c.key);
    EXPECT_EQ(rs.eof(), rs.noMatch());
  }
}

TEST_F(SeekTest, PrimaryOnLongKeyConvertsTheKey) {
  struct Case {
    Value key;
    const char* found;
  } cases[] = {
      {12, "'OLIO'"},
      {"12", "'OLIO'"},
      {12.0, "'OLIO'"},
      {"70", "'SALE'"},
      {99, "NoMatch"},
      {"abc", "NoMatch"},
      {int64_t(5000000000), "NoMatch"},  // beyond a Long
  };
  TableRecordset rs = db().openTable("LISTI01");
  rs.setIndex("PRIMARY");
  for (const Case& c : cases) {
    rs.seek(c.key);
    EXPECT_EQ(rs.noMatch() ? "NoMatch" : Show(rs.field("Desart")), c.found) << Show(c.key);
  }
}

TEST_F(StoreTest, MovesFollowTheIndexFromASeek) {
  for (auto [ean, cod] : std::vector<std::pair<Value, int>>{{"300", 1},
                                                            {"100", 2},
                                                            {Value(), 3},
                                                            {"200", 4},
                                                            {"100  ", 5},
                                                            {"Bx", 6},
                                                            {"bx", 7},
                                                            {Value(), 8}})
    insert("codean", {{"eanare", ean}, {"codare", cod}});
  TableRecordset rs = db().openTable("codean");
  EXPECT_EQ(Walk(rs, {"codare"}), "1 | 2 | 3 | 4 | 5 | 6 | 7 | 8");  // the order of adding

  rs.setIndex("keyean");
  rs.seek("100");
  EXPECT_EQ(Walk(rs, {"codare"}), "2 | 5 | 4 | 1 | 6 | 7");
  rs.moveFirst();
  EXPECT_EQ(Walk(rs, {"codare"}), "3 | 8 | 2 | 5 | 4 | 1 | 6 | 7");  // Null keys first
  rs.moveLast();
  EXPECT_EQ(Row(rs, {"codare"}), "7");
  rs.moveNext();
  EXPECT_TRUE(rs.eof());
  EXPECT_THROW(rs.moveNext(), Error);

  rs.setIndex("codare");
  rs.seek(4);
  EXPECT_EQ(Walk(rs, {"eanare"}), "'200' | '100  ' | 'Bx' | 'bx' | Null");
  rs.seek(2);
  rs.setIndex("keyean");  // the current row stays, now in the order of "keyean"
  rs.moveNext();
  EXPECT_EQ(Walk(rs, {"codare"}), "5 | 4 | 1 | 6 | 7");
  EXPECT_THROW(rs.setIndex("nessuno"), Error);
}

TEST_F(StoreTest, TwoTableRecordsetsKeepTheirOwnPlace) {
  for (int i = 1; i <= 4; ++i) insert("listi01", {{"codart", i * 10}});
  TableRecordset a = db().openTable("listi01");
  TableRecordset b = db().openTable("listi01");
  a.setIndex("primary");
  b.setIndex("primary");
  a.seek(10);
  b.seek(30);
  a.moveNext();
  b.moveNext();
  EXPECT_EQ(Row(a, {"codart"}) + " " + Row(b, {"codart"}), "20 40");
}

TEST_F(StoreTest, DeleteThenMoveNextEmptiesATable) {
  for (auto ean : {"3", "1", "2"}) insert("codean", {{"eanare", ean}});
  TableRecordset rs = db().openTable("codean");
  rs.setIndex("keyean");
  rs.moveFirst();
  std::string seen;
  for (; !rs.eof(); rs.moveNext()) {
    seen += rs.field("eanare").text();
    rs.remove();
    EXPECT_THROW(rs.field("eanare"), Error);  // the deleted row has no fields
  }
  EXPECT_EQ(seen, "123");
  EXPECT_EQ(raw("SELECT count(*) FROM codean"), "0");
}

TEST_F(StoreTest, EditMovesWithTheKeyAndAddNewKeepsTheCurrentRow) {
  for (auto ean : {"1", "2", "3"}) insert("codean", {{"eanare", ean}});
  TableRecordset rs = db().openTable("codean");
  rs.setIndex("keyean");
  rs.seek("1");
  rs.edit();
  rs.set("eanare", "25");
  rs.update();
  EXPECT_EQ(Row(rs, {"eanare"}), "'25'");
  rs.addNew();
  rs.set("eanare", "0");
  rs.update();
  EXPECT_EQ(Walk(rs, {"eanare"}), "'25' | '3'");
  rs.moveFirst();
  EXPECT_EQ(Walk(rs, {"eanare"}), "'0' | '2' | '25' | '3'");
}

// A recordset keeps the statement of each list of fields it writes: every
// write goes to its own fields, whatever was written before, and a write
// the engine refuses leaves the next one whole.
TEST_F(StoreTest, EachWriteGoesToTheFieldsItSets) {
  db().connection().execute(
      "CREATE TRIGGER refuse_z BEFORE INSERT ON numeri WHEN NEW.tipo = 'Z' "
      "BEGIN SELECT RAISE(ABORT, 'rifiutato'); END");
  TableRecordset rs = db().openTable("numeri");
  auto add = [&rs](std::initializer_list<std::pair<const char*, Value>> fields) {
    rs.addNew();
    for (const auto& [name, value] : fields) rs.set(name, value);
    rs.update();
  };
  add({{"tipo", "A"}, {"anno", 1}});
  add({{"anno", 2}, {"tipo", "B"}});
  add({{"tipo", "C"}});
  add({});
  EXPECT_THROW(add({{"tipo", "Z"}, {"anno", 9}}), Error);
  add({{"tipo", "D"}, {"anno", 4}});
  EXPECT_EQ(raw("SELECT tipo, anno, ultnum FROM numeri"),
            "'A',1,Null | 'B',2,Null | 'C',Null,Null | Null,Null,Null | 'D',4,Null");

  int ultnum = 0;
  for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
    rs.edit();
    rs.set("ultnum", ultnum += 10);
    if (ultnum == 20) rs.set("anno", 22);
    rs.update();
    EXPECT_EQ(Row(rs, {"ultnum"}), std::to_string(ultnum));
  }
  EXPECT_EQ(raw("SELECT anno, ultnum FROM numeri"), "1,10 | 22,20 | Null,30 | Null,40 | 4,50");
}

TEST_F(StoreTest, MovingDropsAnEditNotSaved) {
  for (auto ean : {"1", "2"}) insert("codean", {{"eanare", ean}, {"neti", 0}});
  TableRecordset rs = db().openTable("codean");
  rs.edit();
  rs.set("neti", 9);
  rs.moveNext();
  EXPECT_THROW(rs.update(), Error);
  EXPECT_EQ(raw("SELECT eanare, neti FROM codean"), "'1',0 | '2',0");
}

// --- Query recordsets and data links ------------------------------------

class LinkTest : public StoreTest {
 protected:
  void SetUp() override {
    insert("numeri", {{"codutente", 1}, {"tipo", "IN"}, {"anno", 2024}, {"ultnum", 41}});
    insert("numeri", {{"codutente", 1}, {"tipo", "OF"}, {"anno", 2024}, {"ultnum", 7}});
    insert("numeri", {{"codutente", 1}, {"tipo", "IN"}, {"anno", 2025}, {"ultnum", 0}});
    insert("codean", {{"eanare", "0000000000012"}, {"codare", 12}});
    insert("codean", {{"eanare", "8001234567890"}, {"codare", 34}});
  }

  DataLink& link(std::string sql, std::vector<Value> params = {}) {
    link_.DatabaseName = kWorking;
    link_.RecordSource = {std::move(sql), std::move(params)};
    link_.Refresh();
    return link_;
  }

  DataLink link_{pool_};
};

TEST_F(LinkTest, FindFirstComparesTypedCriteria) {
  struct Case {
    const char* sql;
    Criteria criteria;
    const char* found;  // ultnum or codare of the row found
  } cases[] = {
      {"SELECT * FROM numeri", {{"tipo", Op::Equal, "IN "}, {"anno", Op::Equal, 2025}}, "0"},
      {"SELECT * FROM numeri", {{"TIPO", Op::Equal, "of"}}, "7"},
      {"SELECT * FROM numeri", {{"anno", Op::Equal, "2025"}}, "0"},  // the text of a number
      {"SELECT * FROM numeri", {{"anno", Op::Greater, 2024}, {"tipo", Op::NotEqual, "OF"}}, "0"},
      {"SELECT * FROM numeri", {{"ultnum", Op::GreaterEqual, 7}, {"tipo", Op::Less, "J"}}, "41"},
      {"SELECT * FROM numeri", {{"tipo", Op::Equal, "I"}}, "NoMatch"},
      {"SELECT * FROM numeri", {{"anno", Op::Equal, Value()}}, "NoMatch"},
      {"SELECT * FROM codean", {{"eanare", Op::Equal, 12}}, "12"},  // a number against a code
      {"SELECT * FROM codean", {{"codare", Op::Equal, "34"}}, "34"},
      {"SELECT * FROM codean", {{"eanare", Op::Equal, "8001234567890 "}}, "34"},
  };
  for (const Case& c : cases) {
    QueryRecordset& rs = link(c.sql).Recordset();
    rs.moveLast();
    rs.findFirst(c.criteria);
    std::string field = rs.hasField("ultnum") ? "ultnum" : "codare";
    EXPECT_EQ(rs.noMatch() ? "NoMatch" : rs.field(field).toText(), c.found) << c.sql;
  }
}

TEST_F(LinkTest, FindNextAndAFailedFindKeepTheCurrentRow) {
  QueryRecordset& rs = link("SELECT * FROM numeri").Recordset();
  Criteria in = {{"tipo", Op::Equal, "IN"}};
  rs.findFirst(in);
  rs.findNext(in);
  EXPECT_EQ(Row(rs, {"anno", "ultnum"}), "2025,0");
  rs.findNext(in);
  EXPECT_TRUE(rs.noMatch());
  EXPECT_EQ(Row(rs, {"anno", "ultnum"}), "2025,0");
  EXPECT_THROW(rs.findFirst({{"nessuno", Op::Equal, 1}}), Error);
}

TEST_F(LinkTest, DeleteThenMoveNextEmptiesALink) {
  QueryRecordset& rs = link("SELECT * FROM numeri WHERE tipo = ?", {"in"}).Recordset();
  while (!rs.eof()) {
    rs.remove();
    rs.moveNext();
  }
  EXPECT_EQ(raw("SELECT tipo, anno FROM numeri"), "'OF',2024");
  rs.moveFirst();
  EXPECT_TRUE(rs.eof());
}

TEST_F(LinkTest, AddNewAppendsTheRowAndEditWritesItBack) {
  QueryRecordset& rs = link("SELECT * FROM numeri WHERE anno = ?", {2024}).Recordset();
  rs.addNew();
  rs.set("codutente", 1);
  rs.set("tipo", "CA");
  rs.set("anno", 2024);
  rs.update();
  EXPECT_EQ(Row(rs, {"tipo"}), "'IN'");  // the current row stays
  EXPECT_EQ(rs.recordCount(), 3);
  rs.moveLast();
  EXPECT_EQ(Row(rs, {"tipo", "ultnum"}), "'CA',Null");
  rs.edit();
  rs.set("ultnum", 1);
  rs.update();
  EXPECT_EQ(Rows(rs, {"tipo", "ultnum"}), "'IN',41 | 'OF',7 | 'CA',1");
  EXPECT_EQ(raw("SELECT tipo, ultnum FROM numeri WHERE anno = 2024"), "'IN',41 | 'OF',7 | 'CA',1");
}

TEST_F(LinkTest, RefreshRunsTheQueryAndTellsTheGrid) {
  int refreshed = 0;
  link_.onRefresh([&] { ++refreshed; });
  EXPECT_THROW(link_.Recordset(), Error);
  link_.Caption = " ORDER BY [anno]DESC";
  QueryRecordset& rs =
      link("SELECT [tipo] as Serie, [anno] FROM numeri" + link_.Caption).Recordset();
  EXPECT_EQ(Row(rs, {"serie", "anno"}), "'IN',2025");
  EXPECT_EQ(rs.fieldName(0), "Serie");
  EXPECT_EQ(refreshed, 1);
  QueryRecordset& empty = link("SELECT * FROM numeri WHERE anno = ?", {1999}).Recordset();
  EXPECT_TRUE(empty.eof());
  EXPECT_EQ(refreshed, 2);
}

TEST_F(LinkTest, AggregateQueriesAreReadOnly) {
  QueryRecordset& rs = link("SELECT count(*) AS n FROM numeri").Recordset();
  EXPECT_EQ(Row(rs, {"n"}), "3");
  EXPECT_THROW(rs.edit(), Error);
  EXPECT_THROW(rs.remove(), Error);
}

// --- The store's text comparison in SQL ---------------------------------

class TextTest : public LinkTest {
 protected:
  void SetUp() override {
    for (auto [ean, tip, des] :
         std::vector<std::tuple<const char*, const char*, const char*>>{{"3", "t", "pera"},
                                                                        {"1", "T ", "Banana"},
                                                                        {"2", "M", "arancia  "},
                                                                        {"4", "T", "Mela"}})
      insert("ordine", {{"eanrig", ean}, {"tipord", tip}, {"descrizione", des}});
  }
  std::string query(std::string sql, std::vector<Value> params = {}) {
    return Rows(link(std::move(sql), std::move(params)).Recordset(), {"eanrig"});
  }
};

TEST_F(TextTest, ComparesAndSortsBlindToCaseAndTrailingBlanks) {
  struct Case {
    const char* sql;
    Value param;
    const char* rows;
  } cases[] = {
      {"SELECT * FROM ordine WHERE tipord = ?", "T", "'3' | '1' | '4'"},
      {"SELECT * FROM ordine WHERE tipord <> ?", "t  ", "'2'"},
      {"SELECT * FROM ordine WHERE descrizione = ?", "ARANCIA", "'2'"},
      {"SELECT * FROM ordine WHERE descrizione > ?", "mela ", "'3'"},
      {"SELECT * FROM ordine WHERE descrizione >= ?", "MELA", "'3' | '4'"},
      {"SELECT * FROM ordine WHERE descrizione LIKE ?", "%AN%", "'1' | '2'"},
      {"SELECT * FROM ordine ORDER BY [descrizione]ASC ", Value(), "'2' | '1' | '4' | '3'"},
      {"SELECT * FROM ordine ORDER BY [descrizione]DESC", Value(), "'3' | '4' | '1' | '2'"},
  };
  for (const Case& c : cases) {
    std::vector<Value> params;
    if (!c.param.isNull()) params.push_back(c.param);
    EXPECT_EQ(query(c.sql, params), c.rows) << c.sql;
  }
}

TEST_F(TextTest, RowsComeInTheOrderTheyWereAddedWithoutOrderBy) {
  EXPECT_EQ(query("SELECT * FROM ordine"), "'3' | '1' | '2' | '4'");
  EXPECT_EQ(query("select [eanrig], [tipord] FROM ordine ;"), "'3' | '1' | '2' | '4'");
  // The WHERE runs on the index "ean", whose order is not the order of adding.
  EXPECT_EQ(query("SELECT * FROM ordine WHERE eanrig > ?", {"1"}), "'3' | '2' | '4'");
  EXPECT_EQ(query("SELECT * FROM ordine WHERE eanrig IN (?, ?, ?)", {"4", "1", "3"}),
            "'3' | '1' | '4'");
}

TEST_F(StoreTest, TypedSearchTextIsLiteralInLike) {
  for (auto [cod, des] : std::vector<std::pair<int, const char*>>{{1, "BOTTIGLIA DELL'OLIO 1L"},
                                                                  {2, "olio di semi"},
                                                                  {3, "SCONTO 50% PASTA"},
                                                                  {4, "SCONTO 500 PASTA"},
                                                                  {5, "PASTA_INTEGRALE"},
                                                                  {6, "PASTA INTEGRALE"},
                                                                  {7, "C:\\OLIO"}})
    insert("articolo", {{"codart", cod}, {"desart", des}});
  struct Case {
    const char* typed;
    const char* rows;
  } cases[] = {
      {"l'olio", "1"},
      {"OLIO", "1 | 2 | 7"},
      {"50%", "3"},
      {"_integrale", "5"},
      {"\\olio", "7"},
      {"' OR 1=1 --", ""},
      {"", "1 | 2 | 3 | 4 | 5 | 6 | 7"},
  };
  for (const Case& c : cases) {
    QueryRecordset rs(db(), "SELECT * FROM articolo WHERE desart LIKE ? ESCAPE '\\'",
                      {ContainsPattern(c.typed)});
    EXPECT_EQ(Rows(rs, {"codart"}), c.rows) << c.typed;
  }
}

TEST_F(StoreTest, NumbersCompareWithTheTextOfNumbers) {
  for (auto [ean, seq] : std::vector<std::pair<const char*, Value>>{{"2000123000017", "10"},
                                                                    {"2000124000010", "9"},
                                                                    {"ABCDEFG000000", "x"},
                                                                    {"0002000123", Value()}})
    insert("codean", {{"eanare", ean}, {"nseq", seq}});
  auto codes = [&](const std::string& sql, std::vector<Value> params) {
    QueryRecordset rs(db(), sql, params);
    return Rows(rs, {"eanare"});
  };
  EXPECT_EQ(codes("SELECT * FROM codean WHERE val(substr(eanare,1,7)) = ?", {2000123}),
            "'2000123000017'");
  EXPECT_EQ(codes("SELECT * FROM codean WHERE val(mid(eanare,1,7)) = ?", {2000124.0}),
            "'2000124000010'");
  EXPECT_EQ(codes("SELECT * FROM codean WHERE mid(eanare,1,7) = ?", {"2000123"}),
            "'2000123000017'");
  EXPECT_EQ(codes("SELECT * FROM codean WHERE val(eanare) = ?", {2000123}), "'0002000123'");
  EXPECT_EQ(codes("SELECT * FROM codean WHERE isnumeric(nseq) ORDER BY nseq", {}),
            "'2000123000017' | '2000124000010'");
  EXPECT_THROW(codes("SELECT * FROM codean WHERE mid(eanare,0,1) = ?", {"2"}), Error);
}

// --- Writes and their conversions ---------------------------------------

TEST_F(StoreTest, WritesConvertToTheFieldType) {
  struct Case {
    const char* table;
    const char* field;
    Value value;
    const char* read;    // the value read back through the recordset
    const char* stored;  // the value in the file
  } cases[] = {
      {"codean", "neti", "0,83", "0,83", "0.83"},
      {"codean", "neti", "1.234,5", "1234,5", "1234.5"},
      {"codean", "neti", 7, "7", "7"},
      {"codean", "taglia", 2.5, "2", "2"},
      {"codean", "taglia", 3.5, "4", "4"},
      {"codean", "taglia", "-12", "-12", "-12"},
      {"codean", "codare", "2000123", "2000123", "2000123"},
      {"codean", "nseq", 12.5, "'12,5'", "'12,5'"},
      {"codean", "eanare", "80012345678901234", "'8001234567890'", "'8001234567890'"},
      {"ordine", "descrizione", "àèìòùàèìòùàèìòùàèìòùàèìòùàèìòùàèìòùàèìòù",
       "'àèìòùàèìòùàèìòùàèìòùàèìòùàèìòùàèìòù'", "'àèìòùàèìòùàèìòùàèìòùàèìòùàèìòùàèìòù'"},
      {"articolo", "przart", "1,23456", "1,2346", "1.2346"},
      {"listi01", "data1", "05/01/2024", "#05/01/2024#", "'2024-01-05'"},
      {"listi01", "data2", vb::MakeDate(2024, 12, 31), "#31/12/2024#", "'2024-12-31'"},
      {"articolo", "datauo", vb::MakeDate(2024, 3, 9, 14, 5, 0), "#09/03/2024 14:05:00#",
       "'2024-03-09 14:05:00'"},
      {"codean", "neti", Value(), "Null", "Null"},
  };
  for (const Case& c : cases) {
    QueryRecordset rs(db(), std::string("SELECT * FROM ") + c.table, {});
    rs.addNew();
    rs.set(c.field, c.value);
    rs.update();
    rs.moveLast();
    EXPECT_EQ(Show(rs.field(c.field)), c.read) << c.table << "." << c.field;
    EXPECT_EQ(
        raw(std::string("SELECT ") + c.field + " FROM " + c.table + " ORDER BY rowid DESC LIMIT 1"),
        c.stored)
        << c.table << "." << c.field;
    TableRecordset table = db().openTable(c.table);
    table.moveLast();
    EXPECT_EQ(Show(table.field(c.field)), c.read) << c.table << "." << c.field;
  }
}

TEST_F(StoreTest, WritesThatCannotConvertFail) {
  TableRecordset rs = db().openTable("codean");
  rs.addNew();
  struct Case {
    const char* field;
    Value value;
    const char* error;
  } cases[] = {
      {"taglia", 40000, "Overflow"},
      {"codare", 3000000000.0, "Overflow"},
      {"neti", "dodici", "Tipo non corrispondente"},
      {"neti", "", "Tipo non corrispondente"},
  };
  for (const Case& c : cases) {
    try {
      rs.set(c.field, c.value);
      ADD_FAILURE() << c.field << " took " << Show(c.value);
    } catch (const vb::RuntimeError& e) {
      EXPECT_EQ(std::string(e.what()), c.error) << c.field;
    }
  }
  EXPECT_THROW(rs.set("nessuno", 1), Error);
  rs.set("eanare", "1");
  rs.update();
  EXPECT_EQ(raw("SELECT eanare, taglia, codare, neti FROM codean"), "'1',Null,Null,Null");
}

TEST_F(StoreTest, ReadsWhatOtherProgramsWrote) {
  struct Case {
    const char* field;
    Value stored;
    const char* read;
  } cases[] = {
      {"codart", "12,5", "12,5"},                // text in a Long field
      {"codart", "99999999999", "99999999999"},  // beyond a Long: read, not refused
      {"codart", 7.0, "7"},
      {"imbart", "0,5", "0,5"},  // text in a number field
      {"imbart", "sei", "'sei'"},
      {"desart", 12.5, "'12.5'"},  // the engine kept the number as its text
      {"data1", "05/01/2024", "#05/01/2024#"},
      {"data1", 45296, "#05/01/2024#"},  // a date serial
      {"data1", "2024-01-05 08:30:00", "#05/01/2024 08:30:00#"},
      {"data1", "domani", "'domani'"},
  };
  for (const Case& c : cases) {
    db().connection().execute("DELETE FROM listi01");
    insert("listi01", {{c.field, c.stored}});
    TableRecordset rs = db().openTable("listi01");
    EXPECT_EQ(Show(rs.field(c.field)), c.read) << c.field << " " << Show(c.stored);
  }
}

TEST_F(StoreTest, NullStaysNull) {
  insert("codean", {{"eanare", "1"}});
  QueryRecordset rs(db(), "SELECT * FROM codean", {});
  EXPECT_EQ(Row(rs, {"neti", "taglia", "desart", "pezzix"}), "Null,Null,Null,Null");
  rs.edit();
  rs.set("desart", "");
  rs.set("neti", 0);
  rs.update();
  rs.edit();
  rs.set("neti", Value());
  rs.update();
  EXPECT_EQ(raw("SELECT typeof(neti), typeof(desart), typeof(taglia) FROM codean"),
            "'null','text','null'");
}

// --- Transactions, the pool and the engine's errors ---------------------

TEST_F(StoreTest, TransactionRollsBackUnlessCommitted) {
  {
    Transaction transaction(db());
    insert("numeri", {{"tipo", "A"}});
  }
  EXPECT_EQ(raw("SELECT count(*) FROM numeri"), "0");
  {
    Transaction transaction(db());
    insert("numeri", {{"tipo", "B"}});
    transaction.commit();
  }
  EXPECT_EQ(raw("SELECT tipo FROM numeri"), "'B'");
  EXPECT_FALSE(db().connection().inTransaction());
}

TEST_F(StoreTest, PoolOpensEachFileOnceByItsProgramPath) {
  Database& working = db();
  EXPECT_EQ(&pool_.open("C:\\vorsa\\dati.mdb"), &working);
  EXPECT_EQ(db().programPath(), kWorking);
  try {
    pool_.open("\\quib\\dati.mdb");
    ADD_FAILURE() << "a missing file opened";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("\\quib\\dati.mdb"), std::string::npos) << e.what();
  }
  EXPECT_FALSE(std::filesystem::exists(dir_.path() / "quib"));
}

TEST_F(StoreTest, EngineErrorsAreErrors) {
  EXPECT_THROW(QueryRecordset(db(), "SELECT * FROM nessuna", {}), Error);
  EXPECT_THROW(QueryRecordset(db(), "SELECT nessuno FROM codean", {}), Error);
  EXPECT_THROW(db().openTable("nessuna"), Error);
  // A table of the schema that this file lacks.
  db().connection().execute("DROP TABLE carico");
  EXPECT_THROW(db().openTable("carico"), Error);
  TableRecordset rs = db().openTable("codean");
  EXPECT_THROW(rs.seek("1"), Error);  // no index chosen
  EXPECT_THROW(rs.edit(), Error);     // no current row
}

// --- The engine's statement cache ---------------------------------------

TEST_F(StoreTest, StatementStillHeldIsNeverHandedOutAgain) {
  for (auto ean : {"1", "2", "3"}) insert("codean", {{"eanare", ean}});
  Connection& c = db().connection();
  const char* sql = "SELECT eanare FROM codean ORDER BY rowid";
  auto outer = c.prepare(sql);
  std::string pairs;
  while (outer->step()) {
    auto inner = c.prepare(sql);
    ASSERT_NE(inner.get(), outer.get());
    inner->step();
    pairs += outer->column(0).text() + inner->column(0).text() + " ";
  }
  EXPECT_EQ(pairs, "11 21 31 ");
}

TEST_F(StoreTest, StatementLeftMidRunDoesNotHoldAnOldSnapshot) {
  for (auto ean : {"1", "2"}) insert("codean", {{"eanare", ean}});
  Connection& c = db().connection();
  c.prepare("SELECT eanare FROM codean")->step();  // read one row, then let go
  auto other = OpenSqlite(MapProgramPath(dir_.path(), kWorking).string(), false);
  other->execute("INSERT INTO codean (eanare) VALUES ('3')");
  EXPECT_EQ(raw("SELECT count(*) FROM codean"), "3");
}

}  // namespace
}  // namespace gw::db::test
