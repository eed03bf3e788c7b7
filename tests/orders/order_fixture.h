// A store for the order screens' tests: a data folder made as `init` makes
// it, fixture rows written by SQL, a terminal whose front end records the
// message boxes, and a printer of query rows as one line each, so that each
// assertion on a table reads as one string.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/data_folder.h"
#include "core/db/engine.h"
#include "core/ui/terminal.h"
#include "core/vb/vb.h"
#include "orders/order_screens.h"
#include "support/temp_dir.h"

namespace gw::orders::test {

inline constexpr const char* kStore = "C:\\quib\\dati.mdb";

// The clock stands at 2026-03-02 09:15; every box is answered OK or as
// queued.
class RecordingFrontEnd final : public ui::FrontEnd {
 public:
  int messageBox(const ui::MessageBoxRequest& box) override {
    boxes.push_back(std::to_string(box.buttons) + " [" + box.title + "]" + box.prompt);
    return ui::vbOK;
  }
  DateTime now() override { return vb::MakeDate(2026, 3, 2, 9, 15, 0); }
  void print(const std::string&) override {}

  std::vector<std::string> boxes;
};

inline const ui::ScreenRegistry& OrderScreens() {
  static const ui::ScreenRegistry registry = [] {
    ui::ScreenRegistry r;
    RegisterOrderScreens(r);
    return r;
  }();
  return registry;
}

// One terminal session opened straight on a screen, with the store chosen as
// the start screen chooses it.
struct Session {
  Session(const std::filesystem::path& dir, std::string_view tipord,
          const ui::ScreenRegistry& screens = OrderScreens())
      : terminal(front_end, screens, dir) {
    SessionContext& s = terminal.session;
    s.drive = "C:";
    s.pathdati = kStore;
    s.pathdati2 = kStore;
    s.pathlavoro = "C:\\vorsa\\dati.mdb";
    s.codcliente = 1;
    s.codutente = 1;
    s.tipord = tipord;
  }
  template <typename S>
  S& start(std::string_view screen) {
    terminal.start(screen);
    return dynamic_cast<S&>(*terminal.front());
  }

  RecordingFrontEnd front_end;
  ui::Terminal terminal;
};

class OrderStoreTest : public testing::Test {
 protected:
  OrderStoreTest() { app::InitDataFolder(dir_.path()); }

  const std::filesystem::path& dir() const { return dir_.path(); }

  // Runs statements on the store database, or on another file of the folder.
  void sql(std::string_view statements) { store().execute(statements); }
  void sql(std::string_view file, std::string_view statements) {
    db::OpenSqlite((dir_.path() / file).string(), false)->execute(statements);
  }

  // The rows of a query, columns joined by ',' and rows by " | ": texts in
  // quotes so that blanks show, numbers as SQL holds them, Null as Null.
  std::string rows(std::string_view query) {
    auto statement = store().prepare(query);
    std::string out;
    for (bool first = true; statement->step(); first = false) {
      if (!first) out += " | ";
      for (int i = 0; i < statement->columnCount(); ++i) {
        if (i) out += ',';
        Value v = statement->column(i);
        switch (v.kind()) {
          case Value::Kind::Null:
            out += "Null";
            break;
          case Value::Kind::Text:
            out += "'" + v.text() + "'";
            break;
          case Value::Kind::Double: {
            char number[32];
            std::snprintf(number, sizeof number, "%.15g", v.real());
            out += number;
            break;
          }
          default:
            out += v.toText();
        }
      }
    }
    return out;
  }

  // Every row of the tables a confirmation touches.
  std::string snapshot() {
    return rows("SELECT * FROM ordine") + "\n" + rows("SELECT * FROM testa") + "\n" +
           rows("SELECT * FROM movimenti") + "\n" + rows("SELECT * FROM articolo");
  }

 private:
  db::Connection& store() {
    if (!store_) store_ = db::OpenSqlite((dir_.path() / "quib" / "dati.mdb").string(), false);
    return *store_;
  }

  gw::test::TempDir dir_;
  std::unique_ptr<db::Connection> store_;
};

}  // namespace gw::orders::test
