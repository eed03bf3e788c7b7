// The document confirmation "con_inv": turns the lines one operator slot
// has counted in "inventario" into a numbered document of the working
// database, an "invte" header and one "invmo" line per counted line, each
// completed from the price list, and records the number in its counter.
// Inventories (menu morvi04) and stock-out documents (menu morvi01b) differ
// only in a few header texts. A confirmation is all or nothing: counter,
// header and lines are written in one transaction, and an engine error
// leaves the database as it was. The working lines stay; the menus delete
// them.
#pragma once

#include <cstdint>
#include <string>

#include "core/db/datalink.h"
#include "core/vb/value.h"

namespace gw {
struct SessionContext;
namespace db {
class Database;
}
}  // namespace gw

namespace gw::inventory {

enum class DocumentKind { Inventory, StockOut };

// The query of a slot's working lines, in the order they were counted.
db::Query SlotLines(int16_t oper);

// A counted line of "inventario" as the confirmation reads it (Null as 0).
struct CountedLine {
  int32_t codcasa = 0;
  std::string eanrig;
  double quantita = 0;
};

// What a "listi01" row gives a document line; Null cofart, ivart and Umart
// are already read as 0, "0" and "PZ", the other fields stay as stored.
struct PriceListData {
  Value desart;
  double cofart = 0;
  std::string ivart = "0";
  std::string umart = "PZ";
  Value cosmp;
  Value desfor;
  Value desgru;
};

// The fields of an "invmo" line that come from its counted line and its
// price-list row; the document, the line number and the fixed texts are
// the confirmation's.
struct DocumentLine {
  int32_t articoli = 0;
  double quantita = 0;
  std::string unitam;
  double totrig = 0;
  Value descrizione;
  std::string iva;  // two characters, as the back office reads it
  std::string eanrig;
  double costo = 0;  // written as both costof and prezzo
  Value cosmp;
  Value desfor;
  Value desgru;
};

// Reads a "listi01" row. REQUIRES: !listi01.eof().
PriceListData ReadPriceList(const db::Recordset& listi01);

// The line of a counted line with a quantity, under article `code` (its own
// code, the one its EAN has, or 999999).
DocumentLine BuildDocumentLine(const CountedLine& counted, int32_t code,
                               const PriceListData& price);

enum class DocumentOutcome {
  Confirmed,     // header written, with the lines that have a quantity and a price
  NoLines,       // the slot has no working line: nothing written
  BadNumber,     // number or year 0: nothing written
  TooManyLines,  // a line number would pass 32767: nothing written
};

// Confirms the working lines of `inventario` (a query of SlotLines on the
// working database `lavoro`) into document session.numero of year
// session.anno, dated `today`. On Confirmed the session's line counter bns
// holds the last line number given, and ean and codcasa the last line read;
// otherwise the session is left as it was. Engine errors are thrown, after
// the transaction has rolled back.
DocumentOutcome con_inv(db::Database& lavoro, db::QueryRecordset& inventario,
                        SessionContext& session, DocumentKind kind, DateTime today);

}  // namespace gw::inventory
