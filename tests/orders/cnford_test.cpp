// The order confirmation: the line figures of both modes, what a new order
// and an addition write, all or nothing when the engine fails halfway, the
// refusals that write nothing, and the order number when two terminals
// confirm at once.
#include "orders/cnford.h"

#include <gtest/gtest.h>

#include <barrier>
#include <functional>
#include <thread>

#include "order_fixture.h"

namespace gw::orders::test {
namespace {

// --- Line figures -----------------------------------------------------------

std::string Show(const OrderLine& l) {
  return l.unitam + "|" + vb::NumberText(l.imballo) + "|" + vb::NumberText(l.prezzo) + "|" +
         vb::NumberText(l.quantita) + "|" + vb::NumberText(l.colli) + "|" +
         vb::NumberText(l.totrig) + "|" + std::to_string(l.articoli) + "|" + std::to_string(l.iva) +
         "|'" + l.descrizione + "'|'" + l.desgru + "'|" + l.eanrig;
}

TEST(BuildOrderLine, FiguresOfBothModes) {
  const ArticleData article{"ACQUA NATURALE", 6, 1.5, 4, "PZ", "BEVANDE"};
  const WorkingLine carton{"8000000000101", 77, "ACQUA DA BANCO", "CT", 3, 10, "GRUPPO", 2};
  WorkingLine pieces = carton;
  pieces.unitam = "PZ";
  const std::string acqua = "'ACQUA NATURALE                     '";
  const std::string banco = "'ACQUA DA BANCO                     '";
  const std::string missing = "'Articolo non Trovato !!!!!!!       '";
  struct Case {
    ConfirmMode mode;
    const WorkingLine& row;
    const ArticleData* article;
    std::string expected;
  } cases[] = {
      {ConfirmMode::NewOrder, carton, &article,
       "CT|6|1,5|2|12|18|101|4|" + acqua + "|'BEVANDE             '|8000000000101"},
      {ConfirmMode::NewOrder, pieces, &article,
       "PZ|6|1,5|2|2|3|101|4|" + acqua + "|'BEVANDE             '|8000000000101"},
      {ConfirmMode::AddToOrder, carton, &article,
       "PZ|6|1,5|2|12|18|101|4|" + acqua + "|'BEVANDE'|8000000000101"},
      {ConfirmMode::AddToOrder, pieces, &article,
       "PZ|6|1,5|2|12|18|101|4|" + acqua + "|'BEVANDE'|8000000000101"},
      {ConfirmMode::NewOrder, carton, nullptr,
       "CT|3|0|2|6|0|0|10|" + banco + "|'GRUPPO              '|8000000000101"},
      {ConfirmMode::AddToOrder, carton, nullptr,
       "00|0|0|2|0|0|101|0|" + missing + "|''|8000000000101"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Show(BuildOrderLine(c.mode, c.row, 101, c.article)), c.expected);
}

TEST(OrderLineEan, PadsShortCodesWithZeros) {
  EXPECT_EQ(OrderLineEan("12345678"), "0000012345678");
  EXPECT_EQ(OrderLineEan("12345678     "), "0000012345678");
  EXPECT_EQ(OrderLineEan("8000000000101"), "8000000000101");
  EXPECT_EQ(OrderLineEan(""), "0000000000000");
}

// --- The screen on a store -------------------------------------------------

constexpr std::string_view kArticles = R"(
INSERT INTO clienti (codcliente, dsccliente) VALUES (1, 'SUPERMERCATO ROSSI');
INSERT INTO articolo (codart, desart, imbart, przart, ivart, umart, desgru)
  VALUES (101, 'ACQUA NATURALE', 6, 1.5, 4, 'PZ', 'BEVANDE');
INSERT INTO articolo (codart, desart, imbart, przart, ivart, umart, desgru)
  VALUES (104, 'BISCOTTI', 12, 2.25, 10, 'CT', 'DOLCI');
INSERT INTO articolo (codart, desart, imbart, przart, ivart, umart, desgru)
  VALUES (105, 'OLIO', 1, 7, 4, 'PZ', 'CONDIMENTI');
INSERT INTO codean (eanare, codare) VALUES ('8000000000101', 101);
)";

// Working lines of "T" for a new order: an article found through its EAN,
// a line of another department, a line without packs, an 8-character code
// of no article, an article found by the line's own code.
constexpr std::string_view kNewOrder = R"(
INSERT INTO testa (anno, numero) VALUES (2025, 9);
INSERT INTO testa (anno, numero) VALUES (2026, 4);
INSERT INTO ordine (eanrig, codcasa, descrizione, unitam, imballo, iva, desgru, colli, tipord)
  VALUES ('8000000000101', 0, 'ACQUA DA BANCO', 'CT', 3, 10, '.', 2, 'T');
INSERT INTO ordine (eanrig, codcasa, descrizione, unitam, imballo, iva, desgru, colli, tipord)
  VALUES ('8000000000202', 0, 'SALAME', 'CT', 1, 10, '.', 5, 'M');
INSERT INTO ordine (eanrig, codcasa, descrizione, unitam, imballo, iva, desgru, colli, tipord)
  VALUES ('8000000000303', 105, 'OLIO', 'CT', 1, 10, '.', 0, 'T');
INSERT INTO ordine (eanrig, codcasa, descrizione, unitam, imballo, iva, desgru, colli, tipord)
  VALUES ('12345678', 999, 'PANE SFUSO', 'PZ', 1, 4, 'FORNO', 1, 'T');
INSERT INTO ordine (eanrig, codcasa, descrizione, unitam, imballo, iva, desgru, colli, tipord)
  VALUES ('8000000000404', 104, 'BISCOTTI', 'PZ', 1, 10, '.', 3, 'T');
)";

// Order 3 of 2026 with two lines, and working lines of "T" to add to it:
// one of an EAN already in the order, one new, one of no article.
constexpr std::string_view kAddOrder = R"(
INSERT INTO testa (anno, numero) VALUES (2026, 2);
INSERT INTO testa (anno, numero) VALUES (2026, 3);
INSERT INTO movimenti (bannoc, bnumer, bns, eanrig, quantita, colli, prezzo, totrig)
  VALUES (2026, 2, 7, '8000000000101', 1, 6, 1.5, 9);
INSERT INTO movimenti (bannoc, bnumer, bns, eanrig, quantita, colli, prezzo, totrig)
  VALUES (2026, 3, 1, '8000000000101', 1, 6, 1.5, 9);
INSERT INTO movimenti (bannoc, bnumer, bns, eanrig, quantita, colli, prezzo, totrig)
  VALUES (2026, 3, 2, '8000000000505', 1, 1, 3, 3);
INSERT INTO ordine (eanrig, codcasa, descrizione, unitam, imballo, iva, desgru, colli, tipord)
  VALUES ('8000000000101', 0, 'ACQUA DA BANCO', 'CT', 3, 10, '.', 2, 'T');
INSERT INTO ordine (eanrig, codcasa, descrizione, unitam, imballo, iva, desgru, colli, tipord)
  VALUES ('8000000000202', 0, 'SALAME', 'CT', 1, 10, '.', 5, 'M');
INSERT INTO ordine (eanrig, codcasa, descrizione, unitam, imballo, iva, desgru, colli, tipord)
  VALUES ('8000000000404', 104, 'BISCOTTI', 'PZ', 1, 10, '.', 1, 'T');
INSERT INTO ordine (eanrig, codcasa, descrizione, unitam, imballo, iva, desgru, colli, tipord)
  VALUES ('77', 0, 'SCONOSCIUTO', 'CT', 4, 10, '.', 2, 'T');
)";

