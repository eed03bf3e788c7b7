// The list screens ("Consultazione ..."): the lines of a work table in a
// grid bound to one data link, a code box, a description search, the total
// of the listed quantities, the sort on the description header and the way
// back to the entry screen of the chosen line. A list screen derives from
// ListScreen, gives its layout and its parameters, declares its own labels
// and links, and binds its list link to the grid; the handlers and the
// procedures `vedo`, `caltot`, `chiaro`, `sort1` and `sort2` are shared.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "core/db/datalink.h"
#include "core/session/session_context.h"
#include "core/ui/screen.h"

namespace gw::lookup {

// Where a list keeps the ORDER BY fragment of its current query: the session
// field `ordinamento` (the inventory lists) or the Caption of the list link
// (the order lists).
enum class OrderHeld { InSession, InLinkCaption };

// What the Down arrow in the code box does once its query has run: lay the
// columns out again, or take the code of the second line returned.
enum class DownArrow { Layout, NextLine };

// How "Vedo articolo" opens the entry screen: over the list, which stays
// loaded beneath, or instead of it, the list closing first.
enum class OpenEntry { OverList, InsteadOfList };

// The pattern's own controls; labels and other controls belong to each
// screen.
struct ListLayout {
  ui::FormSpec form;
  ui::ControlSpec eanw, ricw, totqw, ord, Command5, Command1;
};

struct ListParams {
  // The session field naming the list's database (pathdati, pathlavoro).
  std::string SessionContext::*database = nullptr;
  // The lines listed at load (by department, by operator, ...).
  db::Query (*load_query)(const SessionContext&) = nullptr;
  // SELECT ... FROM the table, without WHERE: what the search and the
  // header sort start from.
  std::string_view base_query = {};
  // Widths of the columns from 1 on; column 0 is hidden.
  std::span<const int> widths = {};
  OrderHeld order_held = OrderHeld::InSession;
  // Code search while typing in `eanw`: a query with one '?' for the code,
  // or empty when the list has none.
  std::string_view typing_query = {};
  // Down arrow in `eanw`: a query with one '?' for the code.
  std::string_view down_query = {};
  DownArrow down_arrow = DownArrow::Layout;
  // The entry screen "Vedo articolo" opens; empty when there is none.
  std::string_view entry_screen = {};
  OpenEntry open_entry = OpenEntry::OverList;
};

class ListScreen : public ui::Screen {
 public:
  ListScreen(ui::Terminal& terminal, const ListLayout& layout, const ListParams& params);

  ui::TextBox eanw;
  ui::TextBox ricw;
  ui::TextBox totqw;
  ui::Grid ord;
  ui::Button Command5;
  ui::Button Command1;

  void Form_Load() override;

 protected:
  // The screen's list link, shown by `ord`. Called once, from the
  // constructor of the screen that owns the link.
  void bindList(db::DataLink& link);

 private:
  void vedo();
  void caltot();
  void chiaro();
  void sort1();
  void sort2();

  void ord_Click();
  void ricw_Change();
  void ricw_GotFocus();
  void eanw_Change();
  void eanw_KeyDown(int& key_code);
  void eanw_KeyPress();
  void eanw_Click();
  void eanw_GotFocus();
  void Command5_Click();

  const std::string& databasePath() const;
  // Runs `query` on the list link; with no database chosen the grid stays
  // as it is.
  void runList(db::Query query);
  void setOrderBy(std::string fragment);
  const std::string& orderBy() const;

  ListParams params_;
  db::DataLink* list_ = nullptr;
};

}  // namespace gw::lookup
