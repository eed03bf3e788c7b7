// The document confirmation on a real working database: every header and
// line field of an inventory and of a stock-out document, the lines left
// out, the refusals that write nothing, all or nothing when the engine
// fails halfway, the line-number limit and two confirmations under one
// number.
#include "inventory/con_inv.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "app/data_folder.h"
#include "core/db/database.h"
#include "core/db/engine.h"
#include "core/session/session_context.h"
#include "core/vb/vb.h"
#include "support/temp_dir.h"

namespace gw::inventory::test {
namespace {

constexpr const char* kWorking = "C:\\vorsa\\dati.mdb";

// --- Line figures -----------------------------------------------------------

TEST(BuildDocumentLine, TotalIsCostTimesQuantityToTheEvenCent) {
  struct Case {
    double cost, quantity, totrig;
  } cases[] = {{1.25, 2.5, 3.12}, {1.35, 2.5, 3.38}, {0.1, 3, 0.3}, {2.1234, 1, 2.12}};
  for (const Case& c : cases) {
    PriceListData price;
    price.cofart = c.cost;
    const DocumentLine line = BuildDocumentLine({0, "8000000000101", c.quantity}, 101, price);
    EXPECT_EQ(vb::NumberText(line.totrig), vb::NumberText(c.totrig))
        << c.cost << " x " << c.quantity;
    EXPECT_EQ(line.costo, c.cost);
  }
}

// --- On a working database -----------------------------------------------

// Price list: 101 with every field, 102 with Null Umart, cofart and ivart,
// 999999 for codes of no article; 103 is in "codean" but not priced.
constexpr std::string_view kPriceList = R"(
INSERT INTO listi01 (codart, desart, desfor, desgru, umart, ivart, cofart, cosmp)
  VALUES (101, 'RISO ARBORIO', 'RISERIA DEL PIANO SOCIETA AGRICOLA COOPERATIVA', 'ALIMENTARI SECCHI VARI', 'CT', 4, 1.25, 1.1);
INSERT INTO listi01 (codart, desart, desfor, desgru) VALUES (102, 'BANANE', 'FRUTTA SPA', 'ORTOFRUTTA');
INSERT INTO listi01 (codart, desart, umart, ivart, cofart) VALUES (999999, 'ARTICOLO GENERICO', 'PZ', 22, 2);
INSERT INTO codean (eanare, codare) VALUES ('8000000000101', 101);
INSERT INTO codean (eanare, codare) VALUES ('8000000000103', 103);
INSERT INTO numeri (codutente, tipo, anno, ultnum) VALUES (1, 'IN', 2026, 41);
INSERT INTO numeri (codutente, tipo, anno, ultnum) VALUES (1, 'CA', 2026, 5);
)";

// Operator 2's lines: an article found through its EAN (quantity 5), one
// without quantity, one by its own code with a Null unit (2,5), an EAN of
// no article (999999), an article without a price; operator 1's line.
constexpr std::string_view kSlotLines = R"(
INSERT INTO inventario (codcasa, eanrig, quantita, oper) VALUES (0, '8000000000101', 5, 2);
INSERT INTO inventario (codcasa, eanrig, quantita, oper) VALUES (101, '8000000000101', 0, 2);
INSERT INTO inventario (codcasa, eanrig, quantita, oper) VALUES (102, '2000000000102', 2.5, 2);
INSERT INTO inventario (codcasa, eanrig, quantita, oper) VALUES (0, '8000000000999', 1, 2);
INSERT INTO inventario (codcasa, eanrig, quantita, oper) VALUES (0, '8000000000103', 3, 2);
INSERT INTO inventario (codcasa, eanrig, quantita, oper) VALUES (101, '8000000000101', 9, 1);
)";

constexpr std::string_view kHeaders =
    "SELECT anno,numero,codutente,dataor,dsccliente,cliente,codsede,dscsede,regis,commesso,"
    "codlis,tipodoc,agente,causa,bolli FROM invte ORDER BY rowid";
constexpr std::string_view kLines =
    "SELECT bns,bannoc,bnumer,articoli,quantita,unitam,Colli,tipmov,totrig,descrizione,iva,"
    "codute,eanrig,costof,prezzo,cosmp,bflag1,dsccolore,taglia,desfor,desgru,commesso,tipodoc "
    "FROM invmo ORDER BY rowid";

