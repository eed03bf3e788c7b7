// Document numbers: the series of a document type ("tipodoc") and the last
// number given per user, series and year ("numeri"). A menu takes the next
// number when it opens; a confirmation records the number it used.
#pragma once

#include <string>
#include <string_view>

#include "core/db/database.h"
#include "core/session/session_context.h"

namespace gw::db {

// The two refusals of taking a number, in the words of the menu that asks.
struct NumberingMessages {
  std::string missing_type;
  std::string missing_counter;
};
extern const NumberingMessages kInventoryNumbering;  // the "-INVENTARIO-" texts
extern const NumberingMessages kStockOutNumbering;   // the stock-out menu's texts

enum class NumberingOutcome { Taken, MissingType, MissingCounter };

// Looks up session.tipdoc in "tipodoc" of `db` and the counter of
// (codutente, series, year) in "numeri": session.anno := year,
// session.numeratore := the type's series, session.numero := ultnum + 1
// (an empty ultnum counts as 0). On MissingType nothing changes but anno;
// on MissingCounter numeratore is set and numero keeps its value.
NumberingOutcome TakeNextNumber(Database& db, SessionContext& session, int year);

// Sets the counter of (codutente, numeratore, anno) to `numero`. Returns
// false, changing nothing, when the counter row does not exist.
bool RecordNumberUsed(Database& db, int codutente, std::string_view numeratore, int anno,
                      int numero);

}  // namespace gw::db
