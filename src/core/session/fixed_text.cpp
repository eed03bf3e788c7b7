// Fixed-length text, cut or padded with blanks by characters.
#include "core/session/fixed_text.h"

#include "core/vb/vb.h"

namespace gw {

FixedText::FixedText(size_t width) : width_(width), text_(width, ' ') {}

FixedText& FixedText::operator=(std::string_view text) {
  text_ = vb::Left(text, width_);
  text_.append(width_ - vb::Len(text_), ' ');
  return *this;
}

}  // namespace gw
