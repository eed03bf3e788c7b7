// The list-screen pattern on the parameters of an inventory list (code
// search while typing, the Down arrow laying the columns out again, the
// ORDER BY held in the session, "Vedo articolo" closing the list), and a
// list whose database has not been chosen.
#include "lookup/list_screen.h"

#include <gtest/gtest.h>

#include "order_fixture.h"
#include "orders/morvi03.h"

namespace gw::orders::test {
namespace {

using lookup::ListScreen;

constexpr lookup::ListLayout kLayout{
    .form = {.name = "lista"},
    .eanw = {.name = "eanw"},
    .ricw = {.name = "ricw"},
    .totqw = {.name = "totqw"},
    .ord = {.name = "ord"},
    .Command5 = {.name = "Command5"},
    .Command1 = {.name = "Command1"},
};
constexpr int kWidths[] = {2500, 5000, 800};

db::Query OperatorLines(const SessionContext& s) {
  return {
      "SELECT [eanrig] as Ean,[Descrizione] as Descrizione,[colli] as Qta FROM inventario "
      "WHERE oper = ?",
      {Value(s.oper)}};
}

constexpr lookup::ListParams kParams{
    .database = &SessionContext::pathlavoro,
    .load_query = OperatorLines,
    .base_query =
        "SELECT [eanrig] as Ean,[Descrizione] as Descrizione,[colli] as Qta FROM inventario",
    .widths = kWidths,
    .order_held = lookup::OrderHeld::InSession,
    .typing_query =
        "SELECT [eanrig] as Ean,[Descrizione] as Descrizione,[colli] as Qta FROM "
        "inventario where eanrig > ? ",
    .down_query = "SELECT * FROM inventario where eanrig > ? ",
    .down_arrow = lookup::DownArrow::Layout,
    .entry_screen = "voce",
    .open_entry = lookup::OpenEntry::InsteadOfList,
};

class InventoryList final : public ListScreen {
 public:
  explicit InventoryList(ui::Terminal& t)
      : ListScreen(t, kLayout, kParams), inventario(t.databases()) {
    bindList(inventario);
  }
  db::DataLink inventario;
};

// The menu that opens the list, and the entry screen the list opens.
constexpr ui::FormSpec kMenu{.name = "menu"};
constexpr ui::FormSpec kEntry{.name = "voce"};
constexpr ui::ControlSpec kOpen{.name = "open"};

class Plain final : public ui::Screen {
 public:
  Plain(ui::Terminal& t, const ui::FormSpec& form) : Screen(t, form), open(*this, kOpen) {
    open.Click = [this] { Show("lista"); };
  }
  ui::Button open;
};

const ui::ScreenRegistry& ListScreens() {
  static const ui::ScreenRegistry registry = [] {
    ui::ScreenRegistry r;
    r.add("lista", [](ui::Terminal& t) { return std::make_unique<InventoryList>(t); });
    r.add("menu", [](ui::Terminal& t) { return std::make_unique<Plain>(t, kMenu); });
    r.add("voce", [](ui::Terminal& t) { return std::make_unique<Plain>(t, kEntry); });
    return r;
  }();
  return registry;
}

// Column 2 of every row below the header, "a,b,c".
std::string Descriptions(const ui::Grid& grid) {
  std::string out;
  for (int r = 1; r < grid.Rows(); ++r) out += (r > 1 ? "," : "") + grid.TextMatrix(r, 2);
  return out;
}

class ListScreenTest : public OrderStoreTest {};

TEST_F(ListScreenTest, InventoryFamily) {
  sql("vorsa/dati.mdb", R"(
INSERT INTO inventario (eanrig, descrizione, colli, oper) VALUES ('8001', 'PANE', 2, 3);
INSERT INTO inventario (eanrig, descrizione, colli, oper) VALUES ('7000', 'ACQUA', 1, 3);
INSERT INTO inventario (eanrig, descrizione, colli, oper) VALUES ('8003', 'BURRO', 4, 1);
INSERT INTO inventario (eanrig, descrizione, colli, oper) VALUES ('8005', 'latte', 1.5, 3);
)");
  Session t(dir(), "", ListScreens());
  t.terminal.session.oper = 3;
  t.terminal.click(t.start<Plain>("menu").open);
  auto& list = dynamic_cast<InventoryList&>(*t.terminal.front());
  SessionContext& s = t.terminal.session;
  EXPECT_EQ(Descriptions(list.ord), "PANE,ACQUA,latte");
  EXPECT_EQ(list.totqw.Text(), "4,5");
  EXPECT_EQ(list.ord.ColWidth(0), 0);
  EXPECT_EQ(list.ord.ColWidth(2), 5000);

  // Typing 800 lists every code after "800" followed by blanks, of every operator.
  t.terminal.type(list.eanw, "800");
  EXPECT_EQ(s.ean.str(), "800          ");
  EXPECT_EQ(Descriptions(list.ord), "PANE,BURRO,latte");
  EXPECT_EQ(list.ord.ColWidth(3), 800);

  // The Down arrow shows the whole table, only columns 0 to 3 resized.
  t.terminal.pressKey(list.eanw, 40);
  EXPECT_EQ(list.ord.Cols(), 13);
  EXPECT_EQ(list.ord.TextMatrix(0, 1), "codcasa");
  EXPECT_EQ(list.ord.TextMatrix(1, 2), "8001");
  EXPECT_EQ(list.ord.ColWidth(1), 2500);
  EXPECT_EQ(list.ord.ColWidth(4), ui::Grid::kDefaultColWidth);

  t.terminal.cellClick(list.ord, 0, 2);
  EXPECT_EQ(s.ordinamento, " ORDER BY [descrizione]DESC");
  EXPECT_EQ(Descriptions(list.ord), "PANE,latte,BURRO,ACQUA");

  t.terminal.type(list.ricw, "L");
  EXPECT_EQ(s.ordinamento, " ORDER BY [descrizione]");
  EXPECT_EQ(s.sortdir.str(), "DESC");
  EXPECT_EQ(Descriptions(list.ord), "latte,PANE");
  EXPECT_EQ(list.totqw.Text(), "4,5");

  t.terminal.cellClick(list.ord, 2, 1);
  t.terminal.click(list.Command5);
  EXPECT_EQ(s.ean.str(), "8001         ");
  EXPECT_EQ(t.terminal.front()->name(), "voce");
  EXPECT_EQ(t.terminal.stack().size(), 2u);
}

TEST_F(ListScreenTest, WithoutADatabaseTheListStaysEmptyAndUsable) {
  Session t(dir(), "T");
  t.terminal.session.pathdati = "";
  auto& view = t.start<morvi03>("morvi03");
  t.terminal.type(view.ricw, "B");
  t.terminal.cellClick(view.ord, 0, 2);
  t.terminal.pressKey(view.eanw, 40);
  t.terminal.click(view.Command5);

  EXPECT_EQ(t.front_end.boxes, std::vector<std::string>{
                                   "64 []ATTENZIONE !!!. Non è stato selezionato l'archivio dati"});
  EXPECT_EQ(view.totqw.Text(), "");
  EXPECT_EQ(view.ord.TextMatrix(1, 1), "");
  EXPECT_EQ(t.terminal.front(), &view);
}

}  // namespace
}  // namespace gw::orders::test
