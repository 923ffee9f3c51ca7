// Attribute texts of the XML files (see XmlValueText.h).
#include "zazorazari/interchange/XmlValueText.h"

#include <charconv>
#include <cstdio>

#include "zazorazari/dataobject/modTools.h"
#include "zazorazari/platform/Conversions.h"

namespace zazorazari::interchange {

namespace {

std::string ShortestNumber(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

// Length of the valid UTF-8 sequence starting at text[i], or 0.
size_t Utf8SequenceLength(const std::string& text, size_t i) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  size_t length = 0;
  uint32_t codePoint = 0;
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) {
    length = 2;
    codePoint = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    codePoint = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    codePoint = lead & 0x07;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  for (size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    codePoint = (codePoint << 6) | (byte(i + k) & 0x3F);
  }
  static constexpr uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  const bool overlong = codePoint < kSmallest[length];
  const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
  const bool nonCharacter = codePoint == 0xFFFE || codePoint == 0xFFFF;
  if (overlong || surrogate || nonCharacter || codePoint > 0x10FFFF) return 0;
  return length;
}

}  // namespace

std::string FormatValue(const Variant& value, ValueForm form) {
  switch (form) {
    case ValueForm::Text: return ValueToExportText(value);
    case ValueForm::Plain: return std::to_string(CLng(value));
    case ValueForm::TypedDate: return value.IsNull() ? std::string() : FormatIsoDate(CDate(value));
    case ValueForm::TypedNumber: return value.IsNull() ? std::string() : ShortestNumber(CDbl(value));
  }
  return {};
}

std::string XmlSafeText(std::string text) {
  for (size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x20) {
      if (c != '\t' && c != '\r' && c != '\n') text[i] = '?';
      ++i;
      continue;
    }
    const size_t length = Utf8SequenceLength(text, i);
    if (length == 0) {
      text[i] = '?';
      ++i;
    } else {
      i += length;
    }
  }
  return text;
}

}  // namespace zazorazari::interchange
