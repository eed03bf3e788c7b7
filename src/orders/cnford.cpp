// Order confirmation "cnford".
#include "orders/cnford.h"

#include "core/db/database.h"
#include "core/session/fixed_text.h"
#include "core/session/session_context.h"
#include "core/ui/terminal.h"
#include "core/vb/vb.h"

namespace gw::orders {
namespace {

using namespace ui;

constexpr Font kLabelFont{"Arial", 14, true};
constexpr Font kFieldFont{"Arial", 16, true};
constexpr Color kGreen = 0x00008000;
constexpr Color kBlue = 0x00FF0000;

// --- Layout ---------------------------------------------------------------
constexpr FormSpec kForm{.name = "cnford", .caption = "Conferma Ordine "};

constexpr ControlSpec kLabel1{.name = "Label1",
                              .caption = "Anno",
                              .left = 240,
                              .top = 360,
                              .width = 3000,
                              .height = 480,
                              .font = kLabelFont};
constexpr ControlSpec kAnnow{.name = "annow",
                             .left = 3480,
                             .top = 240,
                             .width = 2160,
                             .height = 720,
                             .font = kFieldFont,
                             .max_length = 4,
                             .align = Align::Center,
                             .keyboard = Keyboard::Numeric};
constexpr ControlSpec kLabel10{.name = "Label10",
                               .caption = "Data Ordine",
                               .left = 240,
                               .top = 1320,
                               .width = 3000,
                               .height = 480,
                               .font = kLabelFont};
constexpr ControlSpec kDatorw{.name = "datorw",
                              .left = 3480,
                              .top = 1200,
                              .width = 3600,
                              .height = 720,
                              .font = kFieldFont,
                              .max_length = 10,
                              .align = Align::Center,
                              .keyboard = Keyboard::Text};
constexpr ControlSpec kCheck1{.name = "Check1",
                              .caption = "Aggiunta",
                              .left = 240,
                              .top = 2280,
                              .width = 3000,
                              .height = 720,
                              .fore = kGreen,
                              .font = kLabelFont};
constexpr ControlSpec kNumulw{.name = "numulw",
                              .left = 3480,
                              .top = 2280,
                              .width = 2160,
                              .height = 720,
                              .fore = kGreen,
                              .font = kFieldFont,
                              .locked = true,
                              .max_length = 5,
                              .align = Align::Center};
constexpr ControlSpec kCheck2{.name = "Check2",
                              .caption = "Nuovo Ordine",
                              .left = 240,
                              .top = 3240,
                              .width = 3000,
                              .height = 720,
                              .fore = kBlue,
                              .font = kLabelFont};
constexpr ControlSpec kNumerow{.name = "numerow",
                               .left = 3480,
                               .top = 3240,
                               .width = 2160,
                               .height = 720,
                               .fore = kBlue,
                               .font = kFieldFont,
                               .locked = true,
                               .max_length = 5,
                               .align = Align::Center};
constexpr ControlSpec kProgressBar1{
    .name = "ProgressBar1", .left = 240, .top = 4200, .width = 8520, .height = 480};
// Lies under Command1 and is seen once Command1 is hidden.
constexpr ControlSpec kLabel2{.name = "Label2",
                              .caption = "L'Ordine è stato creato",
                              .left = 240,
                              .top = 4920,
                              .width = 8520,
                              .height = 1800,
                              .fore = kRed,
                              .font = kFieldFont,
                              .align = Align::Center};
constexpr ControlSpec kCommand1{.name = "Command1",
                                .caption = "Confermi Nuovo Ordine",
                                .left = 240,
                                .top = 4920,
                                .width = 8520,
                                .height = 1800,
                                .font = kFieldFont};
constexpr ControlSpec kCommand2{.name = "Command2",
                                .caption = "Aggiunge a Ordine",
                                .left = 240,
                                .top = 6960,
                                .width = 8520,
                                .height = 1800,
                                .font = kFieldFont};
constexpr ControlSpec kAnnulla{.name = "Annulla",
                               .caption = "Uscita",
                               .left = 240,
                               .top = 9000,
                               .width = 8520,
                               .height = 1800,
                               .font = kFieldFont,
                               .cancel = true};

constexpr double kProgressMax = 1200;

constexpr std::string_view kNoDate = " Attenzione !!     Devi Inserire la data dell' Ordine ";
constexpr std::string_view kNoNumber = " Attenzione !!     Devi Inserire il numero dell' Ordine ";
constexpr std::string_view kNoLines = " Attenzione !! Non esisteno articoli inseriti ";
constexpr std::string_view kNotNewOrder =
    " Attenzione !!     Scegli Nuovo Ordine per creare l'Ordine ";
constexpr std::string_view kNoOrder =
    " Attenzione !!     L'Ordine a cui aggiungere gli articoli non esiste ";
constexpr std::string_view kNotConfirmed =
    " Attenzione !!     Ordine non confermato, nessun dato è stato modificato: ";

constexpr std::string_view kYearOrders =
    "SELECT [Anno],[Numero] FROM testa WHERE Anno = ? ORDER BY Numero";
constexpr std::string_view kOrderHeader =
    "SELECT [Anno],[Numero] FROM testa WHERE Anno = ? and Numero = ?";
constexpr std::string_view kOrderLines =
    "SELECT * FROM movimenti WHERE bannoc = ? and bnumer = ? ORDER by [bannoc],[bnumer],[bns]";
constexpr std::string_view kWorkingRows = "SELECT count(*) AS righe FROM ordine";
constexpr std::string_view kDepartmentRows = "SELECT * FROM ordine WHERE tipord = ?";
constexpr std::string_view kOrderLineOfEan =
    "SELECT * FROM movimenti WHERE bannoc = ? and bnumer = ? and eanrig = ?";

constexpr size_t kEanLength = 13;

std::string Fixed(std::string_view text, size_t width) {
  FixedText fixed(width);
  fixed = text;
  return fixed.str();
}

int16_t IntegerOf(const Value& v) {
  return v.isNull() ? 0 : vb::CInt(v);
}

int32_t LongOf(const Value& v) {
  return v.isNull() ? 0 : vb::CLng(v);
}

// The number a box shows; an empty box gives 0.
int32_t NumberIn(const TextBox& box) {
  return vb::CLng(Value(vb::Val(box.Text())));
}

bool IsCarton(std::string_view unit) {
  return vb::RTrim(unit) == "CT";
}

WorkingLine ReadWorkingLine(const db::Recordset& ordine) {
  WorkingLine row;
  row.eanrig = ordine.field("eanrig").toText();
  row.codcasa = LongOf(ordine.field("codcasa"));
  row.descrizione = ordine.field("descrizione").toText();
  row.unitam = ordine.field("unitam").toText();
  row.imballo = ordine.field("imballo").toDouble();
  row.iva = IntegerOf(ordine.field("Iva"));
  row.desgru = ordine.field("desgru").toText();
  row.colli = ordine.field("colli").toDouble();
  return row;
}

ArticleData ReadArticle(const db::Recordset& articolo) {
  ArticleData article;
  article.desart = articolo.field("desart").toText();
  article.imbart = articolo.field("imbart").toDouble();
  article.przart = articolo.field("przart").toDouble();
  article.ivart = IntegerOf(articolo.field("Ivart"));
  article.umart = articolo.field("umart").toText();
  article.desgru = articolo.field("desgru").toText();
  return article;
}

}  // namespace

std::string OrderLineEan(std::string_view eanrig) {
  std::string ean = vb::RTrim(eanrig);
  size_t length = vb::Len(ean);
  if (length < kEanLength) ean.insert(0, kEanLength - length, '0');
  return ean;
}

OrderLine BuildOrderLine(ConfirmMode mode, const WorkingLine& row, int32_t code,
                         const ArticleData* article) {
  OrderLine line;
  line.eanrig = OrderLineEan(row.eanrig);
  line.quantita = row.colli;
  line.prezzo = article ? article->przart : 0;
  if (mode == ConfirmMode::NewOrder) {
    line.articoli = article ? code : 0;
    line.unitam = row.unitam;
    line.imballo = article ? article->imbart : row.imballo;
    line.descrizione = Fixed(article ? article->desart : row.descrizione, 35);
    line.iva = article ? article->ivart : row.iva;
    line.desgru = Fixed(article ? article->desgru : row.desgru, 20);
    const bool carton = IsCarton(line.unitam);
    line.colli = carton ? line.quantita * line.imballo : line.quantita;
    line.totrig = line.prezzo * line.quantita * (carton ? line.imballo : 1);
  } else {
    line.articoli = code;
    line.unitam = article ? article->umart : "00";
    line.imballo = article ? article->imbart : 0;
    line.descrizione = Fixed(article ? article->desart : "Articolo non Trovato !!!!!!!", 35);
    line.iva = article ? article->ivart : 0;
    line.desgru = article ? article->desgru : "";
    line.colli = line.imballo * line.quantita;
    line.totrig = line.imballo * line.quantita * line.prezzo;
  }
  return line;
}

// The tables a confirmation writes, open on the store database.
struct cnford::Tables {
  db::TableRecordset articolo, codean, testa, movimenti;
};

cnford::cnford(Terminal& terminal)
    : Screen(terminal, kForm),
      Label1(*this, kLabel1),
      annow(*this, kAnnow),
      Label10(*this, kLabel10),
      datorw(*this, kDatorw),
      Check1(*this, kCheck1),
      numulw(*this, kNumulw),
      Check2(*this, kCheck2),
      numerow(*this, kNumerow),
      ProgressBar1(*this, kProgressBar1),
      Label2(*this, kLabel2),
      Command1(*this, kCommand1),
      Command2(*this, kCommand2),
      Annulla(*this, kAnnulla),
      Data1(terminal.databases()),
      Data2(terminal.databases()) {
  ProgressBar1.Min = 0;
  ProgressBar1.Max = kProgressMax;
  Check1.Click = [this] { Check1_Click(); };
  Check2.Click = [this] { Check2_Click(); };
  Command1.Click = [this] { Command1_Click(); };
  Command2.Click = [this] { Command2_Click(); };
  Annulla.Click = [this] { Unload(); };
}

void cnford::Form_Load() {
  SessionContext& s = session();
  datorw.setText(vb::DateText(Today()));

  Data1.DatabaseName = s.pathdati;
  Data1.RecordSource = {"SELECT * FROM clienti where codcliente = 1", {}};
  Data1.Refresh();
  if (Data1.Recordset().eof()) return;
  s.dsccliente = Data1.Recordset().field("dsccliente").toText();

  s.anno = CurrentYear();
  annow.setText(std::to_string(s.anno));

  Data1.RecordSource = {std::string(kYearOrders), {Value(s.anno)}};
  Data1.Refresh();
  db::QueryRecordset& orders = Data1.Recordset();
  if (!orders.eof()) {
    orders.moveLast();
    Value last = orders.field("Numero");
    if (!last.isNull()) numerow.setText(std::to_string(LongOf(last) + 1));
  }
  if (numerow.Text().empty()) numerow.setText("1");
  s.numero = NumberIn(numerow);
  numulw.setText(std::to_string(s.numero - 1));

  ProgressBar1.Visible = false;
  Check2.setValue(1);
  Command1.Visible = true;
  Command2.Visible = true;
}

// Choosing one mode clears the other box without running its handler.
void cnford::Check1_Click() {
  session().numero = NumberIn(numulw);
  if (Check2.Value()) Check2.toggle();
  Command1.Visible = false;
  Command2.Visible = true;
}

void cnford::Check2_Click() {
  session().numero = NumberIn(numerow);
  if (Check1.Value()) Check1.toggle();
  Command1.Visible = true;
  Command2.Visible = false;
}

bool cnford::fieldsValid() {
  DateTime date;
  if (datorw.Text().empty() || !vb::ParseDate(datorw.Text(), date)) {
    MsgBox(kNoDate);
    return false;
  }
  if (numerow.Text().empty() || numerow.Text() == "0") {
    MsgBox(kNoNumber);
    return false;
  }
  return true;
}

void cnford::Command1_Click() {
  if (!fieldsValid()) return;
  // Lines are never written without their header.
  if (!Check2.Value()) {
    MsgBox(kNotNewOrder);
    return;
  }
  confirm(ConfirmMode::NewOrder);
}

void cnford::Command2_Click() {
  if (!fieldsValid()) return;
  confirm(ConfirmMode::AddToOrder);
}

// The transaction is over before any message is shown: a clerk slow to
// answer never holds the other terminals back.
void cnford::confirm(ConfirmMode mode) {
  SessionContext& s = session();
  const bool command1_shown = Command1.Visible;
  int32_t numero = s.numero;
  Outcome outcome;
  try {
    outcome = transfer(mode, numero);
  } catch (const std::exception& error) {
    Command1.Visible = command1_shown;
    ProgressBar1.Visible = false;
    MsgBox(std::string(kNotConfirmed) + error.what(), vbCritical);
    return;
  }
  switch (outcome) {
    case Outcome::NoLines:
      MsgBox(kNoLines);
      return;
    case Outcome::NoOrder:
      MsgBox(kNoOrder);
      return;
    case Outcome::Confirmed:
      break;
  }
  if (mode == ConfirmMode::NewOrder && numero != s.numero) {
    s.numero = numero;
    numerow.setText(std::to_string(numero));
  }
  Command1.Visible = false;
  if (mode == ConfirmMode::AddToOrder) Command2.Visible = false;
  ProgressBar1.Visible = false;
}

cnford::Outcome cnford::transfer(ConfirmMode mode, int32_t& numero) {
  SessionContext& s = session();
  db::Database& store = databases().open(s.pathdati2);
  db::Transaction transaction(store);
  Tables tables{store.openTable("articolo"), store.openTable("codean"), store.openTable("testa"),
                store.openTable("movimenti")};
  tables.articolo.setIndex("primary");
  tables.codean.setIndex("keyean");

  if (mode == ConfirmMode::AddToOrder) {
    Data2.DatabaseName = s.pathdati;
    Data2.RecordSource = {std::string(kOrderLines), {Value(s.anno), Value(numero)}};
    Data2.Refresh();
    db::QueryRecordset& lines = Data2.Recordset();
    if (!lines.eof()) {
      lines.moveLast();
      s.bns = IntegerOf(lines.field("bns"));
    }
    if (!orderExists(numero)) return Outcome::NoOrder;
  }

  // Every working row counts for the progress; only the department's rows
  // with a quantity make lines, and without one nothing is written. The
  // department's rows come in the order they were entered.
  db::QueryRecordset all(store, std::string(kWorkingRows), {});
  const int64_t rows = all.field("righe").integer();
  db::QueryRecordset ordine(store, std::string(kDepartmentRows), {Value(s.tipord.str())});
  int lines = 0;
  for (; !ordine.eof(); ordine.moveNext())
    if (ordine.field("colli").toDouble() != 0) ++lines;
  if (lines == 0) return Outcome::NoLines;

  if (mode == ConfirmMode::NewOrder) {
    numero = freeNumber(numero);
    addHeader(tables, numero);
  }

  progress_ = 0;
  step_ = vb::CInt(Value(1000.0 / rows));
  ProgressBar1.Value = progress_;
  ProgressBar1.Visible = true;
  Command1.Visible = false;
  int counter = mode == ConfirmMode::NewOrder ? 0 : s.bns;
  for (ordine.moveFirst(); !ordine.eof(); ordine.moveNext()) {
    advanceProgress();
    WorkingLine row = ReadWorkingLine(ordine);
    if (row.colli != 0) addLine(mode, tables, row, numero, ++counter);
    ordine.remove();
  }
  transaction.commit();
  return Outcome::Confirmed;
}

bool cnford::orderExists(int32_t numero) {
  Data1.DatabaseName = session().pathdati;
  Data1.RecordSource = {std::string(kOrderHeader), {Value(session().anno), Value(numero)}};
  Data1.Refresh();
  return !Data1.Recordset().eof();
}

// The number shown when the screen opened, or, when another terminal has
// used it since, the next free number of the year. Inside the transaction
// no other terminal can write a header until this one is done.
int32_t cnford::freeNumber(int32_t numero) {
  Data1.DatabaseName = session().pathdati;
  Data1.RecordSource = {std::string(kYearOrders), {Value(session().anno)}};
  Data1.Refresh();
  db::QueryRecordset& orders = Data1.Recordset();
  orders.findFirst({{"Numero", db::Condition::Op::Equal, Value(numero)}});
  if (orders.noMatch()) return numero;
  orders.moveLast();
  return LongOf(orders.field("Numero")) + 1;
}

void cnford::addHeader(Tables& tables, int32_t numero) {
  const SessionContext& s = session();
  db::TableRecordset& testa = tables.testa;
  testa.addNew();
  testa.set("anno", Value(s.anno));
  testa.set("numero", Value(numero));
  testa.set("dataor", Value(datorw.Text()));
  testa.set("dsccliente", Value(s.dsccliente.str()));
  testa.set("cliente", Value(s.codcliente));
  testa.set("codlis", Value(s.codlis.str()));
  testa.set("fl3ts", Value("I"));
  testa.update();
}

void cnford::addLine(ConfirmMode mode, Tables& tables, const WorkingLine& row, int32_t numero,
                     int counter) {
  const SessionContext& s = session();
  const DateTime today = Today();

  tables.codean.seek(Value(row.eanrig));
  const int32_t code =
      tables.codean.noMatch() ? row.codcasa : LongOf(tables.codean.field("codare"));
  tables.articolo.seek(Value(code));
  ArticleData article;
  const bool found = !tables.articolo.noMatch();
  if (found) {
    article = ReadArticle(tables.articolo);
    tables.articolo.edit();
    tables.articolo.set("colliuo", Value(row.colli));
    tables.articolo.set("datauo", Value(today));
    tables.articolo.update();
  }
  const OrderLine line = BuildOrderLine(mode, row, code, found ? &article : nullptr);

  if (mode == ConfirmMode::AddToOrder) {
    Data2.DatabaseName = s.pathdati;
    Data2.RecordSource = {std::string(kOrderLineOfEan),
                          {Value(s.anno), Value(numero), Value(line.eanrig)}};
    Data2.Refresh();
    db::QueryRecordset& same = Data2.Recordset();
    if (!same.eof()) {
      const double quantita = same.field("quantita").toDouble() + row.colli;
      const double colli = line.imballo * quantita;
      same.edit();
      same.set("quantita", Value(quantita));
      same.set("colli", Value(colli));
      same.set("totrig", Value(line.prezzo * colli));
      same.update();
      return;
    }
  }

  db::TableRecordset& movimenti = tables.movimenti;
  movimenti.addNew();
  movimenti.set("bannoc", Value(s.anno));
  movimenti.set("bnumer", Value(numero));
  movimenti.set("bns", Value(counter));
  movimenti.set("bdator", Value(today));
  movimenti.set("articoli", Value(line.articoli));
  movimenti.set("unitam", Value(line.unitam));
  movimenti.set("imballo", Value(line.imballo));
  movimenti.set("prezzo", Value(line.prezzo));
  movimenti.set("quantita", Value(line.quantita));
  movimenti.set("colli", Value(line.colli));
  movimenti.set("descrizione", Value(line.descrizione));
  movimenti.set("iva", Value(line.iva));
  movimenti.set("desgru", Value(line.desgru));
  movimenti.set("eanrig", Value(line.eanrig));
  movimenti.set("totrig", Value(line.totrig));
  movimenti.update();
}

void cnford::advanceProgress() {
  progress_ += step_;
  if (progress_ > 1100) progress_ = 0;
  ProgressBar1.Value = progress_;
}

}  // namespace gw::orders
