# Writes OUTPUT, a C++ source that holds the browser client's files
# (ASSETS, found in ASSET_DIR) as byte arrays, served by the web terminal.
# index.html is served at "/", every other file at "/" and its name.
set(body "")
set(table "")
set(n 0)
foreach(asset IN LISTS ASSETS)
  file(READ ${ASSET_DIR}/${asset} bytes HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${bytes}")
  string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)"
         "\\1\n    " bytes "${bytes}")
  if(asset MATCHES "\\.html$")
    set(type "text/html; charset=utf-8")
  elseif(asset MATCHES "\\.css$")
    set(type "text/css; charset=utf-8")
  elseif(asset MATCHES "\\.js$")
    set(type "text/javascript; charset=utf-8")
  else()
    set(type "application/octet-stream")
  endif()
  if(asset STREQUAL "index.html")
    set(url "/")
  else()
    set(url "/${asset}")
  endif()
  string(APPEND body "const unsigned char kAsset${n}[] = {\n    ${bytes}};\n")
  string(APPEND table "      {\"${url}\", \"${type}\", Bytes(kAsset${n}, sizeof kAsset${n})},\n")
  math(EXPR n "${n} + 1")
endforeach()

file(WRITE ${OUTPUT}.tmp "// Generated from src/web/assets by embed_assets.cmake; do not edit.
#include \"web/assets.h\"

namespace gw::web {
namespace {

std::string_view Bytes(const unsigned char* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

${body}
}  // namespace

std::span<const Asset> Assets() {
  static const Asset kAssets[] = {
${table}  };
  return kAssets;
}

}  // namespace gw::web
")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
