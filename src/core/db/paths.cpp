// Program paths mapped under the data folder.
#include "core/db/paths.h"

#include <string>
#include <vector>

namespace gw::db {

std::filesystem::path MapProgramPath(const std::filesystem::path& dataDir,
                                     std::string_view programPath) {
  std::string_view rest = programPath;
  if (rest.size() >= 2 && rest[1] == ':' &&
      ((rest[0] >= 'A' && rest[0] <= 'Z') || (rest[0] >= 'a' && rest[0] <= 'z')))
    rest.remove_prefix(2);

  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= rest.size()) {
    size_t end = rest.find_first_of("\\/", start);
    if (end == std::string_view::npos) end = rest.size();
    std::string_view part = rest.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.emplace_back(part);
    }
    start = end + 1;
  }

  std::filesystem::path mapped = dataDir;
  for (const std::string& part : parts) mapped /= std::filesystem::path(part);
  return mapped;
}

}  // namespace gw::db
