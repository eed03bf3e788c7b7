// Fixed-length text: a value is cut or padded with blanks to its width on
// assignment, counting characters of UTF-8 text, so an unset value reads as
// that many blanks.
#pragma once

#include <string>
#include <string_view>

namespace gw {

class FixedText {
 public:
  explicit FixedText(size_t width);

  FixedText& operator=(std::string_view text);
  FixedText& operator=(const FixedText& other) { return *this = other.str(); }
  FixedText(const FixedText&) = default;

  const std::string& str() const { return text_; }
  operator const std::string&() const { return text_; }
  size_t width() const { return width_; }

  friend bool operator==(const FixedText& a, std::string_view b) { return a.text_ == b; }

 private:
  size_t width_;
  std::string text_;
};

}  // namespace gw