constexpr std::string_view kLines =
    "SELECT bannoc,bnumer,bns,bdator,articoli,eanrig,descrizione,unitam,imballo,prezzo,colli,"
    "quantita,iva,desgru,totrig FROM movimenti ORDER BY rowid";

class ConfirmTest : public OrderStoreTest {
 protected:
  void SetUp() override { sql(kArticles); }
};

TEST_F(ConfirmTest, NewOrderWritesHeaderLinesAndStampsAndDeletesTheDepartmentsLines) {
  sql(kNewOrder);
  Session t(dir(), "T");
  cnford& screen = t.start<cnford>("cnford");
  EXPECT_EQ(screen.numerow.Text(), "5");
  t.terminal.click(screen.Command1);

  EXPECT_TRUE(t.front_end.boxes.empty());
  EXPECT_FALSE(screen.Command1.Visible);
  EXPECT_FALSE(screen.ProgressBar1.Visible);
  EXPECT_EQ(rows("SELECT anno,numero,dataor,dsccliente,cliente,codlis,fl3ts FROM testa "
                 "WHERE anno = 2026 AND numero = 5"),
            "2026,5,'2026-03-02','SUPERMERCATO ROSSI                 ',1,'  ','I'");
  EXPECT_EQ(rows(kLines),
            "2026,5,1,'2026-03-02',101,'8000000000101','ACQUA NATURALE                     ',"
            "'CT',6,1.5,12,2,4,'BEVANDE             ',18"
            " | "
            "2026,5,2,'2026-03-02',0,'0000012345678','PANE SFUSO                         ',"
            "'PZ',1,0,1,1,4,'FORNO               ',0"
            " | "
            "2026,5,3,'2026-03-02',104,'8000000000404','BISCOTTI                           ',"
            "'PZ',12,2.25,3,3,10,'DOLCI               ',6.75");
  EXPECT_EQ(rows("SELECT eanrig, tipord FROM ordine"), "'8000000000202','M'");
  EXPECT_EQ(rows("SELECT codart, colliuo, datauo FROM articolo ORDER BY codart"),
            "101,2,'2026-03-02' | 104,3,'2026-03-02' | 105,Null,Null");
}

