// The data folder that stands for the terminal's drive: the store's database
// files, created empty by `init`, or filled with a demo store by `demo`.
#pragma once

#include <filesystem>

namespace gw::app {

// Creates what is missing of DIR/tolv/vorsa.mdb (configuration), of the
// working and store databases DIR/vorsa/dati.mdb, DIR/quib/dati.mdb and
// DIR/murantopexi/dati.mdb, and of the database of every till that "casse"
// of the working database names; folders, files, tables, fields and
// indexes alike. Never removes or changes data.
void InitDataFolder(const std::filesystem::path& dir);

// InitDataFolder, then, when no store database holds an article yet, a demo
// food store: about 2,000 articles with their codes and price list,
// suppliers, document types and counters, two tills and a few supplier
// orders. Everything is the same on every run except what must follow the
// day of creation: the offer windows, the year of the counters and the dates
// of the supplier orders.
void FillDemo(const std::filesystem::path& dir);

}  // namespace gw::app
