// Creating the database files of a data folder.
#include "app/data_folder.h"

#include <string>

#include "core/db/engine.h"
#include "core/db/paths.h"
#include "core/db/schema.h"
#include "core/vb/vb.h"

namespace gw::app {
namespace {

struct FamilyFile {
  const char* programPath;
  db::DatabaseKind kind;
};

constexpr FamilyFile kFiles[] = {
    {"\\tolv\\vorsa.mdb", db::DatabaseKind::Configuration},
    {"\\vorsa\\dati.mdb", db::DatabaseKind::Store},
    {"\\quib\\dati.mdb", db::DatabaseKind::Store},
    {"\\murantopexi\\dati.mdb", db::DatabaseKind::Store},
};

// The working database, whose "casse" names the tills.
constexpr const char* kWorkingDatabase = "\\vorsa\\dati.mdb";

void CreateFile(const std::filesystem::path& file, db::DatabaseKind kind) {
  std::filesystem::create_directories(file.parent_path());
  auto connection = db::OpenSqlite(file.string(), true);
  db::CreateSchema(*connection, kind);
}

}  // namespace

void InitDataFolder(const std::filesystem::path& dir) {
  for (const FamilyFile& file : kFiles)
    CreateFile(db::MapProgramPath(dir, file.programPath), file.kind);

  auto working = db::OpenSqlite(db::MapProgramPath(dir, kWorkingDatabase).string(), false);
  auto tills = working->prepare("SELECT \"percorsoint\" FROM \"casse\"");
  while (tills->step()) {
    Value path = tills->column(0);
    if (!path.isText() || vb::Trim(path.text()).empty()) continue;
    CreateFile(db::MapProgramPath(dir, vb::Trim(path.text())), db::DatabaseKind::Till);
  }
  tills->reset();
}

}  // namespace gw::app