TEST_F(ConfirmTest, AddMergesByEanAndNumbersLinesAfterTheOrdersLast) {
  sql(kAddOrder);
  Session t(dir(), "T");
  cnford& screen = t.start<cnford>("cnford");
  t.terminal.click(screen.Check1);
  EXPECT_EQ(t.terminal.session.numero, 3);
  t.terminal.click(screen.Command2);

  EXPECT_TRUE(t.front_end.boxes.empty());
  EXPECT_FALSE(screen.Command1.Visible);
  EXPECT_FALSE(screen.Command2.Visible);
  EXPECT_EQ(rows("SELECT count(*) FROM testa"), "2");
  EXPECT_EQ(rows("SELECT bns,eanrig,quantita,colli,totrig FROM movimenti WHERE bnumer = 2"),
            "7,'8000000000101',1,6,9");
  EXPECT_EQ(rows("SELECT bns,articoli,eanrig,descrizione,unitam,imballo,prezzo,quantita,colli,"
                 "iva,desgru,totrig FROM movimenti WHERE bnumer = 3 ORDER BY rowid"),
            "1,Null,'8000000000101',Null,Null,Null,1.5,3,18,Null,Null,27"
            " | 2,Null,'8000000000505',Null,Null,Null,3,1,1,Null,Null,3"
            " | 4,104,'8000000000404','BISCOTTI                           ','CT',12,2.25,1,12,"
            "10,'DOLCI',27"
            " | 5,0,'0000000000077','Articolo non Trovato !!!!!!!       ','00',0,0,2,0,0,'',0");
  EXPECT_EQ(rows("SELECT eanrig FROM ordine"), "'8000000000202'");
}

TEST_F(ConfirmTest, TheNumberUsedMeanwhileGivesTheNextFreeOne) {
  sql(kNewOrder);
  Session t(dir(), "T");
  cnford& screen = t.start<cnford>("cnford");
  EXPECT_EQ(screen.numerow.Text(), "5");
  sql("INSERT INTO testa (anno, numero) VALUES (2026, 5)");
  t.terminal.click(screen.Command1);

  EXPECT_EQ(screen.numerow.Text(), "6");
  EXPECT_EQ(t.terminal.session.numero, 6);
  EXPECT_EQ(rows("SELECT numero, fl3ts FROM testa WHERE anno = 2026 ORDER BY numero"),
            "4,Null | 5,Null | 6,'I'");
  EXPECT_EQ(rows("SELECT DISTINCT bnumer FROM movimenti"), "6");
}

// Each mode on its own store, and how it is chosen on the screen.
struct Mode {
  std::string_view name;
  std::string_view store;
  std::function<void(ui::Terminal&, cnford&)> confirm;
};

void ConfirmNew(ui::Terminal& t, cnford& screen) {
  t.click(screen.Command1);
}

void AddToLast(ui::Terminal& t, cnford& screen) {
  t.click(screen.Check1);
  t.click(screen.Command2);
}

