// The order entry's saved line: every field of the "ordine" row that a
// scanned EAN with its packs writes, and what entering the code again
// changes in it.
#include <gtest/gtest.h>

#include "order_fixture.h"
#include "orders/morvi02.h"

namespace gw::orders::test {
namespace {

constexpr const char* kLine =
    "SELECT eanrig, codcasa, descrizione, unitam, prezzo, colli, imballo, quantita, iva, desfor, "
    "codfor, desgru, tipord, typeof(prezzo) FROM ordine";

class OrderEntryTest : public OrderStoreTest {
 protected:
  void SetUp() override {
    // The store lists the code under one article, the working database
    // under another: the line takes its code from the working database,
    // as its price does, and its description from the store's article.
    sql(R"(
INSERT INTO articolo (codart, desart, imbart, przart, ivart, quantiuo, colliuo)
  VALUES (1234567, 'BISCOTTI AL BURRO 350G', 6, 0.60, 4, 0, 2);
INSERT INTO codean (eanare, codare) VALUES ('8001234567897', 1234567);
)");
    sql("vorsa/dati.mdb", R"(
INSERT INTO codean (eanare, codare) VALUES ('8001234567897', 7654321);
INSERT INTO listi01 (codart, przpub, ivart, cofart) VALUES (7654321, 1.29, 20, 0.69);
)");
  }

  void scan(morvi02& entry, const char* code) {
    t.terminal.paste(entry.eanw, code);
    t.terminal.pressKey(entry.eanw, 13);
  }

  Session t{dir(), "T"};
};

TEST_F(OrderEntryTest, ScannedCodeWithItsPacksStoresEveryField) {
  morvi02& entry = t.start<morvi02>("morvi02");
  scan(entry, "8001234567897");
  // The cost shown is the working price list's, VAT added: 0.69 + 0.14.
  ASSERT_EQ(entry.costow.Text(), "0,83");
  ASSERT_EQ(entry.descrw.Text(), "BISCOTTI AL BURRO 350G");
  ASSERT_EQ(entry.imballow.Text(), "6");
  t.terminal.type(entry.quanw, "3");
  t.terminal.click(entry.Command5);

  EXPECT_EQ(rows(kLine),
            "'8001234567897',7654321,'BISCOTTI AL BURRO 350G','CT',0.83,3,6,18,10,'.',Null,'.',"
            "'T','real'");
  EXPECT_EQ(entry.totqw.Text(), "3");
  EXPECT_EQ(entry.eanw.Text(), "");
  EXPECT_TRUE(t.front_end.boxes.empty());

  // The code again and other packs confirmed with Enter: the one line
  // keeps its code and takes the new packs.
  scan(entry, "8001234567897");
  ASSERT_EQ(entry.quanw.Text(), "3");
  t.terminal.click(entry.quanw);
  t.terminal.type(entry.quanw, "5");
  t.terminal.pressKey(entry.quanw, 13);
  EXPECT_EQ(rows(kLine),
            "'8001234567897',7654321,'BISCOTTI AL BURRO 350G','CT',0.83,5,6,30,10,'.',Null,'.',"
            "'T','real'");
}

}  // namespace
}  // namespace gw::orders::test
