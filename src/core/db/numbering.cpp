// Taking and recording document numbers. Criteria carry the session's
// fixed-length texts with their padding; the store's text comparison is
// blind to trailing blanks, so a one-character series still matches.
#include "core/db/numbering.h"

namespace gw::db {

const NumberingMessages kInventoryNumbering{
    "Attenzione!   manca il tipo documento -INVENTARIO- Vedi tabella TIPODOC",
    "Attenzione!   La numerazione del tipo documento -INVENTARIO- non è stata impostata per "
    "l'anno corrente"};

const NumberingMessages kStockOutNumbering{
    "Attenzione!   manca il tipo documento - Vedi tabella TIPODOC",
    "Attenzione!   La numerazione del tipo documento  non è stata impostata per l'anno "
    "corrente"};

namespace {

Criteria CounterCriteria(int codutente, std::string_view numeratore, int anno) {
  return {{"codutente", Condition::Op::Equal, Value(codutente)},
          {"tipo", Condition::Op::Equal, Value(numeratore)},
          {"anno", Condition::Op::Equal, Value(anno)}};
}

}  // namespace

NumberingOutcome TakeNextNumber(Database& db, SessionContext& session, int year) {
  session.anno = year;
  QueryRecordset types(db, "SELECT * FROM tipodoc", {});
  types.findFirst({{"coddoc", Condition::Op::Equal, Value(session.tipdoc.str())}});
  if (types.noMatch()) return NumberingOutcome::MissingType;
  session.numeratore = types.field("numeratore").toText();

  QueryRecordset counters(db, "SELECT * FROM numeri", {});
  counters.findFirst(CounterCriteria(session.codutente, session.numeratore.str(), session.anno));
  if (counters.noMatch()) return NumberingOutcome::MissingCounter;
  Value last = counters.field("ultnum");
  session.numero = static_cast<int32_t>((last.isNull() ? 0 : last.toDouble()) + 1);
  return NumberingOutcome::Taken;
}

bool RecordNumberUsed(Database& db, int codutente, std::string_view numeratore, int anno,
                      int numero) {
  QueryRecordset counters(db, "SELECT * FROM numeri", {});
  counters.findFirst(CounterCriteria(codutente, numeratore, anno));
  if (counters.noMatch()) return false;
  counters.edit();
  counters.set("ultnum", Value(numero));
  counters.update();
  return true;
}

}  // namespace gw::db
