// Small value, text and SQL helpers shared by every other part, so that the
// record text form, the criteria and the XML text forms agree.
#pragma once

#include <cstdint>
#include <string>

#include "zazorazari/platform/Error.h"
#include "zazorazari/platform/Variant.h"

#pragma GCC visibility push(default)
namespace zazorazari {

// NULL equals NULL; NULL never equals a value; otherwise Variant equality.
bool IsEqualOrBothNull(const Variant& a, const Variant& b);

// strField="value" (double quotes doubled inside, so the engine reads back
// exactly the value), or ISNULL(strField) for NULL. A non-text value: 13.
std::string SqlEqualText(const std::string& strField, const Variant& value);
// strField=number, or ISNULL(strField). A value CDbl cannot read: 13.
std::string SqlEqualNumber(const std::string& strField, const Variant& value);

// "<Error/number/source/description>"
std::string ErrorInfoText(const Error& err);

// Leading number of a text ("," read as "."), blanks ignored; 0 if none.
Variant ParseNumber(const std::string& text);
std::string QuotesToApostrophes(const std::string& text);
// "m/d/y", "h:m:s" (day 0) or "d.m.y", with carry-over; 9 with fewer than
// three parts, 6 when a part does not fit 16 bits.
double ParseDateText(const std::string& text);
Variant TextToFieldValue(const std::string& text, int32_t lDataType);
std::string ValueToExportText(const Variant& value);

}  // namespace zazorazari
#pragma GCC visibility pop
