// Order entry "morvi02".
#include "orders/morvi02.h"

#include <iterator>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "core/db/database.h"
#include "core/db/like.h"
#include "core/session/session_context.h"
#include "core/ui/terminal.h"
#include "core/vb/vb.h"
#include "lookup/article_lookup.h"
#include "lookup/price_lookup.h"

namespace gw::orders {
namespace {

using namespace ui;

constexpr Font kLabelFont{"Arial", 12, true};
constexpr Font kFieldFont{"Arial", 14, true};
constexpr Font kCodeFont{"Arial", 16, true};
constexpr Font kButtonFont{"Arial", 16, true};

// --- Layout ---------------------------------------------------------------
constexpr FormSpec kForm{.name = "morvi02", .caption = "Immissione Ordine"};

constexpr ControlSpec kLabel1{.name = "Label1",
                              .caption = "Codice Ean/Quib",
                              .left = 120,
                              .top = 180,
                              .width = 2100,
                              .height = 600,
                              .font = kLabelFont};
constexpr ControlSpec kEanw{.name = "eanw",
                            .left = 2280,
                            .top = 120,
                            .width = 6600,
                            .height = 720,
                            .font = kCodeFont,
                            .keyboard = Keyboard::Scan};
constexpr ControlSpec kLabel6{.name = "Label6",
                              .caption = "Codice Quib",
                              .left = 120,
                              .top = 960,
                              .width = 2100,
                              .height = 600,
                              .font = kLabelFont};
constexpr ControlSpec kCodcasaw{.name = "codcasaw",
                                .left = 2280,
                                .top = 960,
                                .width = 2160,
                                .height = 600,
                                .fore = kRed,
                                .font = kFieldFont,
                                .keyboard = Keyboard::Numeric};
constexpr ControlSpec kDescrw{.name = "descrw",
                              .left = 120,
                              .top = 1680,
                              .width = 8760,
                              .height = 720,
                              .font = kFieldFont,
                              .max_length = 35,
                              .tooltip = "Clicca qui per ricercare Articolo",
                              .keyboard = Keyboard::Text};
constexpr ControlSpec kLabel3{.name = "Label3",
                              .caption = "Imb.",
                              .left = 120,
                              .top = 2520,
                              .width = 2100,
                              .height = 600,
                              .font = kLabelFont};
constexpr ControlSpec kImballow{.name = "imballow",
                                .left = 2280,
                                .top = 2520,
                                .width = 2160,
                                .height = 600,
                                .font = kFieldFont,
                                .locked = true};
constexpr ControlSpec kLabel11{.name = "Label11",
                               .caption = "Colli Ult.Ord.",
                               .left = 4560,
                               .top = 2520,
                               .width = 2160,
                               .height = 600,
                               .font = kLabelFont};
constexpr ControlSpec kCimpw{.name = "cimpw",
                             .left = 6780,
                             .top = 2520,
                             .width = 2100,
                             .height = 600,
                             .fore = kRed,
                             .font = kFieldFont,
                             .locked = true};
constexpr ControlSpec kLabel5{.name = "Label5",
                              .caption = "Data ult.ordine",
                              .left = 120,
                              .top = 3240,
                              .width = 2100,
                              .height = 600,
                              .font = kLabelFont};
constexpr ControlSpec kDtorprw{.name = "dtorprw",
                               .left = 2280,
                               .top = 3240,
                               .width = 2160,
                               .height = 600,
                               .fore = kRed,
                               .font = kFieldFont,
                               .locked = true};
constexpr ControlSpec kLabel4{.name = "Label4",
                              .caption = "Ora Trasmissione",
                              .left = 4560,
                              .top = 3240,
                              .width = 2160,
                              .height = 600,
                              .font = kLabelFont};
constexpr ControlSpec kOraw{.name = "oraw",
                            .left = 6780,
                            .top = 3240,
                            .width = 2100,
                            .height = 600,
                            .fore = kRed,
                            .font = kFieldFont,
                            .locked = true};
constexpr ControlSpec kLabel8{.name = "Label8",
                              .caption = "Costo + Iva",
                              .left = 120,
                              .top = 3960,
                              .width = 2100,
                              .height = 600,
                              .font = kLabelFont};
constexpr ControlSpec kCostow{.name = "costow",
                              .left = 2280,
                              .top = 3960,
                              .width = 2160,
                              .height = 600,
                              .font = kFieldFont,
                              .locked = true};
constexpr ControlSpec kLabel9{.name = "Label9",
                              .caption = "Prezzo Ven.",
                              .left = 4560,
                              .top = 3960,
                              .width = 2160,
                              .height = 600,
                              .font = kLabelFont};
constexpr ControlSpec kPrezzow{.name = "Prezzow",
                               .left = 6780,
                               .top = 3960,
                               .width = 2100,
                               .height = 600,
                               .font = kFieldFont,
                               .locked = true};
constexpr ControlSpec kLabel10{.name = "Label10",
                               .caption = "Margine",
                               .left = 120,
                               .top = 4680,
                               .width = 2100,
                               .height = 600,
                               .font = kLabelFont};
constexpr ControlSpec kMargw{.name = "margw",
                             .left = 2280,
                             .top = 4680,
                             .width = 2160,
                             .height = 600,
                             .font = kFieldFont,
                             .locked = true};
constexpr ControlSpec kLabel12{.name = "Label12",
                               .caption = "Offerta",
                               .left = 4560,
                               .top = 4680,
                               .width = 2160,
                               .height = 600,
                               .font = kLabelFont};
constexpr ControlSpec kOffew{.name = "offew",
                             .left = 6780,
                             .top = 4680,
                             .width = 2100,
                             .height = 600,
                             .font = kFieldFont,
                             .locked = true};
constexpr ControlSpec kLabel2{.name = "Label2",
                              .caption = "Totale Quantità",
                              .left = 120,
                              .top = 5400,
                              .width = 2100,
                              .height = 600,
                              .font = kLabelFont};
constexpr ControlSpec kTotqw{.name = "totqw",
                             .left = 2280,
                             .top = 5400,
                             .width = 2160,
                             .height = 600,
                             .font = kFieldFont,
                             .locked = true};
constexpr ControlSpec kLabel14{.name = "Label14",
                               .caption = "UM",
                               .left = 4560,
                               .top = 5400,
                               .width = 2160,
                               .height = 600,
                               .font = kLabelFont};
constexpr ControlSpec kUmw{.name = "umw",
                           .left = 6780,
                           .top = 5400,
                           .width = 2100,
                           .height = 600,
                           .font = kFieldFont,
                           .locked = true};
constexpr ControlSpec kLabel7{.name = "Label7",
                              .caption = "Quantità",
                              .left = 120,
                              .top = 6390,
                              .width = 2100,
                              .height = 600,
                              .font = kLabelFont};
constexpr ControlSpec kQuanw{.name = "quanw",
                             .left = 2280,
                             .top = 6240,
                             .width = 2880,
                             .height = 900,
                             .font = kCodeFont,
                             .keyboard = Keyboard::Numeric};
constexpr ControlSpec kCommand2{.name = "Command2",
                                .left = 5400,
                                .top = 6240,
                                .width = 1620,
                                .height = 900,
                                .picture = Picture::Plus};
constexpr ControlSpec kCommand3{.name = "Command3",
                                .left = 7260,
                                .top = 6240,
                                .width = 1620,
                                .height = 900,
                                .cancel = true,
                                .picture = Picture::Minus};
constexpr ControlSpec kLabel13{.name = "Label13",
                               .caption = "Articolo già caricato",
                               .left = 120,
                               .top = 7260,
                               .width = 8760,
                               .height = 480,
                               .fore = kRed,
                               .font = kLabelFont,
                               .visible = false,
                               .align = Align::Center};
constexpr ControlSpec kCommand5{.name = "Command5",
                                .caption = "Conferma",
                                .left = 120,
                                .top = 7860,
                                .width = 8760,
                                .height = 1320,
                                .font = kButtonFont};
constexpr ControlSpec kCommand13{.name = "Command13",
                                 .caption = "Annulla",
                                 .left = 120,
                                 .top = 9360,
                                 .width = 2820,
                                 .height = 1320,
                                 .font = kButtonFont};
constexpr ControlSpec kCommand12{.name = "Command12",
                                 .caption = "Elimina",
                                 .left = 3090,
                                 .top = 9360,
                                 .width = 2820,
                                 .height = 1320,
                                 .font = kButtonFont};
constexpr ControlSpec kCommand1{.name = "Command1",
                                .caption = "Uscita",
                                .left = 6060,
                                .top = 9360,
                                .width = 2820,
                                .height = 1320,
                                .font = kButtonFont};
constexpr ControlSpec kFrame1{
    .name = "Frame1", .left = 0, .top = 2520, .width = 9000, .height = 5280, .visible = false};
constexpr ControlSpec kFlex1{
    .name = "flex1", .left = 120, .top = 240, .width = 8760, .height = 4920, .container = "Frame1"};

constexpr int kEnter = 13;
constexpr int kDown = 40;
// From this quantity up, what lands in the quantity field is a scanned code.
constexpr double kScannedCode = 9999;
constexpr double kMostPacks = 9999;
// Internal article codes are Long.
constexpr double kLargestCode = std::numeric_limits<int32_t>::max();

constexpr std::string_view kNotFound = "*****Articolo Non Trovato*****";
constexpr std::string_view kNoArticle = "???? Articolo non esiste ...";
constexpr std::string_view kWrongLine = "ATTENZIONE ! Codice o Q.tà inserite non corrette";

// The units of measure a double click on umw goes through, in turn.
constexpr std::string_view kUnits[] = {"CT", "BS", "PZ", "PD"};

bool Blank(std::string_view text) {
  return vb::Trim(text).empty();
}

}  // namespace

morvi02::morvi02(Terminal& terminal)
    : Screen(terminal, kForm),
      Label1(*this, kLabel1),
      eanw(*this, kEanw),
      Label6(*this, kLabel6),
      codcasaw(*this, kCodcasaw),
      descrw(*this, kDescrw),
      Label3(*this, kLabel3),
      imballow(*this, kImballow),
      Label11(*this, kLabel11),
      cimpw(*this, kCimpw),
      Label5(*this, kLabel5),
      dtorprw(*this, kDtorprw),
      Label4(*this, kLabel4),
      oraw(*this, kOraw),
      Label8(*this, kLabel8),
      costow(*this, kCostow),
      Label9(*this, kLabel9),
      Prezzow(*this, kPrezzow),
      Label10(*this, kLabel10),
      margw(*this, kMargw),
      Label12(*this, kLabel12),
      offew(*this, kOffew),
      Label2(*this, kLabel2),
      totqw(*this, kTotqw),
      Label14(*this, kLabel14),
      umw(*this, kUmw),
      Label7(*this, kLabel7),
      quanw(*this, kQuanw),
      Command2(*this, kCommand2),
      Command3(*this, kCommand3),
      Label13(*this, kLabel13),
      Command5(*this, kCommand5),
      Command13(*this, kCommand13),
      Command12(*this, kCommand12),
      Command1(*this, kCommand1),
      Frame1(*this, kFrame1),
      flex1(*this, kFlex1),
      articolo(terminal.databases()),
      ordine(terminal.databases()),
      Data2(terminal.databases()) {
  flex1.bind(Data2);
  eanw.GotFocus = [this] {
    evidenzia(eanw);
    eanw.selectAll();
  };
  eanw.KeyPress = [this](int& key) { eanw_KeyPress(key); };
  eanw.KeyDown = [this](int& key, int) { eanw_KeyDown(key); };
  codcasaw.GotFocus = [this] { evidenzia(codcasaw); };
  codcasaw.KeyPress = [this](int& key) { codcasaw_KeyPress(key); };
  descrw.Click = [this] { descrw_Click(); };
  descrw.GotFocus = [this] { evidenzia(descrw); };
  descrw.KeyPress = [this](int& key) { descrw_KeyPress(key); };
  quanw.Click = [this] { quanw.setText(""); };
  quanw.GotFocus = [this] { evidenzia(quanw); };
  quanw.KeyPress = [this](int& key) { quanw_KeyPress(key); };
  umw.GotFocus = [this] { evidenzia(umw); };
  umw.DblClick = [this] { umw_DblClick(); };
  flex1.Click = [this] { flex1_Click(); };
  Command2.Click = [this] { cambiaQuantita(+1); };
  Command3.Click = [this] { cambiaQuantita(-1); };
  Command5.GotFocus = [this] { evidenzia(Command5); };
  Command5.Click = [this] { Command5_Click(); };
  Command12.Click = [this] { Command12_Click(); };
  Command13.Click = [this] { Command13_Click(); };
  Command1.Click = [this] { Command1_Click(); };
}

void morvi02::Form_Load() {
  SessionContext& s = session();
  s.codlis = "";
  s.codcasa = 0;
  s.anno = CurrentYear();
  eanw.setText("");
  quanw.setText("");
  umw.setText("CT");
  if (s.pathdati.empty()) {
    MsgBox("ATTENZIONE !!!. Non è stato selezionato l'archivio dati", vbInformation);
    return;
  }
  s.codlis = "01";
  ordine.DatabaseName = s.pathdati;
  ordine.RecordSource = {"SELECT * FROM ordine", {}};
  caltot();
  // An article chosen elsewhere (the order view) is shown at once.
  if (!Blank(s.ean.str())) anagr();
}

// --- Finding the article --------------------------------------------------

void morvi02::eanw_KeyPress(int& key_ascii) {
  if (key_ascii == kEnter && !eanw.Text().empty()) cercaCodice();
}

void morvi02::cercaCodice() {
  SessionContext& s = session();
  trovato_ = false;
  s.ean = "";
  s.codcasa = 0;
  const lookup::ResolvedCode code =
      lookup::ResolveTypedCode(databases().open(s.pathdati), eanw.Text());
  using Outcome = lookup::ResolvedCode::Outcome;
  if (code.outcome != Outcome::NotACode) {
    s.ean = code.ean;
    s.codcasa = code.codcasa;
    if (code.outcome == Outcome::Found) {
      eanw.setText(s.ean.str());
      trovato_ = true;
    }
    anagr();
  }
  if (trovato_) {
    if (!Blank(descrw.Text()) && !descrw.Text().starts_with("????")) quanw.SetFocus();
    return;
  }
  eanw.setText("");
  eanw.SetFocus();
  descrw.setText(std::string(kNotFound));
  Prezzow.setText("");
  costow.setText("");
  margw.setText("");
}

void morvi02::codcasaw_KeyPress(int& key_ascii) {
  if (key_ascii != kEnter) return;
  SessionContext& s = session();
  const std::optional<double> number = lookup::CodeNumber(codcasaw.Text());
  s.ean = "";
  s.codcasa = number && *number >= 1 && *number <= kLargestCode ? vb::CLng(Value(*number)) : 0;
  if (s.codcasa == 0) {
    eanw.setText("");
    descrw.setText(std::string(kNoArticle));
    trovato_ = false;
  } else {
    // The code field names the article looked up: its first code, or the
    // internal code written with 13 digits when it has none, so that its
    // prices and its line are those of this article.
    lookup::ArticleCodes codes(databases().open(s.pathdati));
    eanw.setText(codes.eanOf(s.codcasa).value_or(lookup::Ean13(s.codcasa)));
    s.ean = eanw.Text();
    anagr();
  }
  quanw.SetFocus();
}

void morvi02::anagr() {
  SessionContext& s = session();
  db::Database& store = databases().open(s.pathdati);
  if (s.codcasa == 0 && lookup::IsInStoreCode(s.ean.str())) {
    if (auto codare = lookup::InStoreArticle(store, s.ean.str())) s.codcasa = *codare;
  }
  if (!Blank(s.ean.str())) {
    eanw.setText(s.ean.str());
    db::TableRecordset lines = store.openTable("ordine");
    lines.setIndex("ean");
    lines.seek(Value(s.ean.str()));
    if (!lines.noMatch()) {
      const Value codcasa = lines.field("codcasa");
      s.codcasa = codcasa.isNull() ? 0 : vb::CLng(codcasa);
      const Value colli = lines.field("colli");
      if (!colli.isNull()) {
        quanw.setText(colli.toText());
        Label13.Visible = true;
      }
    }
  }
  if (s.codcasa != 0) trovato_ = mostraArticolo();
  lookup::ArticleCodes codes(store);
  if (auto codare = codes.articleOf(s.ean.str())) {
    s.codcasa = *codare;
    trovato_ = true;
    mostraArticolo();
  }
  l_prezzo();
  letto_ = eanw.Text();
}

bool morvi02::mostraArticolo() {
  SessionContext& s = session();
  articolo.DatabaseName = s.pathdati;
  articolo.RecordSource = {"SELECT * FROM articolo WHERE codart = ?", {Value(s.codcasa)}};
  articolo.Refresh();
  const db::QueryRecordset& article = articolo.Recordset();
  if (article.eof()) {
    descrw.setText(std::string(kNoArticle));
    return false;
  }
  if (vb::Val(quanw.Text()) == 0) quanw.setText("");
  descrw.setText(article.field("desart").toText());
  codcasaw.setText(std::to_string(s.codcasa));
  const Value imbart = article.field("imbart");
  imballow.setText(imbart.toText());
  const Value przart = article.field("przart");
  const Value ivart = article.field("ivart");
  costow.setText(vb::Format(przart, lookup::kPriceFormat));
  if (lookup::IsVatRate(ivart))
    costow.setText(vb::Format(lookup::WithVat(przart, ivart), lookup::kPriceFormat));

  // The last order: its quantity; when that is 0, its packs, over the
  // pieces per pack when those are known.
  const Value quantiuo = article.field("quantiuo");
  const Value colliuo = article.field("colliuo");
  if (!quantiuo.isNull()) cimpw.setText(quantiuo.toText());
  if (!quantiuo.isNull() && quantiuo.toDouble() == 0 && !colliuo.isNull()) {
    cimpw.setText(colliuo.toText());
    if (!imbart.isNull() && imbart.toDouble() != 0)
      cimpw.setText(vb::NumberText(colliuo.toDouble() / imbart.toDouble()));
  }
  const Value datauo = article.field("datauo");
  if (!datauo.isNull()) dtorprw.setText(datauo.toText());
  const Value orauo = article.field("orauo");
  if (!orauo.isNull()) oraw.setText(orauo.toText());
  return true;
}

// The prices come from the working database, by the code in eanw. The
// price and margin of the article shown before are cleared, so that an
// article without a price-list row gets its price by supplier code instead;
// the offer field keeps the last offer shown until the line is saved or
// cancelled.
void morvi02::l_prezzo() {
  SessionContext& s = session();
  s.ean = lookup::Ean13(lookup::CodeNumber(eanw.Text()).value_or(0));
  Prezzow.setText("");
  margw.setText("");
  db::Database& work = databases().open(s.pathlavoro);
  if (const std::optional<lookup::ListPrice> price = lookup::FindListPrice(work, s.ean.str())) {
    const lookup::PriceTexts texts = lookup::ShowListPrice(*price, Today());
    Prezzow.setText(texts.prezzo);
    if (texts.costo) costow.setText(*texts.costo);
    if (texts.offerta) offew.setText(*texts.offerta);
    if (offew.Text().empty()) offew.setText("0");
    if (auto margin =
            lookup::MarginText(Prezzow.Text(), costow.Text(), offew.Text(), price->przpub))
      margw.setText(*margin);
  }
  if (!Prezzow.Text().empty()) return;
  if (auto price = lookup::FindBySupplierCode(work, s.codcasa)) {
    Prezzow.setText(price->przpub.toText());
    costow.setText(price->cosiva.toText());
    const double sale = Value(Prezzow.Text()).toDouble();
    if (vb::Val(Prezzow.Text()) != 0)
      margw.setText(lookup::MarginPercent(sale, Value(costow.Text()).toDouble(), sale));
  }
}

// Down arrow: of the lines with a greater code, in the order they were
// written, the second one is shown; with fewer the code stays as it is.
void morvi02::eanw_KeyDown(int& key_code) {
  if (key_code != kDown) return;
  SessionContext& s = session();
  s.ean = eanw.Text();
  s.ean = lookup::DownArrowCode(ordine, s.pathdati, "ordine", s.ean.str());
  s.codcasa = 0;
  if (vb::Left(s.ean.str(), 5) != "     ") {
    anagr();
    eanw.SetFocus();
  }
}

// --- Search by description --------------------------------------------------

void morvi02::descrw_Click() {
  Frame1.Visible = !Frame1.Visible;
}

void morvi02::descrw_KeyPress(int& key_ascii) {
  if (key_ascii != kEnter) return;
  SessionContext& s = session();
  std::vector<Value> params;
  s.filtro = "";
  if (!Blank(descrw.Text())) {
    s.filtro = " WHERE  desart  like ? ESCAPE '\\' ";
    params.push_back(Value(db::ContainsPattern(descrw.Text())));
  }
  ordine.Caption = " ORDER BY [desart]";
  Data2.DatabaseName = s.pathdati;
  Data2.RecordSource = {"SELECT * FROM  articolo " + s.filtro + ordine.Caption, std::move(params)};
  Data2.Refresh();
}

void morvi02::flex1_Click() {
  SessionContext& s = session();
  const std::string code = flex1.TextMatrix(flex1.Row, 1);
  if (flex1.Row > 0 && vb::IsNumeric(Value(code))) {
    s.ean = "";
    s.codcasa = vb::CLng(Value(code));
    lookup::ArticleCodes codes(databases().open(s.pathdati));
    if (std::optional<std::string> ean = codes.eanOf(s.codcasa)) {
      eanw.setText(*ean);
      s.ean = eanw.Text();
      anagr();
    }
  }
  Frame1.Visible = false;
}

// --- The line -------------------------------------------------------------

bool morvi02::codiceCorrente() const {
  return !Blank(session().ean.str()) && !Blank(eanw.Text()) && eanw.Text() == letto_;
}

void morvi02::quanw_KeyPress(int& key_ascii) {
  if (key_ascii != kEnter) return;
  if (quanw.Text().empty()) quanw.setText("0");
  double quantity = 0;
  if (!vb::TryCDbl(quanw.Text(), quantity)) {
    rifiuta();
    return;
  }
  if (quantity == 0 || quantity >= kScannedCode) {
    // A code scanned with the cursor here: the article shown is saved with
    // one pack, then the code is looked up.
    const std::string scanned = quanw.Text();
    quanw.setText("1");
    carica();
    eanw.setText(scanned);
    cercaCodice();
    quanw.SetFocus();
    return;
  }
  if (!codiceCorrente()) {
    rifiuta();
    return;
  }
  carica();
  eanw.SetFocus();
}

void morvi02::Command5_Click() {
  if (quanw.Text().empty()) quanw.setText("1");
  if (codiceCorrente() && vb::Val(quanw.Text()) != 0) {
    carica();
    eanw.SetFocus();
    return;
  }
  rifiuta();
}

void morvi02::rifiuta() {
  MsgBox(kWrongLine);
  quanw.setText("");
  quanw.SetFocus();
}

void morvi02::cambiaQuantita(int step) {
  if (quanw.Text().empty()) quanw.setText("0");
  if (!vb::IsNumeric(Value(quanw.Text()))) return;
  double packs = vb::Val(quanw.Text()) + step;
  if (step < 0 && packs <= 0) packs = 1;
  quanw.setText(vb::NumberText(packs));
}

void morvi02::umw_DblClick() {
  for (size_t i = 0; i < std::size(kUnits); ++i) {
    if (umw.Text() == kUnits[i]) {
      umw.setText(std::string(kUnits[(i + 1) % std::size(kUnits)]));
      return;
    }
  }
}

// Saves the line of the code looked up (replacing the packs of a line the
// code already has), then clears the fields. Only a code looked up and still
// in the code field has a line.
void morvi02::carica() {
  SessionContext& s = session();
  if (quanw.Text().empty()) quanw.setText("1");
  if (vb::Val(quanw.Text()) > kMostPacks) {
    MsgBox("ATTENZIONE !!!! Quantità eccessiva ...", vbCritical);
  } else if (codiceCorrente()) {
    lookup::ArticleCodes codes(databases().open(s.pathlavoro));
    if (auto codare = codes.articleOf(s.ean.str())) s.codcasa = *codare;
    db::TableRecordset lines = databases().open(s.pathdati).openTable("ordine");
    lines.setIndex("ean");
    lines.seek(Value(s.ean.str()));
    if (lines.noMatch()) {
      lines.addNew();
      lines.set("codcasa", Value(s.codcasa));
      lines.set("eanrig", Value(s.ean.str()));
    } else {
      lines.edit();
    }
    if (costow.Text().empty()) costow.setText("0");
    if (umw.Text().empty()) umw.setText("CT");
    if (descrw.Text().empty()) descrw.setText(".");
    const double packs = vb::Val(quanw.Text());
    const double pieces = vb::Val(imballow.Text());
    lines.set("descrizione", Value(descrw.Text()));
    lines.set("unitam", Value(umw.Text()));
    lines.set("prezzo", Value(costow.Text()));
    lines.set("colli", Value(packs));
    lines.set("imballo", Value(pieces));
    lines.set("quantita", Value(packs * pieces));
    lines.set("iva", Value("10"));
    lines.set("desfor", Value("."));
    lines.set("desgru", Value("."));
    lines.set("tipord", Value(s.tipord.str()));
    lines.update();
    eanw.setText("");
  }
  svuota();
  caltot();
  Label13.Visible = false;
}

// The packs of the department's lines, over the rows of the link `ordine`.
void morvi02::caltot() {
  const std::string& department = session().tipord;
  totqw.setText("0");
  ordine.Refresh();
  double total = 0;
  for (db::QueryRecordset& lines = ordine.Recordset(); !lines.eof(); lines.moveNext()) {
    const std::optional<int> same = db::CompareValues(lines.field("tipord"), Value(department));
    if (same && *same == 0) total += lines.field("colli").toDouble();
  }
  totqw.setText(vb::NumberText(total));
}

void morvi02::svuota() {
  for (TextBox* field : {&quanw, &descrw, &codcasaw, &imballow, &cimpw, &costow, &dtorprw, &Prezzow,
                         &margw, &offew, &umw, &oraw})
    field->setText("");
}

// "Elimina": removes the line of the code in the code field, if it has one.
void morvi02::Command12_Click() {
  SessionContext& s = session();
  s.ean = eanw.Text();
  db::TableRecordset lines = databases().open(s.pathdati).openTable("ordine");
  lines.setIndex("ean");
  lines.seek(Value(s.ean.str()));
  if (!lines.noMatch()) lines.remove();
  caltot();
  for (TextBox* field : {&eanw, &quanw, &descrw, &codcasaw, &imballow, &cimpw}) field->setText("");
  eanw.SetFocus();
  Label13.Visible = false;
}

// "Annulla".
void morvi02::Command13_Click() {
  session().ean = "";
  eanw.setText("");
  svuota();
  eanw.SetFocus();
  Label13.Visible = false;
}

// "Uscita".
void morvi02::Command1_Click() {
  session().ean = "";
  Unload();
}

// --- Focus ----------------------------------------------------------------

void morvi02::chiaro() {
  for (TextBox* field : {&quanw, &eanw, &umw, &codcasaw}) field->BackColor = kWindowBackground;
}

void morvi02::evidenzia(Control& control) {
  chiaro();
  control.BackColor = kYellow;
}

}  // namespace gw::orders
