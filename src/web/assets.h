// The browser client's files, compiled into the program so that the server
// needs nothing beside its binary.
#pragma once

#include <span>
#include <string_view>

namespace gw::web {

struct Asset {
  std::string_view path;  // the URL path it is served at
  std::string_view content_type;
  std::string_view body;
};

std::span<const Asset> Assets();

}  // namespace gw::web
