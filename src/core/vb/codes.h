// The store's money-text and EAN routines.
#pragma once

#include <string>

#include "core/vb/value.h"

namespace gw {

struct SessionContext;

// Normalises a typed amount to a money text with two decimals ("12,50").
// A Null or empty value is set to 0 in the caller's variable. With
// `in_cents`, an amount written without separators is taken in cents
// (1250 gives "12,50"). A point after the last comma is the decimal
// separator (12.5 and 1,234.5 are read the English way); a lone point too.
std::string FormatPrice(Value& value, bool in_cents);

// FormatPrice (in cents) applied in place to session.nuovoprezzo.
void FormatNewPrice(SessionContext& session);

// The EAN-13 form of a 13-character numeric code: its first 12 digits and
// the check digit computed from them. The caller's value is cut to its first
// 12 characters. Returns the empty text, leaving the value alone, when the
// value is not numeric or not 13 characters long.
std::string EanCheck(Value& value);

}  // namespace gw