class ConInvTest : public testing::Test {
 protected:
  ConInvTest() : pool_(dir_.path()) {
    app::InitDataFolder(dir_.path());
    sql(kPriceList);
    sql(kSlotLines);
    s_.codutente = 1;
    s_.anno = 2026;
    s_.numero = 42;
    s_.numeratore = "IN";
    s_.tipdoc = "INVENTARIO";
    s_.codlis = "01";
    s_.bns = 7;
  }

  void sql(std::string_view statements) { file().execute(statements); }

  DocumentOutcome confirm(int16_t oper, DocumentKind kind = DocumentKind::Inventory) {
    db::Database& lavoro = pool_.open(kWorking);
    const db::Query query = SlotLines(oper);
    db::QueryRecordset lines(lavoro, query.sql, query.params);
    return con_inv(lavoro, lines, s_, kind, vb::MakeDate(2026, 3, 2));
  }

  // The rows of a query, columns joined by ',' and rows by " | ": texts in
  // quotes so that blanks show, numbers as SQL holds them, Null as Null.
  std::string rows(std::string_view query) {
    auto statement = file().prepare(query);
    std::string out;
    for (bool first = true; statement->step(); first = false) {
      if (!first) out += " | ";
      for (int i = 0; i < statement->columnCount(); ++i) {
        if (i) out += ',';
        const Value v = statement->column(i);
        if (v.kind() == Value::Kind::Text) {
          out += "'" + v.text() + "'";
        } else if (v.kind() == Value::Kind::Double) {
          char number[32];
          std::snprintf(number, sizeof number, "%.15g", v.real());
          out += number;
        } else {
          out += v.isNull() ? "Null" : v.toText();
        }
      }
    }
    return out;
  }

  // Every row a confirmation may touch.
  std::string snapshot() {
    return rows("SELECT * FROM numeri") + "\n" + rows("SELECT * FROM invte") + "\n" +
           rows("SELECT * FROM invmo") + "\n" + rows("SELECT * FROM inventario");
  }

  std::string session() {
    return std::to_string(s_.bns) + " '" + s_.ean.str() + "' " + std::to_string(s_.codcasa);
  }

  gw::test::TempDir dir_;
  db::DatabasePool pool_;
  SessionContext s_;

 private:
  db::Connection& file() {
    if (!file_) file_ = db::OpenSqlite((dir_.path() / "vorsa" / "dati.mdb").string(), false);
    return *file_;
  }
  std::unique_ptr<db::Connection> file_;
};

TEST_F(ConInvTest, InventoryWritesHeaderCounterAndTheSlotsPricedLines) {
  EXPECT_EQ(confirm(2), DocumentOutcome::Confirmed);

  EXPECT_EQ(rows(kHeaders),
            "2026,42,1,'2026-03-02','Inventario',0,0,'desedew','',Null,'01','INVENTARIO  ',0,"
            "'INVENT',0");
  EXPECT_EQ(rows("SELECT tipo, ultnum FROM numeri ORDER BY rowid"), "'IN',42 | 'CA',5");
  EXPECT_EQ(rows(kLines),
            "8,2026,42,101,5,'CT',5,'AR',6.25,'RISO ARBORIO','4 ',1,'8000000000101',1.25,1.25,"
            "1.1,Null,'colore','UNI','RISERIA DEL PIANO SOCIETA AGRICOLA ','ALIMENTARI SECCHI VA',"
            "Null,'INVENTARIO  '"
            " | "
            "9,2026,42,102,2.5,'PZ',2.5,'AR',0,'BANANE','0 ',1,'2000000000102',0,0,Null,Null,"
            "'colore','UNI','FRUTTA SPA','ORTOFRUTTA',Null,'INVENTARIO  '"
            " | "
            "10,2026,42,999999,1,'PZ',1,'AR',2,'ARTICOLO GENERICO','22',1,'8000000000999',2,2,"
            "Null,Null,'colore','UNI',Null,Null,Null,'INVENTARIO  '");
  // The working lines stay; the session holds the last line read.
  EXPECT_EQ(rows("SELECT count(*) FROM inventario"), "6");
  EXPECT_EQ(session(), "10 '8000000000103' 103");
}

TEST_F(ConInvTest, StockOutDocumentDiffersInTheHeaderTextsOnly) {
  sql("INSERT INTO inventario (codcasa, eanrig, quantita, oper) VALUES (101, '8000000000101', 4, "
      "91)");
  s_.numeratore = "CA";
  s_.tipdoc = "CASSONETTO";
  s_.numero = 6;
  EXPECT_EQ(confirm(91, DocumentKind::StockOut), DocumentOutcome::Confirmed);

  EXPECT_EQ(rows(kHeaders),
            "2026,6,1,'2026-03-02','DISTRUZIONI',0,0,'DISTRUZIONI','',Null,'01','CASSONETTO  ',0,"
            "'DISTRU',0");
  EXPECT_EQ(rows("SELECT ultnum FROM numeri WHERE tipo = 'CA'"), "6");
  EXPECT_EQ(rows("SELECT bns, bnumer, articoli, quantita, totrig, tipodoc FROM invmo"),
            "8,6,101,4,5,'CASSONETTO  '");
}