TEST_F(ConfirmTest, AnEngineErrorHalfwayLeavesTheStoreAsItWas) {
  for (const Mode& mode : {Mode{"new", kNewOrder, ConfirmNew}, Mode{"add", kAddOrder, AddToLast}}) {
    SCOPED_TRACE(mode.name);
    sql("DELETE FROM testa; DELETE FROM movimenti; DELETE FROM ordine; DROP TRIGGER IF EXISTS "
        "guasto;");
    sql(mode.store);
    // The line of the fourth working row cannot be written.
    sql("CREATE TRIGGER guasto BEFORE INSERT ON movimenti WHEN NEW.eanrig = '8000000000404' "
        "BEGIN SELECT RAISE(ABORT, 'disco pieno'); END;");
    const std::string before = snapshot();
    Session t(dir(), "T");
    cnford& screen = t.start<cnford>("cnford");
    const bool command1 = mode.name == "new";
    mode.confirm(t.terminal, screen);

    EXPECT_EQ(snapshot(), before);
    ASSERT_EQ(t.front_end.boxes.size(), 1u);
    EXPECT_TRUE(t.front_end.boxes[0].starts_with(
        "16 [] Attenzione !!     Ordine non confermato, nessun dato è stato modificato: "))
        << t.front_end.boxes[0];
    EXPECT_NE(t.front_end.boxes[0].find("disco pieno"), std::string::npos);
    EXPECT_EQ(screen.Command1.Visible, command1);
    EXPECT_TRUE(screen.Command2.Visible);
    EXPECT_FALSE(screen.ProgressBar1.Visible);
  }
}

TEST_F(ConfirmTest, RefusalsWriteNothing) {
  sql(kNewOrder);
  sql("INSERT INTO ordine (eanrig, descrizione, colli, tipord) VALUES ('8000000000606', 'MELE', "
      "0, 'O')");
  const std::string kNoLines = "0 [] Attenzione !! Non esisteno articoli inseriti ";
  struct Case {
    std::string_view tipord;
    std::function<void(ui::Terminal&, cnford&)> action;
    std::string message;
  } cases[] = {
      // "Nuovo Ordine" unchecked: no header, so no lines.
      {"T",
       [](ui::Terminal& t, cnford& s) {
         t.click(s.Check2);
         t.click(s.Command1);
       },
       "0 [] Attenzione !!     Scegli Nuovo Ordine per creare l'Ordine "},
      // Adding under the new number, which has no header.
      {"T", [](ui::Terminal& t, cnford& s) { t.click(s.Command2); },
       "0 [] Attenzione !!     L'Ordine a cui aggiungere gli articoli non esiste "},
      {"S", ConfirmNew, kNoLines},
      // Only lines without packs: there would be a header without lines.
      {"O", ConfirmNew, kNoLines},
      {"O", AddToLast, kNoLines},
  };
  const std::string before = snapshot();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    Session t(dir(), c.tipord);
    cnford& screen = t.start<cnford>("cnford");
    c.action(t.terminal, screen);
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(t.front_end.boxes, std::vector<std::string>{c.message});
  }
}

TEST_F(ConfirmTest, TwoTerminalsConfirmingAtOnceGetTwoNumbers) {
  sql(kNewOrder);
  std::barrier both(2);
  std::string shown[2];
  auto terminal = [&](int i, std::string_view tipord) {
    Session t(dir(), tipord);
    cnford& screen = t.start<cnford>("cnford");
    both.arrive_and_wait();
    t.terminal.click(screen.Command1);
    shown[i] = screen.numerow.Text() + (t.front_end.boxes.empty() ? "" : t.front_end.boxes[0]);
  };
  std::thread sala(terminal, 0, "T");
  std::thread macelleria(terminal, 1, "M");
  sala.join();
  macelleria.join();

  EXPECT_EQ(rows("SELECT numero FROM testa WHERE anno = 2026 ORDER BY numero"), "4 | 5 | 6");
  EXPECT_NE(shown[0], shown[1]);
  EXPECT_TRUE(shown[0] == "5" || shown[0] == "6") << shown[0];
  EXPECT_TRUE(shown[1] == "5" || shown[1] == "6") << shown[1];
  EXPECT_EQ(rows("SELECT count(*) FROM movimenti WHERE bnumer = " + shown[0]), "3");
  EXPECT_EQ(rows("SELECT count(*) FROM movimenti WHERE bnumer = " + shown[1]), "1");
  EXPECT_EQ(rows("SELECT count(*) FROM ordine"), "0");
}

}  // namespace
}  // namespace gw::orders::test
