#include "core/db/like.h"

namespace gw::db {
namespace {

std::string Escaped(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  for (char c : text) {
    if (c == '%' || c == '_' || c == '\\') out += '\\';
    out += c;
  }
  return out;
}

}  // namespace

std::string ContainsPattern(std::string_view text) { return "%" + Escaped(text) + "%"; }
std::string StartsWithPattern(std::string_view text) { return Escaped(text) + "%"; }

}  // namespace gw::db