TEST_F(ConInvTest, ConfirmingTwiceGivesTwoDocumentsUnderOneNumber) {
  EXPECT_EQ(confirm(2), DocumentOutcome::Confirmed);
  EXPECT_EQ(confirm(1), DocumentOutcome::Confirmed);

  EXPECT_EQ(rows("SELECT numero FROM invte"), "42 | 42");
  EXPECT_EQ(rows("SELECT bns, bnumer, quantita FROM invmo WHERE eanrig = '8000000000101'"),
            "8,42,5 | 11,42,9");
  EXPECT_EQ(rows("SELECT ultnum FROM numeri WHERE tipo = 'IN'"), "42");
}

TEST_F(ConInvTest, WithoutCounterRowTheDocumentIsStillWritten) {
  sql("DELETE FROM numeri");
  EXPECT_EQ(confirm(2), DocumentOutcome::Confirmed);
  EXPECT_EQ(rows("SELECT numero FROM invte"), "42");
  EXPECT_EQ(rows("SELECT count(*) FROM numeri"), "0");
}

// A slot whose lines all are left out still makes a document: a count of
// nothing on the shelf is a count too.
TEST_F(ConInvTest, SlotWithoutPricedLinesGivesHeaderOnly) {
  sql("INSERT INTO inventario (codcasa, eanrig, quantita, oper) VALUES (103, '8000000000103', 2, "
      "3)");
  EXPECT_EQ(confirm(3), DocumentOutcome::Confirmed);
  EXPECT_EQ(rows("SELECT count(*) FROM invte"), "1");
  EXPECT_EQ(rows("SELECT count(*) FROM invmo"), "0");
  EXPECT_EQ(session(), "7 '8000000000103' 103");
}

TEST_F(ConInvTest, RefusalsWriteNothingAndLeaveTheSession) {
  struct Case {
    const char* name;
    int32_t anno, numero;
    int16_t oper;
    DocumentOutcome outcome;
  } cases[] = {
      {"number 0", 2026, 0, 2, DocumentOutcome::BadNumber},
      {"year 0", 0, 42, 2, DocumentOutcome::BadNumber},
      {"empty slot", 2026, 42, 4, DocumentOutcome::NoLines},
  };
  const std::string before = snapshot();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    s_.anno = c.anno;
    s_.numero = c.numero;
    EXPECT_EQ(confirm(c.oper), c.outcome);
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(session(), "7 '             ' 0");
  }
}

TEST_F(ConInvTest, AnEngineErrorHalfwayLeavesTheDatabaseAsItWas) {
  // The counter and header are written, then the second line fails.
  sql("CREATE TRIGGER guasto BEFORE INSERT ON invmo WHEN NEW.articoli = 102 BEGIN SELECT "
      "RAISE(ABORT, 'disco pieno'); END;");
  const std::string before = snapshot();
  try {
    confirm(2);
    FAIL() << "no error";
  } catch (const std::exception& error) {
    EXPECT_NE(std::string(error.what()).find("disco pieno"), std::string::npos) << error.what();
  }
  EXPECT_EQ(snapshot(), before);
  EXPECT_EQ(session(), "7 '             ' 0");
  // The database is usable again at once.
  sql("DROP TRIGGER guasto");
  EXPECT_EQ(confirm(2), DocumentOutcome::Confirmed);
  EXPECT_EQ(rows("SELECT count(*) FROM invmo"), "3");
}

TEST_F(ConInvTest, LineNumbersStopAt32767) {
  const std::string before = snapshot();
  s_.bns = 32765;  // three lines would need 32768
  EXPECT_EQ(confirm(2), DocumentOutcome::TooManyLines);
  EXPECT_EQ(snapshot(), before);
  EXPECT_EQ(s_.bns, 32765);

  sql("DELETE FROM inventario WHERE eanrig = '8000000000999'");
  EXPECT_EQ(confirm(2), DocumentOutcome::Confirmed);
  EXPECT_EQ(rows("SELECT bns FROM invmo"), "32766 | 32767");
  EXPECT_EQ(s_.bns, 32767);
}

}  // namespace
}  // namespace gw::inventory::test
