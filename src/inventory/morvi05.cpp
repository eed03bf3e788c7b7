// Inventory entry "morvi05".
#include "inventory/morvi05.h"

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <utility>

#include "core/db/like.h"
#include "core/session/session_context.h"
#include "core/ui/terminal.h"
#include "core/vb/vb.h"
#include "lookup/article_lookup.h"

namespace gw::inventory {
namespace {

using namespace ui;

constexpr Font kLabelFont{"Arial", 12, true};
constexpr Font kFieldFont{"Arial", 14, true};
constexpr Font kCodeFont{"Arial", 16, true};
constexpr Font kButtonFont{"Arial", 16, true};
constexpr Font kKeyFont{"Arial", 20, true};

// --- Layout ---------------------------------------------------------------
constexpr FormSpec kForm{
    .name = "morvi05", .caption = "Immissione Inventario", .width = 8790, .height = 10950};

// Three columns of a label over its field.
constexpr int kColumn[] = {120, 3000, 5880};
constexpr int kColumnWidth = 2790;

constexpr ControlSpec Caption(std::string_view name, std::string_view caption, int column,
                              int top) {
  return {.name = name,
          .caption = caption,
          .left = kColumn[column],
          .top = top,
          .width = kColumnWidth,
          .height = 300,
          .font = kLabelFont};
}

constexpr ControlSpec Shown(std::string_view name, int column, int top) {
  return {.name = name,
          .left = kColumn[column],
          .top = top,
          .width = kColumnWidth,
          .height = 540,
          .font = kFieldFont,
          .locked = true};
}

// The keypad: three keys a row, four rows.
constexpr ControlSpec Key(std::string_view name, std::string_view caption, int index) {
  return {.name = name,
          .caption = caption,
          .left = 120 + (index % 3) * 1920,
          .top = 5100 + (index / 3) * 1080,
          .width = 1800,
          .height = 960,
          .font = kKeyFont};
}

constexpr ControlSpec kLabel1{.name = "Label1",
                              .caption = "Codice Ean",
                              .left = 120,
                              .top = 60,
                              .width = 5280,
                              .height = 360,
                              .font = kLabelFont};
constexpr ControlSpec kEanw{.name = "eanw",
                            .left = 120,
                            .top = 420,
                            .width = 5280,
                            .height = 720,
                            .font = kCodeFont,
                            .keyboard = Keyboard::Scan};
constexpr ControlSpec kLabel2{.name = "Label2",
                              .caption = "Cod.Art.",
                              .left = 5520,
                              .top = 60,
                              .width = 1800,
                              .height = 360,
                              .font = kLabelFont};
constexpr ControlSpec kCodcasaw{.name = "codcasaw",
                                .left = 5520,
                                .top = 420,
                                .width = 1800,
                                .height = 720,
                                .fore = kRed,
                                .font = kFieldFont,
                                .keyboard = Keyboard::Numeric};
constexpr ControlSpec kOperw{.name = "operw",
                             .left = 7440,
                             .top = 420,
                             .width = 1230,
                             .height = 720,
                             .font = kCodeFont,
                             .locked = true,
                             .align = Align::Center};
constexpr ControlSpec kDescrw{.name = "descrw",
                              .left = 120,
                              .top = 1260,
                              .width = 8550,
                              .height = 600,
                              .fore = kRed,
                              .font = kFieldFont,
                              .max_length = 35,
                              .tooltip = "Clicca qui per ricercare Articolo"};
constexpr ControlSpec kLabel3 = Caption("Label3", "Imb.", 0, 1980);
constexpr ControlSpec kImballow = Shown("imballow", 0, 2280);
constexpr ControlSpec kLabel4 = Caption("Label4", "Q.Ord.prec.", 1, 1980);
constexpr ControlSpec kCimpw = Shown("cimpw", 1, 2280);
constexpr ControlSpec kLabel5 = Caption("Label5", "Data ord.pr.", 2, 1980);
constexpr ControlSpec kDtorprw = Shown("dtorprw", 2, 2280);
constexpr ControlSpec kLabel6 = Caption("Label6", "Costo no Iva", 0, 2940);
constexpr ControlSpec kCostow = Shown("costow", 0, 3240);
constexpr ControlSpec kLabel7 = Caption("Label7", "Prezzo Vendita", 1, 2940);
constexpr ControlSpec kPrezzow = Shown("Prezzow", 1, 3240);
constexpr ControlSpec kLabel8 = Caption("Label8", "Marg.", 2, 2940);
constexpr ControlSpec kText1 = Shown("Text1", 2, 3240);
constexpr ControlSpec kLabel9 = Caption("Label9", "Totale Invent.", 0, 3900);
constexpr ControlSpec kTotqw = Shown("totqw", 0, 4200);
constexpr ControlSpec kLabel10 = Caption("Label10", "Q.Invent.", 1, 3900);
constexpr ControlSpec kQinvw = Shown("qinvw", 1, 4200);
constexpr ControlSpec kLabel11 = Caption("Label11", "Quantità", 2, 3900);
// The keypad on the screen types the quantity: no keyboard of the terminal's.
constexpr ControlSpec kQuanw{.name = "quanw",
                             .left = kColumn[2],
                             .top = 4200,
                             .width = kColumnWidth,
                             .height = 720,
                             .font = kCodeFont,
                             .keyboard = Keyboard::Scan};
constexpr ControlSpec kCommand4 = Key("Command4", "1", 0);
constexpr ControlSpec kCommand6 = Key("Command6", "2", 1);
constexpr ControlSpec kCommand7 = Key("Command7", "3", 2);
constexpr ControlSpec kCommand8 = Key("Command8", "4", 3);
constexpr ControlSpec kCommand9 = Key("Command9", "5", 4);
constexpr ControlSpec kCommand11 = Key("Command11", "6", 5);
constexpr ControlSpec kCommand2 = Key("Command2", "7", 6);
constexpr ControlSpec kCommand3 = Key("Command3", "8", 7);
constexpr ControlSpec kCommand10 = Key("Command10", "9", 8);
constexpr ControlSpec kCommand16 = Key("Command16", ",", 9);
constexpr ControlSpec kCommand14 = Key("Command14", "0", 10);
constexpr ControlSpec kCommand15 = Key("Command15", "CANC", 11);
constexpr ControlSpec kCommand5{.name = "Command5",
                                .caption = "Conferma",
                                .left = 5880,
                                .top = 5100,
                                .width = 2790,
                                .height = 2040,
                                .back = kActiveBorder,
                                .font = kButtonFont,
                                .picture = Picture::Confirm};
constexpr ControlSpec kCommand12{.name = "Command12",
                                 .caption = "Elimina",
                                 .left = 5880,
                                 .top = 7260,
                                 .width = 2790,
                                 .height = 960,
                                 .font = kButtonFont};
constexpr ControlSpec kCommand13{.name = "Command13",
                                 .caption = "Annulla",
                                 .left = 5880,
                                 .top = 8340,
                                 .width = 2790,
                                 .height = 960,
                                 .font = kButtonFont,
                                 .cancel = true};
constexpr ControlSpec kCommand1{.name = "Command1",
                                .caption = "Uscita",
                                .left = 120,
                                .top = 9420,
                                .width = 8550,
                                .height = 960,
                                .font = kButtonFont,
                                .picture = Picture::Exit};

constexpr int kEnter = 13;
constexpr int kDown = 40;
// A quantity whose whole part is above this is no count (a scanned code
// that landed in the quantity field).
constexpr double kMostCounted = 1000;
// Internal article codes are Long.
constexpr double kLargestCode = std::numeric_limits<int32_t>::max();
constexpr size_t kVariablePriceLength = 13;
constexpr size_t kInStorePrefix = 7;

constexpr std::string_view kPriceFormat = "###,##0.00";
constexpr std::string_view kNoArticle = "???? Articolo non esiste ...";
constexpr std::string_view kWrongQuantity = "ATTENZIONE ! Inserire la Q.tà corretta";
constexpr std::string_view kNoCode = "ATTENZIONE ! Inserire un codice";
constexpr std::string_view kNoArchive = "ATTENZIONE !!!. Non è stato selezionato l'archivio dati";
constexpr std::string_view kDeleteQuestion =
    "Attenzione  !!  Sei sicuro di voler Eliminare questo articolo ?";
constexpr std::string_view kDeleteTitle = "Elimina articolo";

bool Blank(std::string_view text) {
  return vb::Trim(text).empty();
}

bool AllDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

bool Whole(double number) {
  return number == std::trunc(number);
}

// The article code typed into codcasaw; 0 when it is none.
int32_t ArticleNumber(std::string_view text) {
  const std::optional<double> number = lookup::CodeNumber(text);
  if (!number || !Whole(*number) || *number > kLargestCode) return 0;
  return static_cast<int32_t>(*number);
}

// The quantity field read with the decimal comma; nullopt when it is no number.
std::optional<double> Quantity(std::string_view text) {
  double quantity = 0;
  if (!vb::TryCDbl(text, quantity)) return std::nullopt;
  return quantity;
}

Value Cut(const Value& text, size_t width) {
  return text.isNull() ? text : Value(vb::Left(text.toText(), width));
}

Value Added(const Value& counted, double quantity) {
  return Value(counted.isNull() ? quantity : counted.toDouble() + quantity);
}

}  // namespace

// --- Rules of the code field ------------------------------------------------

bool IsVariablePriceCode(std::string_view code) {
  const std::string trimmed = vb::Trim(code);
  return vb::Len(trimmed) == kVariablePriceLength && trimmed.front() == '2';
}

double LabelQuantity(std::string_view code, double przpub) {
  double cents = 0;  // stays 0 when the characters are no number
  vb::TryCDbl(vb::Mid(vb::Trim(code), 8, 5), cents);
  const float price = static_cast<float>(cents / 100);
  return vb::Round(price / przpub, 3);
}

std::string CountedCode(std::string_view text) {
  const std::string trimmed = vb::Trim(text);
  if (trimmed.size() > 12 || !AllDigits(trimmed)) return trimmed;
  return std::string(13 - trimmed.size(), '0') + trimmed;
}

CountedArticle ResolveCountedCode(db::Database& store, std::string_view typed) {
  const std::optional<double> number = lookup::CodeNumber(typed);
  if (!number || !Whole(*number)) return {};
  lookup::ArticleCodes codes(store);
  if (*number < lookup::kFirstEanNumber) {
    const int32_t whole = static_cast<int32_t>(*number);
    if (std::optional<std::string> ean = codes.eanOf(whole))
      return {CountedArticle::Outcome::Internal, *ean, whole};
    if (std::optional<lookup::InternalMatch> match = lookup::FindShortenedCode(codes, *number))
      return {CountedArticle::Outcome::Internal, match->ean, match->codcasa};
  }
  std::string ean = lookup::Ean13(*number);
  const int32_t codcasa = codes.articleOf(ean).value_or(0);
  return {CountedArticle::Outcome::Ean, std::move(ean), codcasa};
}

// --- The screen -------------------------------------------------------------

morvi05::morvi05(Terminal& terminal)
    : Screen(terminal, kForm),
      Label1(*this, kLabel1),
      eanw(*this, kEanw),
      Label2(*this, kLabel2),
      codcasaw(*this, kCodcasaw),
      operw(*this, kOperw),
      descrw(*this, kDescrw),
      Label3(*this, kLabel3),
      imballow(*this, kImballow),
      Label4(*this, kLabel4),
      cimpw(*this, kCimpw),
      Label5(*this, kLabel5),
      dtorprw(*this, kDtorprw),
      Label6(*this, kLabel6),
      costow(*this, kCostow),
      Label7(*this, kLabel7),
      Prezzow(*this, kPrezzow),
      Label8(*this, kLabel8),
      Text1(*this, kText1),
      Label9(*this, kLabel9),
      totqw(*this, kTotqw),
      Label10(*this, kLabel10),
      qinvw(*this, kQinvw),
      Label11(*this, kLabel11),
      quanw(*this, kQuanw),
      Command4(*this, kCommand4),
      Command6(*this, kCommand6),
      Command7(*this, kCommand7),
      Command8(*this, kCommand8),
      Command9(*this, kCommand9),
      Command11(*this, kCommand11),
      Command2(*this, kCommand2),
      Command3(*this, kCommand3),
      Command10(*this, kCommand10),
      Command16(*this, kCommand16),
      Command14(*this, kCommand14),
      Command15(*this, kCommand15),
      Command5(*this, kCommand5),
      Command12(*this, kCommand12),
      Command13(*this, kCommand13),
      Command1(*this, kCommand1),
      inventario(terminal.databases()),
      codean(terminal.databases()),
      listi01(terminal.databases()) {
  eanw.GotFocus = [this] { evidenzia(eanw); };
  eanw.KeyPress = [this](int& key) { eanw_KeyPress(key); };
  eanw.KeyDown = [this](int& key, int) { eanw_KeyDown(key); };
  eanw.Click = [this] { eanw_Click(); };
  codcasaw.GotFocus = [this] { evidenzia(codcasaw); };
  codcasaw.KeyPress = [this](int& key) { codcasaw_KeyPress(key); };
  quanw.GotFocus = [this] { evidenzia(quanw); };
  quanw.KeyPress = [this](int& key) { quanw_KeyPress(key); };
  quanw.Click = [this] { quanw.setText(""); };
  // Each key of the keypad appends its character to the quantity.
  for (Button* key : {&Command4, &Command6, &Command7, &Command8, &Command9, &Command11, &Command2,
                      &Command3, &Command10, &Command16, &Command14})
    key->Click = [this, key] { quanw.setText(quanw.Text() + key->Caption); };
  Command15.Click = [this] { quanw.setText(""); };
  Command5.GotFocus = [this] { evidenzia(Command5); };
  Command5.Click = [this] { Command5_Click(); };
  Command12.Click = [this] { Command12_Click(); };
  Command13.Click = [this] { Command13_Click(); };
  Command1.Click = [this] { Command1_Click(); };
}

void morvi05::Form_Load() {
  SessionContext& s = session();
  s.codlis = "01";
  s.codcasa = 0;
  s.anno = CurrentYear();
  eanw.setText("");
  operw.setText(std::to_string(s.oper));
  if (s.pathlavoro.empty()) {
    MsgBox(kNoArchive, vbInformation);
    return;
  }
  caltot();
  // A line chosen in the inventory view is shown at once.
  if (!Blank(s.ean.str())) anagr();
  letto_ = eanw.Text();
}

db::Query morvi05::righeOperatore() const {
  return {"SELECT * FROM inventario WHERE oper = ?", {Value(session().oper)}};
}

// --- Finding the article --------------------------------------------------

void morvi05::eanw_KeyPress(int& key_ascii) {
  session().ean = "";
  if (key_ascii == kEnter && !eanw.Text().empty()) leggiCodice();
}

void morvi05::leggiCodice() {
  // A new code: nothing of the article shown before carries over to it.
  codcasaw.setText("");
  svuotaArticolo();
  const std::string code = vb::Trim(eanw.Text());
  if (!IsVariablePriceCode(code) || !prezzoVariabile(code)) codiceOrdinario();
  if (!Blank(descrw.Text()) && !descrw.Text().starts_with("????")) fuoco(quanw);
  letto_ = eanw.Text();
}

// The label's first seven characters name the article, found anywhere in
// its codes; the rest is its price, which over the sale price gives the
// quantity. The lookup of anagr does not run for such a code.
bool morvi05::prezzoVariabile(const std::string& code) {
  SessionContext& s = session();
  s.codcasa = 0;
  codean.DatabaseName = s.pathlavoro;
  codean.RecordSource = {"SELECT * FROM codean WHERE  eanare  like ? ESCAPE '\\'",
                         {Value(db::ContainsPattern(vb::Left(code, kInStorePrefix)))}};
  codean.Refresh();
  const db::QueryRecordset& codes = codean.Recordset();
  if (codes.eof()) return false;
  const Value codare = codes.field("codare");
  s.codcasa = codare.isNull() ? 0 : vb::CLng(codare);

  listi01.DatabaseName = s.pathlavoro;
  listi01.RecordSource = {"SELECT * FROM listi01 WHERE  codart = ? ", {Value(s.codcasa)}};
  listi01.Refresh();
  const db::QueryRecordset& article = listi01.Recordset();
  if (article.eof()) {
    eanw.SetFocus();
    return true;
  }
  if (quanw.Text().empty()) quanw.setText("1");
  codcasaw.setText(std::to_string(s.codcasa));
  descrw.setText(article.field("desart").toText());
  imballow.setText(article.field("imbart").toText());
  costow.setText(vb::Format(article.field("cofart"), kPriceFormat));
  const Value przpub = article.field("przpub");
  Prezzow.setText(vb::Format(przpub, kPriceFormat));
  if (przpub.toDouble() != 0) quanw.setText(vb::NumberText(LabelQuantity(code, przpub.toDouble())));
  return true;
}

void morvi05::codiceOrdinario() {
  SessionContext& s = session();
  s.ean = "";
  s.codcasa = 0;
  eanw.setText(lookup::WithLeadingZero(eanw.Text()));
  const CountedArticle found = ResolveCountedCode(databases().open(s.pathdati), eanw.Text());
  if (found.outcome == CountedArticle::Outcome::NotACode) {
    descrw.setText(std::string(kNoArticle));
    chiaro();
    return;
  }
  s.ean = found.ean;
  s.codcasa = found.codcasa;
  if (found.outcome == CountedArticle::Outcome::Internal) eanw.setText(s.ean.str());
  anagr();
  if (descrw.Text().starts_with("????")) chiaro();
}

void morvi05::codcasaw_KeyPress(int& key_ascii) {
  if (key_ascii != kEnter) return;
  SessionContext& s = session();
  s.ean = "";
  s.codcasa = ArticleNumber(codcasaw.Text());
  // The code field names the article looked up, or nothing.
  eanw.setText("");
  svuotaArticolo();
  if (s.codcasa == 0) {
    descrw.setText(std::string(kNoArticle));
  } else {
    anagr();
    fuoco(quanw);
  }
  letto_ = eanw.Text();
}

void morvi05::anagr() {
  SessionContext& s = session();
  if (!Blank(s.ean.str())) eanw.setText(s.ean.str());
  db::Database& work = databases().open(s.pathlavoro);
  inventario.DatabaseName = s.pathlavoro;
  inventario.RecordSource = righeOperatore();
  inventario.Refresh();
  db::QueryRecordset& lines = inventario.Recordset();
  const Value oper(s.oper);

  // The quantity counted so far; an article given by its internal code
  // takes the code its line was first counted with.
  if (!codcasaw.Text().empty()) {
    s.codcasa = ArticleNumber(codcasaw.Text());
    lines.findFirst({{"codcasa", db::Condition::Op::Equal, Value(s.codcasa)},
                     {"oper", db::Condition::Op::Equal, oper}});
    if (!lines.noMatch()) {
      const Value quantita = lines.field("quantita");
      if (!quantita.isNull()) qinvw.setText(quantita.toText());
      const Value eanrig = lines.field("eanrig");
      if (!eanrig.isNull()) {
        s.ean = eanrig.toText();
        eanw.setText(s.ean.str());
      }
    }
  }
  if (!Blank(s.ean.str())) {
    lines.findFirst({{"eanrig", db::Condition::Op::Equal, Value(s.ean.str())},
                     {"oper", db::Condition::Op::Equal, oper}});
    if (!lines.noMatch()) {
      const Value quantita = lines.field("quantita");
      if (!quantita.isNull()) qinvw.setText(quantita.toText());
    }
  }

  lookup::ArticleCodes codes(work);
  if (!Blank(s.ean.str())) {
    const std::optional<int32_t> codare = codes.articleOf(s.ean.str());
    if (!codare) {
      descrw.setText(std::string(kNoArticle));
      return;
    }
    s.codcasa = *codare;
  }
  if (s.codcasa == 0) return;
  db::TableRecordset prices = work.openTable("listi01");
  prices.setIndex("primary");
  prices.seek(Value(s.codcasa));
  if (prices.noMatch()) {
    nonPresente();
    return;
  }
  descrw.setText(prices.field("desart").toText());
  codcasaw.setText(std::to_string(s.codcasa));
  imballow.setText(prices.field("imbart").toText());
  costow.setText(vb::Format(prices.field("cofart"), kPriceFormat));
  Prezzow.setText(vb::Format(prices.field("przpub"), kPriceFormat));
  // Found by its internal code: the code field shows the article's code.
  if (vb::Left(s.ean.str(), 5) == "     ") {
    if (std::optional<std::string> ean = codes.eanOf(s.codcasa)) eanw.setText(*ean);
  }
}

void morvi05::nonPresente() {
  eanw.SetFocus();
  Show("morvi05er");
}

void morvi05::fuoco(Control& control) {
  if (terminal().front() == this) control.SetFocus();
}

// Down arrow: of the lines of every operator with a greater code, in the
// order they were counted, the second one is shown; with fewer the typed
// code is.
void morvi05::eanw_KeyDown(int& key_code) {
  if (key_code != kDown) return;
  SessionContext& s = session();
  s.ean = eanw.Text();
  s.ean = lookup::DownArrowCode(inventario, s.pathlavoro, "inventario", s.ean.str());
  s.codcasa = 0;
  if (vb::Left(s.ean.str(), 5) != "     ") {
    codcasaw.setText("");
    svuotaArticolo();
    anagr();
    fuoco(quanw);
    letto_ = eanw.Text();
  }
}

void morvi05::eanw_Click() {
  SessionContext& s = session();
  s.ean = eanw.Text();
  s.codcasa = 0;
}

// --- The line -------------------------------------------------------------

void morvi05::codiceDigitato() {
  if (eanw.Text() == letto_) return;
  session().codcasa = 0;
  codcasaw.setText("");
}

void morvi05::quanw_KeyPress(int& key_ascii) {
  if (key_ascii != kEnter) return;
  std::optional<double> quantity = 0.0;
  if (!quanw.Text().empty()) quantity = Quantity(quanw.Text());
  if (!quantity || std::floor(*quantity) > kMostCounted) {
    rifiutaQuantita();
    return;
  }
  SessionContext& s = session();
  codiceDigitato();
  s.ean = CountedCode(eanw.Text());
  anagr();
  if (quanw.Text().empty()) quanw.setText("0");
  if (*quantity == 0) {
    rifiutaQuantita();
    return;
  }
  carica();
}

// "Conferma": no upper bound here, and a negative quantity is a correction.
void morvi05::Command5_Click() {
  SessionContext& s = session();
  s.ean = "";
  if (Blank(eanw.Text())) {
    MsgBox(kNoCode);
    return;
  }
  codiceDigitato();
  s.ean = CountedCode(eanw.Text());
  anagr();
  if (quanw.Text().empty()) quanw.setText("0");
  if (Quantity(quanw.Text()).value_or(0) == 0) {
    rifiutaQuantita();
    return;
  }
  carica();
}

void morvi05::rifiutaQuantita() {
  MsgBox(kWrongQuantity);
  quanw.setText("");
  fuoco(quanw);
}

// Adds the quantity to the article's line of the operator, whatever code
// it is counted with now. Nothing is saved for a code without an article or
// an article without its price-list row, whose data the line is made of.
void morvi05::carica() {
  SessionContext& s = session();
  s.ean = eanw.Text();
  db::Database& work = databases().open(s.pathlavoro);
  if (s.codcasa == 0 && Blank(s.ean.str())) {
    nonPresente();
  } else {
    lookup::ArticleCodes codes(work);
    if (std::optional<int32_t> codare = codes.articleOf(s.ean.str())) s.codcasa = *codare;
    db::TableRecordset prices = work.openTable("listi01");
    prices.setIndex("primary");
    if (s.codcasa != 0) prices.seek(Value(s.codcasa));
    if (s.codcasa == 0 || prices.noMatch()) {
      nonPresente();
    } else if (vb::Left(s.ean.str(), 6) != "      ") {
      if (quanw.Text().empty()) quanw.setText("0");
      const double quantity = Quantity(quanw.Text()).value_or(0);
      inventario.DatabaseName = s.pathlavoro;
      inventario.RecordSource = righeOperatore();
      inventario.Refresh();
      db::QueryRecordset& lines = inventario.Recordset();
      lines.findFirst({{"codcasa", db::Condition::Op::Equal, Value(s.codcasa)},
                       {"oper", db::Condition::Op::Equal, Value(s.oper)}});
      Value colli, quantita;  // Null on a new line
      if (lines.noMatch()) {
        lines.addNew();
        lines.set("codcasa", Value(s.codcasa));
        lines.set("eanrig", Value(s.ean.str()));
      } else {
        colli = lines.field("colli");
        quantita = lines.field("quantita");
        lines.edit();
      }
      lines.set("descrizione", Cut(prices.field("desart"), 35));
      lines.set("unitam", prices.field("umart"));
      lines.set("prezzo", prices.field("przart"));
      lines.set("colli", Added(colli, quantity));
      lines.set("quantita", Added(quantita, quantity));
      lines.set("imballo", prices.field("imbart"));
      lines.set("iva", prices.field("ivart"));
      lines.set("desfor", Cut(prices.field("desfor"), 35));
      lines.set("desgru", Cut(prices.field("desgru"), 20));
      lines.set("oper", Value(s.oper));
      lines.update();
      eanw.SetFocus();
    }
  }
  svuota();
  s.ean = "";
  caltot();
  letto_ = eanw.Text();
}

// The quantity counted on the operator's lines.
void morvi05::caltot() {
  SessionContext& s = session();
  totqw.setText("0");
  inventario.DatabaseName = s.pathlavoro;
  inventario.RecordSource = righeOperatore();
  inventario.Refresh();
  double total = 0;
  for (db::QueryRecordset& lines = inventario.Recordset(); !lines.eof(); lines.moveNext()) {
    const Value colli = lines.field("colli");
    if (!colli.isNull()) total += colli.toDouble();
  }
  totqw.setText(vb::NumberText(total));
}

void morvi05::svuotaArticolo() {
  for (TextBox* field : {&descrw, &imballow, &costow, &Prezzow, &qinvw}) field->setText("");
}

void morvi05::svuota() {
  for (TextBox* field : {&eanw, &quanw, &descrw, &codcasaw, &imballow, &qinvw, &cimpw})
    field->setText("");
}

// "Elimina": asks, removes the operator's line of the code shown when the
// answer is Yes, and whatever the answer goes on to the inventory view.
void morvi05::Command12_Click() {
  SessionContext& s = session();
  s.ean = eanw.Text();
  if (MsgBox(kDeleteQuestion, kYesNoNoDefault, kDeleteTitle) == vbYes) {
    inventario.DatabaseName = s.pathlavoro;
    inventario.RecordSource = righeOperatore();
    inventario.Refresh();
    db::QueryRecordset& lines = inventario.Recordset();
    lines.findFirst({{"eanrig", db::Condition::Op::Equal, Value(s.ean.str())},
                     {"oper", db::Condition::Op::Equal, Value(s.oper)}});
    if (!lines.noMatch()) lines.remove();
  }
  Unload();
  Show("morvi06");
}

// "Annulla".
void morvi05::Command13_Click() {
  session().ean = "";
  svuota();
  eanw.SetFocus();
  letto_ = eanw.Text();
}

// "Uscita".
void morvi05::Command1_Click() {
  session().ean = "";
  Unload();
}

// --- Focus ----------------------------------------------------------------

void morvi05::chiaro() {
  for (TextBox* field : {&quanw, &eanw, &codcasaw}) field->BackColor = kWindowBackground;
  Command5.BackColor = kActiveBorder;
}

void morvi05::evidenzia(Control& control) {
  chiaro();
  control.BackColor = kYellow;
}

}  // namespace gw::inventory
