// Document confirmation "con_inv".
#include "inventory/con_inv.h"

#include <limits>
#include <string>
#include <string_view>

#include "core/db/database.h"
#include "core/db/numbering.h"
#include "core/session/fixed_text.h"
#include "core/session/session_context.h"
#include "core/vb/vb.h"

namespace gw::inventory {
namespace {

// The article a line goes under when its EAN is in no "codean" row; the
// line is written only if the price list has a row for it.
constexpr int32_t kUnknownArticle = 999999;

constexpr int16_t kLastLineNumber = std::numeric_limits<int16_t>::max();

// The header texts that tell an inventory from a stock-out document; the
// same for every stock-out type.
struct HeaderTexts {
  std::string_view dsccliente;
  std::string_view dscsede;
  std::string_view causa;
};

constexpr HeaderTexts kInventoryHeader{"Inventario", "desedew", "INVENT"};
constexpr HeaderTexts kStockOutHeader{"DISTRUZIONI", "DISTRUZIONI", "DISTRU"};

int32_t LongOf(const Value& v) {
  return v.isNull() ? 0 : vb::CLng(v);
}

// The first `count` characters of a text; Null stays Null.
Value LeftOf(const Value& v, size_t count) {
  return v.isNull() ? v : Value(vb::Left(v.toText(), count));
}

CountedLine ReadCountedLine(const db::Recordset& inventario) {
  CountedLine line;
  line.codcasa = LongOf(inventario.field("codcasa"));
  line.eanrig = inventario.field("eanrig").toText();
  line.quantita = inventario.field("quantita").toDouble();
  return line;
}

void AddHeader(db::Database& lavoro, db::TableRecordset& invte, const SessionContext& s,
               DocumentKind kind, DateTime today) {
  const HeaderTexts& texts = kind == DocumentKind::Inventory ? kInventoryHeader : kStockOutHeader;
  invte.addNew();
  invte.set("anno", Value(s.anno));
  invte.set("numero", Value(s.numero));
  invte.set("codutente", Value(s.codutente));
  db::RecordNumberUsed(lavoro, s.codutente, s.numeratore.str(), s.anno, s.numero);
  invte.set("dataor", Value(today));
  invte.set("dsccliente", Value(texts.dsccliente));
  invte.set("cliente", Value(0));
  invte.set("codsede", Value(0));
  invte.set("dscsede", Value(texts.dscsede));
  invte.set("regis", Value(""));
  invte.set("codlis", Value(s.codlis.str()));
  invte.set("tipodoc", Value(s.tipdoc.str()));
  invte.set("agente", Value(0));
  invte.set("causa", Value(texts.causa));
  invte.set("bolli", Value(0));
  invte.update();
}

// commesso and bflag1 are left Null.
void AddLine(db::TableRecordset& invmo, const SessionContext& s, int16_t bns,
             const DocumentLine& line) {
  invmo.addNew();
  invmo.set("bns", Value(bns));
  invmo.set("bannoc", Value(s.anno));
  invmo.set("bnumer", Value(s.numero));
  invmo.set("articoli", Value(line.articoli));
  invmo.set("quantita", Value(line.quantita));
  invmo.set("unitam", Value(line.unitam));
  invmo.set("Colli", Value(line.quantita));
  invmo.set("tipmov", Value("AR"));
  invmo.set("totrig", Value(line.totrig));
  invmo.set("descrizione", line.descrizione);
  invmo.set("iva", Value(line.iva));
  invmo.set("codute", Value(s.codutente));
  invmo.set("eanrig", Value(line.eanrig));
  invmo.set("costof", Value(line.costo));
  invmo.set("prezzo", Value(line.costo));
  invmo.set("cosmp", line.cosmp);
  invmo.set("dsccolore", Value("colore"));
  invmo.set("taglia", Value("UNI"));
  invmo.set("desfor", line.desfor);
  invmo.set("desgru", line.desgru);
  invmo.set("tipodoc", Value(s.tipdoc.str()));
  invmo.update();
}

}  // namespace

db::Query SlotLines(int16_t oper) {
  return {"SELECT * FROM inventario WHERE oper = ?", {Value(oper)}};
}

PriceListData ReadPriceList(const db::Recordset& listi01) {
  PriceListData price;
  price.desart = listi01.field("Desart");
  if (Value cofart = listi01.field("cofart"); !cofart.isNull())
    price.cofart = vb::Round(cofart.toDouble(), 4);
  if (Value ivart = listi01.field("ivart"); !ivart.isNull()) price.ivart = ivart.toText();
  if (Value umart = listi01.field("Umart"); !umart.isNull()) price.umart = umart.toText();
  price.cosmp = listi01.field("cosmp");
  price.desfor = listi01.field("desfor");
  price.desgru = listi01.field("desgru");
  return price;
}

DocumentLine BuildDocumentLine(const CountedLine& counted, int32_t code,
                               const PriceListData& price) {
  DocumentLine line;
  line.articoli = code;
  line.quantita = counted.quantita;
  line.unitam = price.umart;
  line.costo = price.cofart;
  line.totrig = vb::Round(price.cofart * counted.quantita, 2);
  line.descrizione = price.desart;
  FixedText iva(2);
  iva = price.ivart;
  line.iva = iva.str();
  line.eanrig = counted.eanrig;
  line.cosmp = price.cosmp;
  line.desfor = LeftOf(price.desfor, 35);
  line.desgru = LeftOf(price.desgru, 20);
  return line;
}

DocumentOutcome con_inv(db::Database& lavoro, db::QueryRecordset& inventario,
                        SessionContext& session, DocumentKind kind, DateTime today) {
  const SessionContext& s = session;
  if (s.numero == 0 || s.anno == 0) return DocumentOutcome::BadNumber;
  inventario.moveFirst();
  if (inventario.eof()) return DocumentOutcome::NoLines;

  db::Transaction transaction(lavoro);
  db::TableRecordset listi01 = lavoro.openTable("listi01");
  listi01.setIndex("primary");
  db::TableRecordset codean = lavoro.openTable("codean");
  codean.setIndex("keyean");
  db::TableRecordset invte = lavoro.openTable("invte");
  db::TableRecordset invmo = lavoro.openTable("invmo");

  AddHeader(lavoro, invte, s, kind, today);
  int16_t bns = s.bns;
  std::string ean;
  int32_t codcasa = 0;
  for (; !inventario.eof(); inventario.moveNext()) {
    const CountedLine counted = ReadCountedLine(inventario);
    ean = counted.eanrig;
    codcasa = counted.codcasa;
    if (counted.quantita == 0) continue;
    if (codcasa == 0) {
      codean.seek(Value(ean));
      codcasa = codean.noMatch() ? kUnknownArticle : LongOf(codean.field("codare"));
    }
    listi01.seek(Value(codcasa));
    if (listi01.noMatch()) continue;
    if (bns == kLastLineNumber) return DocumentOutcome::TooManyLines;
    ++bns;
    AddLine(invmo, s, bns, BuildDocumentLine(counted, codcasa, ReadPriceList(listi01)));
  }
  transaction.commit();
  session.bns = bns;
  session.ean = ean;
  session.codcasa = codcasa;
  return DocumentOutcome::Confirmed;
}

}  // namespace gw::inventory
