// The list-screen pattern shared by the "Consultazione" screens.
#include "lookup/list_screen.h"

#include "core/ui/terminal.h"
#include "core/vb/vb.h"

namespace gw::lookup {
namespace {

constexpr int kKeyDown = 40;
constexpr std::string_view kNoDatabase = "ATTENZIONE !!!. Non è stato selezionato l'archivio dati";
// The description search: every line whose description sorts at or after
// the typed text, which is bound to the '?'.
constexpr std::string_view kSearchFilter = " WHERE descrizione  >= ?  ";
constexpr std::string_view kSortByDescription = " ORDER BY [descrizione]";

}  // namespace

ListScreen::ListScreen(ui::Terminal& terminal, const ListLayout& layout, const ListParams& params)
    : Screen(terminal, layout.form),
      eanw(*this, layout.eanw),
      ricw(*this, layout.ricw),
      totqw(*this, layout.totqw),
      ord(*this, layout.ord),
      Command5(*this, layout.Command5),
      Command1(*this, layout.Command1),
      params_(params) {
  ord.Click = [this] { ord_Click(); };
  ricw.Change = [this] { ricw_Change(); };
  ricw.GotFocus = [this] { ricw_GotFocus(); };
  eanw.Change = [this] { eanw_Change(); };
  eanw.KeyDown = [this](int& key_code, int) { eanw_KeyDown(key_code); };
  eanw.KeyPress = [this](int&) { eanw_KeyPress(); };
  eanw.Click = [this] { eanw_Click(); };
  eanw.GotFocus = [this] { eanw_GotFocus(); };
  Command5.Click = [this] { Command5_Click(); };
  Command1.Click = [this] { Unload(); };
}

void ListScreen::bindList(db::DataLink& link) {
  list_ = &link;
  ord.bind(link);
}

const std::string& ListScreen::databasePath() const {
  return session().*params_.database;
}

void ListScreen::runList(db::Query query) {
  if (databasePath().empty()) return;
  list_->DatabaseName = databasePath();
  list_->RecordSource = std::move(query);
  list_->Refresh();
}

void ListScreen::setOrderBy(std::string fragment) {
  if (params_.order_held == OrderHeld::InLinkCaption)
    list_->Caption = std::move(fragment);
  else
    session().ordinamento = std::move(fragment);
}

const std::string& ListScreen::orderBy() const {
  return params_.order_held == OrderHeld::InLinkCaption ? list_->Caption : session().ordinamento;
}

void ListScreen::Form_Load() {
  SessionContext& s = session();
  s.codlis = "";
  s.codcasa = 0;
  s.anno = CurrentYear();
  if (databasePath().empty()) {
    MsgBox(kNoDatabase, ui::vbInformation);
    return;
  }
  runList(params_.load_query(s));
  vedo();
  caltot();
}

void ListScreen::vedo() {
  ord.setColWidth(0, 0);
  for (size_t i = 0; i < params_.widths.size(); ++i)
    ord.setColWidth(static_cast<int>(i) + 1, params_.widths[i]);
}

// Runs at load only, right after the load query: searches and sorts leave
// the total of the lines listed at load. The link's rows are those of the
// load query, so they are totalled where they stand; running the query
// again would only redraw the grid.
void ListScreen::caltot() {
  totqw.setText("0");
  if (!list_->isOpen()) return;
  db::QueryRecordset& rows = list_->Recordset();
  double total = 0;
  for (rows.moveFirst(); !rows.eof(); rows.moveNext()) total += rows.field("Qta").toDouble();
  rows.moveFirst();
  totqw.setText(vb::NumberText(total));
}

void ListScreen::chiaro() {
  ricw.BackColor = ui::kWindowBackground;
  eanw.BackColor = ui::kWindowBackground;
  Command5.BackColor = ui::kActiveBorder;
}

void ListScreen::sort1() {}

// Toggles the direction shared by every list of the session, the first
// sort descending; the sorted list holds every line of the table.
void ListScreen::sort2() {
  SessionContext& s = session();
  s.sortdir = s.sortdir == "DESC" ? "ASC " : "DESC";
  s.selezione = std::string(params_.base_query);
  setOrderBy(std::string(kSortByDescription) + s.sortdir.str());
  runList({s.selezione + orderBy(), {}});
}

void ListScreen::ord_Click() {
  if (ord.MouseRow != 0) return;
  if (ord.Col == 1)
    sort1();
  else if (ord.Col == 2)
    sort2();
}

void ListScreen::ricw_Change() {
  SessionContext& s = session();
  ricw.BackColor = ui::kYellow;
  s.filtro = std::string(kSearchFilter);
  s.selezione = std::string(params_.base_query);
  setOrderBy(std::string(kSortByDescription));
  runList({s.selezione + s.filtro + orderBy(), {Value(ricw.Text())}});
  vedo();
}

void ListScreen::ricw_GotFocus() {
  chiaro();
  ricw.BackColor = ui::kYellow;
}

void ListScreen::eanw_Change() {
  if (params_.typing_query.empty()) return;
  SessionContext& s = session();
  s.ean = eanw.Text();
  runList({std::string(params_.typing_query), {Value(s.ean.str())}});
  vedo();
}

void ListScreen::eanw_KeyDown(int& key_code) {
  if (key_code != kKeyDown) return;
  SessionContext& s = session();
  s.ean = eanw.Text();
  runList({std::string(params_.down_query), {Value(s.ean.str())}});
  if (params_.down_arrow == DownArrow::Layout) {
    vedo();
    return;
  }
  // The next line after the typed code: the second line returned. With
  // fewer than two the code stays as typed.
  if (list_->isOpen()) {
    db::QueryRecordset& rows = list_->Recordset();
    if (!rows.eof()) {
      rows.moveNext();
      if (rows.eof())
        rows.moveFirst();
      else
        s.ean = rows.field("eanrig").toText();
    }
  }
  s.codcasa = 0;
}

void ListScreen::eanw_KeyPress() {
  session().ean = eanw.Text();
}

void ListScreen::eanw_Click() {
  SessionContext& s = session();
  s.ean = eanw.Text();
  s.codcasa = 0;
}

void ListScreen::eanw_GotFocus() {
  chiaro();
  eanw.BackColor = ui::kYellow;
}

void ListScreen::Command5_Click() {
  SessionContext& s = session();
  s.ean = "";
  if (ord.Row <= 0) return;
  s.ean = ord.TextMatrix(ord.Row, 1);
  if (params_.entry_screen.empty()) return;
  if (params_.open_entry == OpenEntry::InsteadOfList) Unload();
  Show(params_.entry_screen);
}

}  // namespace gw::lookup
