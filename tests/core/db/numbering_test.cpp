// Document numbers on a real working database: taking the next number of a
// type's series and year, and recording the number a confirmation used.
#include "core/db/numbering.h"

#include <gtest/gtest.h>

#include <string>

#include "core/db/store_fixture.h"

namespace gw::db::test {
namespace {

class NumberingTest : public StoreTest {
 protected:
  void SetUp() override {
    insert("tipodoc", {{"coddoc", "INVENTARIO"}, {"numeratore", "IN"}, {"dscdoc", "Inventario"}});
    insert("tipodoc", {{"coddoc", "CASSONETTO"}, {"numeratore", "C"}});
    insert("tipodoc", {{"coddoc", "DISTRUZION"}, {"numeratore", "DS"}});
    insert("numeri", {{"codutente", 1}, {"tipo", "IN"}, {"anno", 2024}, {"ultnum", 41}});
    insert("numeri", {{"codutente", 2}, {"tipo", "IN"}, {"anno", 2024}, {"ultnum", 90}});
    insert("numeri", {{"codutente", 1}, {"tipo", "C"}, {"anno", 2024}, {"ultnum", Value()}});
    session_.codutente = 1;
    session_.numero = 7;  // left by an earlier screen
  }

  // Takes a number for the type and prints the outcome with the session's
  // fields: "Taken anno numeratore numero".
  std::string take(const char* tipdoc, int year) {
    session_.tipdoc = tipdoc;
    NumberingOutcome outcome = TakeNextNumber(db(), session_, year);
    const char* name = outcome == NumberingOutcome::Taken         ? "Taken"
                       : outcome == NumberingOutcome::MissingType ? "MissingType"
                                                                  : "MissingCounter";
    return std::string(name) + " " + std::to_string(session_.anno) + " '" +
           session_.numeratore.str() + "' " + std::to_string(session_.numero);
  }

  SessionContext session_;
};

TEST_F(NumberingTest, TakesTheNextNumberAndRecordsIt) {
  EXPECT_EQ(take("INVENTARIO", 2024), "Taken 2024 'IN' 42");
  EXPECT_EQ(take("INVENTARIO", 2024), "Taken 2024 'IN' 42");  // not reserved
  EXPECT_TRUE(RecordNumberUsed(db(), 1, session_.numeratore.str(), 2024, 42));
  EXPECT_EQ(raw("SELECT codutente, tipo, ultnum FROM numeri WHERE anno = 2024"),
            "1,'IN',42 | 2,'IN',90 | 1,'C',Null");
  EXPECT_EQ(take("INVENTARIO", 2024), "Taken 2024 'IN' 43");
}

TEST_F(NumberingTest, EdgeCasesOfTheLookup) {
  struct Case {
    const char* tipdoc;
    int year;
    const char* outcome;
  } cases[] = {
      {"INVENTARIO", 2025, "MissingCounter 2025 'IN' 7"},  // no counter row for the new year
      {"inventario", 2024, "Taken 2024 'IN' 42"},
      {"CASSONETTO", 2024, "Taken 2024 'C ' 1"},  // one-character series; Null counts as 0
      {"DDTRESFOR", 2024, "MissingType 2024 '  ' 7"},
      {"DISTRUZION", 2024, "MissingCounter 2024 'DS' 7"},
  };
  for (const Case& c : cases) {
    session_.numeratore = "";
    session_.numero = 7;
    EXPECT_EQ(take(c.tipdoc, c.year), c.outcome) << c.tipdoc << " " << c.year;
  }
}

TEST_F(NumberingTest, MissingTypeLeavesTheSeriesAsItWas) {
  session_.numeratore = "OF";
  EXPECT_EQ(take("DDTRESFOR", 2024), "MissingType 2024 'OF' 7");
}

TEST_F(NumberingTest, RecordsOnlyIntoAnExistingCounter) {
  session_.tipdoc = "CASSONETTO";
  ASSERT_EQ(TakeNextNumber(db(), session_, 2024), NumberingOutcome::Taken);
  EXPECT_TRUE(RecordNumberUsed(db(), 1, session_.numeratore.str(), 2024, session_.numero));
  EXPECT_FALSE(RecordNumberUsed(db(), 1, "IN", 2026, 1));
  EXPECT_FALSE(RecordNumberUsed(db(), 3, "IN", 2024, 1));
  EXPECT_EQ(raw("SELECT codutente, tipo, anno, ultnum FROM numeri"),
            "1,'IN',2024,41 | 2,'IN',2024,90 | 1,'C',2024,1");
}

TEST(NumberingMessagesTest, TextsOfTheTwoMenus) {
  EXPECT_EQ(kInventoryNumbering.missing_type,
            "Attenzione!   manca il tipo documento -INVENTARIO- Vedi tabella TIPODOC");
  EXPECT_EQ(kInventoryNumbering.missing_counter,
            "Attenzione!   La numerazione del tipo documento -INVENTARIO- non è stata impostata "
            "per l'anno corrente");
  EXPECT_EQ(kStockOutNumbering.missing_type,
            "Attenzione!   manca il tipo documento - Vedi tabella TIPODOC");
  EXPECT_EQ(kStockOutNumbering.missing_counter,
            "Attenzione!   La numerazione del tipo documento  non è stata impostata per l'anno "
            "corrente");
}

}  // namespace
}  // namespace gw::db::test
