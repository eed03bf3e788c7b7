// Screen tests as scripts with their expected transcript. Each case file in
// cases/ holds sections:
//   === sql FILE       SQL run on DIR/FILE after `init` (fixture rows)
//   === remove FILE    a file of the data folder taken away
//   === script         the script, as a clerk's session
//   === transcript     what the driver must print, line for line
//   === exit N         the driver's exit status (0 when absent)
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/data_folder.h"
#include "app/screens.h"
#include "core/db/engine.h"
#include "script/script_driver.h"
#include "support/temp_dir.h"

namespace gw {
namespace {

struct Case {
  std::string name;
  std::vector<std::pair<std::string, std::string>> sql;  // file, statements
  std::vector<std::string> removed;
  std::string script;
  std::string transcript;
  int exit = 0;
};

Case ReadCase(const std::filesystem::path& file) {
  Case c;
  c.name = file.stem().string();
  std::ifstream in(file);
  std::string line, section, argument;
  while (std::getline(in, line)) {
    if (line.rfind("=== ", 0) == 0) {
      std::istringstream words(line.substr(4));
      words >> section;
      argument.clear();
      words >> argument;
      if (section == "sql") c.sql.emplace_back(argument, "");
      if (section == "remove") c.removed.push_back(argument);
      if (section == "exit") c.exit = std::stoi(argument);
      continue;
    }
    if (section == "sql") c.sql.back().second += line + "\n";
    if (section == "script") c.script += line + "\n";
    if (section == "transcript") c.transcript += line + "\n";
  }
  return c;
}

std::vector<std::filesystem::path> CaseFiles() {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(GW_SCRIPT_CASES_DIR))
    if (entry.path().extension() == ".case") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

class ScriptCase : public testing::TestWithParam<std::filesystem::path> {};

TEST_P(ScriptCase, PrintsItsTranscript) {
  Case c = ReadCase(GetParam());
  test::TempDir dir;
  app::InitDataFolder(dir.path());
  for (const auto& [file, statements] : c.sql)
    db::OpenSqlite((dir.path() / file).string(), false)->execute(statements);
  for (const auto& file : c.removed) std::filesystem::remove(dir.path() / file);

  std::istringstream script(c.script);
  std::ostringstream transcript;
  int exit = script::RunScript(script, transcript, {dir.path(), dir.path() / "spool"},
                               app::StandardScreens());
  EXPECT_EQ(transcript.str(), c.transcript);
  EXPECT_EQ(exit, c.exit);
}

INSTANTIATE_TEST_SUITE_P(Cases, ScriptCase, testing::ValuesIn(CaseFiles()),
                         [](const auto& info) { return info.param.stem().string(); });

}  // namespace
}  // namespace gw
