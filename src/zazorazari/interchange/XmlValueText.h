// Attribute texts of the XML files: the plain, text and typed forms of a
// column value, and the cleaning that keeps every text writable as XML 1.0.
#pragma once

#include <string>

#include "zazorazari/platform/Variant.h"

namespace zazorazari::interchange {

// How a column's value becomes attribute text.
enum class ValueForm {
  Text,         // ValueToExportText: NULL as "", umlauts spelled out
  Plain,        // decimal text of a whole number; NULL fails with 94
  TypedDate,    // ISO 8601: "2003-12-24" or "2003-12-24T14:30:00"; NULL as ""
  TypedNumber,  // shortest round-trip decimal text of a double; NULL as ""
};

std::string FormatValue(const Variant& value, ValueForm form);

// The text with every control character other than TAB, CR and LF, and every
// byte that is not part of a valid UTF-8 sequence, replaced by "?".
std::string XmlSafeText(std::string text);

}  // namespace zazorazari::interchange
