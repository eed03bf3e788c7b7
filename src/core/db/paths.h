// Where a path of the program's own lands under the data folder that stands
// for the terminal's drive.
#pragma once

#include <filesystem>
#include <string_view>

namespace gw::db {

// Maps a program path ("\tolv\vorsa.mdb", "C:\kalvor\inve1.dat", or a path
// stored in a table) to its place under `dataDir`: a drive letter and its
// colon are dropped, each '\' (and '/') separates a folder, and the letters
// stay as written. A path that begins with neither a drive letter nor '\' is
// taken relative to `dataDir`, which comes to the same place. "." is skipped
// and ".." goes up a folder but never above `dataDir`, as on a drive's root.
// An empty path gives `dataDir` itself.
std::filesystem::path MapProgramPath(const std::filesystem::path& dataDir,
                                     std::string_view programPath);

}  // namespace gw::db
