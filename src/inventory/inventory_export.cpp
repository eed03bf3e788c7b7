// The inventory export file.
#include "inventory/inventory_export.h"

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <random>

#include "core/vb/vb.h"

namespace gw::inventory {
namespace {

constexpr size_t kCodeWidth = 13;
constexpr size_t kQuantityWidth = 4;
constexpr std::string_view kLineEnd = "\r\n";
constexpr char kMissing = '?';

// Windows-1252 bytes 0x80..0x9F; 0 where the code page leaves the byte
// undefined. The other bytes are the code points U+0000..U+007F and
// U+00A0..U+00FF themselves.
constexpr char32_t kHighBlock[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char Windows1252Byte(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (int i = 0; i < 32; ++i)
    if (kHighBlock[i] == c) return static_cast<char>(0x80 + i);
  return kMissing;
}

// Decodes the UTF-8 sequence at `s[i]`, advancing `i` past it; false, with
// `i` past the first byte, when the bytes there are not well-formed UTF-8.
bool DecodeUtf8(std::string_view s, size_t& i, char32_t& c) {
  const auto lead = static_cast<unsigned char>(s[i++]);
  if (lead < 0x80) {
    c = lead;
    return true;
  }
  // The bytes that follow the lead, and the least code point that needs
  // them (a smaller one is an overlong form).
  size_t extra = 0;
  char32_t least = 0;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1;
    least = 0x80;
    c = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2;
    least = 0x800;
    c = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3;
    least = 0x10000;
    c = lead & 0x07;
  } else {
    return false;
  }
  if (s.size() - i < extra) return false;
  for (size_t k = 0; k < extra; ++k) {
    const auto next = static_cast<unsigned char>(s[i + k]);
    if ((next & 0xC0) != 0x80) return false;
    c = (c << 6) | (next & 0x3F);
  }
  if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
  i += extra;
  return true;
}

// The field's text in exactly `width` bytes: cut, or padded with blanks.
void AppendFitted(std::string& out, const std::string& text, size_t width) {
  const std::string bytes = ToWindows1252(text);
  out += bytes.substr(0, width);
  if (bytes.size() < width) out.append(width - bytes.size(), ' ');
}

std::error_code LastError() {
  const int error = errno;
  return error ? std::error_code(error, std::generic_category())
               : std::make_error_code(std::errc::io_error);
}

// A name of its own beside `file` for every write, so that two sessions
// exporting at once never share a temporary file.
std::filesystem::path TemporaryBeside(const std::filesystem::path& file) {
  static std::atomic<unsigned> counter{0};
  static const unsigned salt = std::random_device{}();
  std::filesystem::path temporary = file.parent_path();
  temporary /= "." + file.filename().string() + "." + std::to_string(salt) + "-" +
               std::to_string(counter++) + ".tmp";
  return temporary;
}

}  // namespace

std::string ToWindows1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    char32_t c = 0;
    out += DecodeUtf8(utf8, i, c) ? Windows1252Byte(c) : kMissing;
  }
  return out;
}

std::string ExportText(std::span<const ExportLine> lines) {
  std::string out;
  out.reserve(lines.size() * (kCodeWidth + kQuantityWidth + kLineEnd.size()));
  for (const ExportLine& line : lines) {
    AppendFitted(out, line.eanrig.toText(), kCodeWidth);
    AppendFitted(out, vb::Format(line.quantita, "0000"), kQuantityWidth);
    out += kLineEnd;
  }
  return out;
}

std::error_code WriteExportFile(const std::filesystem::path& file, std::string_view bytes) {
  std::error_code error;
  if (file.has_parent_path()) {
    std::filesystem::create_directories(file.parent_path(), error);
    if (error) return error;
  }
  const std::filesystem::path temporary = TemporaryBeside(file);
  errno = 0;
  std::FILE* out = std::fopen(temporary.string().c_str(), "wb");
  if (!out) return LastError();
  errno = 0;
  if (std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size()) error = LastError();
  errno = 0;
  if (std::fclose(out) != 0 && !error) error = LastError();
  if (!error) std::filesystem::rename(temporary, file, error);
  if (error) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
  }
  return error;
}

}  // namespace gw::inventory
