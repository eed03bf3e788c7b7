// The inventory export file "C:\kalvor\inve1.dat": one fixed-width line per
// counted line, read by the program that takes the inventory over. The
// layout binds that program: the code in 13 characters, the quantity in 4,
// CR LF, single-byte Windows-1252 text.
#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <system_error>

#include "core/vb/value.h"

namespace gw::inventory {

inline constexpr std::string_view kExportFile = "C:\\kalvor\\inve1.dat";

// The two fields of an "inventario" row the file carries.
struct ExportLine {
  Value eanrig;
  Value quantita;
};

// The file's bytes, the lines in the order given: `eanrig` left-aligned,
// padded with blanks or cut to 13 characters; `quantita` formatted "0000"
// (whole number, at least four digits), cut after 4 characters or padded
// with blanks; CR LF. Null fields are blanks.
std::string ExportText(std::span<const ExportLine> lines);

// UTF-8 text as Windows-1252 bytes; a character the code page lacks, or a
// byte that is not UTF-8, becomes "?".
std::string ToWindows1252(std::string_view utf8);

// Replaces the whole file at `file` with `bytes`, creating its folder when
// missing. The bytes go to a temporary file beside it that is then renamed
// over the old one, so the reading program finds either the old file or the
// new one, never a part. On failure the old file is left as it was and the
// error is returned.
std::error_code WriteExportFile(const std::filesystem::path& file, std::string_view bytes);

}  // namespace gw::inventory
