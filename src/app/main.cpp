// gestione-wifi: the store back-office program for the hand-held terminals.
//
//   gestione-wifi init   --data DIR                    create the databases (empty)
//   gestione-wifi demo   [--data DIR] [--listen A:P]   demo store, then serve it
//   gestione-wifi serve  [--data DIR] [--listen A:P]   serve the terminals
//   gestione-wifi script --data DIR [--spool DIR2] [FILE]
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "app/data_folder.h"
#include "app/screens.h"
#include "core/db/engine.h"
#include "script/script_driver.h"
#include "web/serve.h"

namespace {

constexpr const char* kUsage =
    "uso: gestione-wifi init --data DIR\n"
    "     gestione-wifi demo [--data DIR] [--listen ADDR:PORT]\n"
    "     gestione-wifi serve [--data DIR] [--listen ADDR:PORT]\n"
    "     gestione-wifi script --data DIR [--spool DIR2] [FILE]\n";

struct Arguments {
  std::map<std::string, std::string> options;
  std::vector<std::string> files;
};

bool Parse(int argc, char** argv, Arguments& out) {
  for (int i = 2; i < argc; ++i) {
    std::string word = argv[i];
    if (word.rfind("--", 0) == 0) {
      if (i + 1 >= argc) return false;
      out.options[word] = argv[++i];
    } else {
      out.files.push_back(word);
    }
  }
  return true;
}

std::filesystem::path DataDir(const Arguments& args) {
  auto it = args.options.find("--data");
  return it == args.options.end() ? std::filesystem::current_path()
                                  : std::filesystem::path(it->second);
}

bool Listen(const Arguments& args, gw::web::ServeOptions& options) {
  auto it = args.options.find("--listen");
  if (it == args.options.end()) return true;
  size_t colon = it->second.rfind(':');
  if (colon == std::string::npos) return false;
  options.host = it->second.substr(0, colon);
  try {
    options.port = std::stoi(it->second.substr(colon + 1));
  } catch (const std::exception&) {
    return false;
  }
  return options.port > 0 && options.port < 65536;
}

int Serve(const Arguments& args) {
  gw::web::ServeOptions options;
  options.data_dir = DataDir(args);
  if (!Listen(args, options)) {
    std::cerr << "indirizzo non valido: " << args.options.at("--listen") << "\n";
    return 2;
  }
  return gw::web::Serve(options, gw::app::StandardScreens());
}

int Script(const Arguments& args) {
  gw::script::ScriptOptions options;
  options.data_dir = DataDir(args);
  if (auto it = args.options.find("--spool"); it != args.options.end())
    options.spool_dir = it->second;
  if (args.files.size() > 1) {
    std::cerr << kUsage;
    return gw::script::kScriptError;
  }
  if (args.files.empty())
    return gw::script::RunScript(std::cin, std::cout, options, gw::app::StandardScreens());
  std::ifstream file(args.files[0]);
  if (!file) {
    std::cerr << "impossibile leggere " << args.files[0] << "\n";
    return gw::script::kScriptError;
  }
  return gw::script::RunScript(file, std::cout, options, gw::app::StandardScreens());
}

}  // namespace

int main(int argc, char** argv) {
  Arguments args;
  if (argc < 2 || !Parse(argc, argv, args)) {
    std::cerr << kUsage;
    return 2;
  }
  std::string command = argv[1];
  try {
    if (command == "init") {
      gw::app::InitDataFolder(DataDir(args));
      std::cout << "dati creati in " << DataDir(args).string() << "\n";
      return 0;
    }
    if (command == "demo") {
      gw::app::FillDemo(DataDir(args));
      std::cout << "dati dimostrativi in " << DataDir(args).string() << "\n";
      return Serve(args);
    }
    if (command == "serve") return Serve(args);
    if (command == "script") return Script(args);
  } catch (const std::exception& error) {
    std::cerr << "gestione-wifi: " << error.what() << "\n";
    return 2;
  }
  std::cerr << kUsage;
  return 2;
}
