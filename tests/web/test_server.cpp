// The web terminal with the test screen, for the browser tests:
//
//   gw_web_test_server --data DIR [--listen HOST:PORT] [--store NAME]
//
// serves the start screen, whose "Ordini" button opens the test screen.
// With --store the data folder gets a store database whose customer row 1
// is NAME, so that "ACCEDI" shows it; without it "ACCEDI" meets a missing
// database file.
#include <iostream>
#include <string>

#include "core/db/engine.h"
#include "core/db/paths.h"
#include "core/db/schema.h"
#include "core/morvim.h"
#include "test_screens.h"
#include "web/serve.h"

namespace {

void CreateStore(const std::filesystem::path& dir, const std::string& name) {
  std::filesystem::path file = gw::db::MapProgramPath(dir, "\\quib\\dati.mdb");
  std::filesystem::create_directories(file.parent_path());
  auto connection = gw::db::OpenSqlite(file.string(), true);
  gw::db::CreateSchema(*connection, gw::db::DatabaseKind::Store);
  connection->execute("DELETE FROM clienti");
  auto insert = connection->prepare("INSERT INTO clienti (codcliente, dsccliente) VALUES (1, ?)");
  insert->bind(1, gw::Value(name));
  insert->step();
}

}  // namespace

int main(int argc, char** argv) {
  gw::web::ServeOptions options;
  std::string store;
  bool has_store = false;
  for (int i = 1; i + 1 < argc; i += 2) {
    std::string flag = argv[i], value = argv[i + 1];
    if (flag == "--data") {
      options.data_dir = value;
    } else if (flag == "--listen" && value.rfind(':') != std::string::npos) {
      options.host = value.substr(0, value.rfind(':'));
      options.port = std::stoi(value.substr(value.rfind(':') + 1));
    } else if (flag == "--store") {
      store = value;
      has_store = true;
    } else {
      std::cerr << "usage: gw_web_test_server --data DIR [--listen HOST:PORT] [--store NAME]\n";
      return 2;
    }
  }
  if (options.data_dir.empty()) options.data_dir = std::filesystem::current_path();
  std::filesystem::create_directories(options.data_dir);
  if (has_store) CreateStore(options.data_dir, store);

  gw::ui::ScreenRegistry screens;
  screens.add("morvim", [](gw::ui::Terminal& t) { return std::make_unique<gw::morvim>(t); });
  gw::webtest::AddTestScreen(screens, "MainOrd");
  return gw::web::Serve(options, screens);
}
