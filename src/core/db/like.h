// LIKE patterns built from typed text: the text is matched literally, so a
// '%' or '_' a clerk types is just a character. Use with ESCAPE '\'.
#pragma once

#include <string>
#include <string_view>

namespace gw::db {

// "%text%" with the text's own '%', '_' and '\' escaped by '\'.
std::string ContainsPattern(std::string_view text);
// "text%" likewise.
std::string StartsWithPattern(std::string_view text);

}  // namespace gw::db
