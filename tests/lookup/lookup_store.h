// A data folder for the lookup tests: the store's empty databases built by
// `init`, fixture rows written by SQL into the store database and the
// working database.
#pragma once

#include <gtest/gtest.h>

#include <string_view>

#include "app/data_folder.h"
#include "core/db/database.h"
#include "support/temp_dir.h"

namespace gw::lookup::test {

class LookupTest : public testing::Test {
 protected:
  LookupTest() : pool_((app::InitDataFolder(dir_.path()), dir_.path())) {}

  db::Database& store() { return pool_.open("\\quib\\dati.mdb"); }
  db::Database& working() { return pool_.open("\\vorsa\\dati.mdb"); }
  void sql(db::Database& db, std::string_view statements) { db.connection().execute(statements); }

 private:
  gw::test::TempDir dir_;
  db::DatabasePool pool_;
};

}  // namespace gw::lookup::test
