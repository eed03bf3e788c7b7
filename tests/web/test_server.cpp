// The web terminal for the browser tests:
//
//   gw_web_test_server --data DIR [--listen HOST:PORT] [--store NAME]
//   gw_web_test_server --data DIR [--listen HOST:PORT] --screens standard
//                      [--sql FILE=STATEMENTS]...
//
// The first form serves the start screen, whose "Ordini" button opens the
// test screen. With --store the data folder gets a store database whose
// customer row 1 is NAME, so that "ACCEDI" shows it; without it "ACCEDI"
// meets a missing database file.
//
// The second serves every screen of the program on a data folder made as
// `init` makes it, where each --sql runs the statements of the file
// STATEMENTS on the database FILE of the folder (quib/dati.mdb, ...), so
// that a walk through the real screens starts from a small fixture.
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/data_folder.h"
#include "app/screens.h"
#include "core/db/engine.h"
#include "core/db/paths.h"
#include "core/db/schema.h"
#include "core/morvim.h"
#include "test_screens.h"
#include "web/serve.h"

namespace {

constexpr const char* kUsage =
    "usage: gw_web_test_server --data DIR [--listen HOST:PORT] [--store NAME]\n"
    "       gw_web_test_server --data DIR [--listen HOST:PORT] --screens standard "
    "[--sql FILE=STATEMENTS]...\n";

// Runs the statements of `statements` on the database `file` of the folder.
void RunFixture(const std::filesystem::path& dir, const std::string& file,
                const std::string& statements) {
  std::ifstream in(statements);
  if (!in) throw std::runtime_error("cannot read " + statements);
  std::ostringstream text;
  text << in.rdbuf();
  gw::db::OpenSqlite((dir / file).string(), false)->execute(text.str());
}

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
  bool standard = false;
  std::vector<std::pair<std::string, std::string>> fixtures;
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
    } else if (flag == "--screens" && value == "standard") {
      standard = true;
    } else if (flag == "--sql" && value.find('=') != std::string::npos) {
      fixtures.emplace_back(value.substr(0, value.find('=')), value.substr(value.find('=') + 1));
    } else {
      std::cerr << kUsage;
      return 2;
    }
  }
  if (options.data_dir.empty()) options.data_dir = std::filesystem::current_path();
  std::filesystem::create_directories(options.data_dir);
  if (standard) {
    try {
      gw::app::InitDataFolder(options.data_dir);
      for (const auto& [file, statements] : fixtures)
        RunFixture(options.data_dir, file, statements);
    } catch (const std::exception& e) {
      std::cerr << "gw_web_test_server: " << e.what() << "\n";
      return 1;
    }
    return gw::web::Serve(options, gw::app::StandardScreens());
  }
  if (has_store) CreateStore(options.data_dir, store);

  gw::ui::ScreenRegistry screens;
  screens.add("morvim", [](gw::ui::Terminal& t) { return std::make_unique<gw::morvim>(t); });
  gw::webtest::AddTestScreen(screens, "MainOrd");
  return gw::web::Serve(options, screens);
}
