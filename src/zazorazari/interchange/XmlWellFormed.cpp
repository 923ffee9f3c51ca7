// Well-formedness checks the XML parser leaves out (see XmlWellFormed.h).
#include "zazorazari/interchange/XmlWellFormed.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

namespace zazorazari::interchange {

namespace {

constexpr char32_t kNoCharacter = 0xFFFFFFFF;

// Printable ASCII but the two characters that open markup or a reference.
constexpr auto kPlainAscii = [] {
  std::array<bool, 256> plain{};
  for (int c = 0x20; c < 0x80; ++c) plain[static_cast<size_t>(c)] = c != '<' && c != '&';
  return plain;
}();

// Whether all eight bytes of `word` are plain: a borrow into a high bit
// finds a byte below 0x20, and the XOR with '<' or '&' a zero byte.
bool EightPlain(uint64_t word) {
  constexpr uint64_t kOnes = 0x0101010101010101ULL;
  constexpr uint64_t kHighs = 0x8080808080808080ULL;
  const auto anyZero = [&](uint64_t v) { return ((v - kOnes) & ~v & kHighs) != 0; };
  if ((word & kHighs) != 0 || ((word - 0x20 * kOnes) & ~word & kHighs) != 0) return false;
  return !anyZero(word ^ ('<' * kOnes)) && !anyZero(word ^ ('&' * kOnes));
}

// XML 1.0's Char production.
bool IsXmlChar(char32_t c) {
  return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
         (c >= 0x10000 && c <= 0x10FFFF);
}

// One UTF-8 sequence at `at`: the character, or kNoCharacter for a malformed,
// overlong or surrogate sequence. `length` is set to the bytes it spans.
char32_t DecodeUtf8(std::string_view bytes, size_t at, size_t& length) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[at + i]); };
  const unsigned char lead = byte(0);
  length = 1;
  if (lead < 0x80) return lead;
  size_t count = 0;
  char32_t c = 0;
  char32_t least = 0;
  if ((lead & 0xE0) == 0xC0) {
    count = 2, c = lead & 0x1F, least = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    count = 3, c = lead & 0x0F, least = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    count = 4, c = lead & 0x07, least = 0x10000;
  } else {
    return kNoCharacter;
  }
  if (at + count > bytes.size()) return kNoCharacter;
  for (size_t i = 1; i < count; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return kNoCharacter;
    c = (c << 6) | (byte(i) & 0x3F);
  }
  length = count;
  if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return kNoCharacter;
  return c;
}

// The character a reference "&#...;" at `at` stands for; kNoCharacter when
// it is malformed. `end` is set past its ';'.
char32_t CharacterReference(std::string_view bytes, size_t at, size_t& end) {
  size_t i = at + 2;
  const bool hex = i < bytes.size() && bytes[i] == 'x';
  if (hex) ++i;
  const size_t first = i;
  char32_t value = 0;
  for (; i < bytes.size() && bytes[i] != ';'; ++i) {
    const char d = bytes[i];
    int digit = -1;
    if (d >= '0' && d <= '9') digit = d - '0';
    if (hex && d >= 'a' && d <= 'f') digit = d - 'a' + 10;
    if (hex && d >= 'A' && d <= 'F') digit = d - 'A' + 10;
    if (digit < 0) return kNoCharacter;
    value = std::min<char32_t>(value * (hex ? 16 : 10) + static_cast<char32_t>(digit), 0x110000);
  }
  if (i == first || i >= bytes.size()) return kNoCharacter;
  end = i + 1;
  return value;
}

bool StartsAt(std::string_view bytes, size_t at, std::string_view text) { return bytes.substr(at, text.size()) == text; }

}  // namespace

std::string LineNote(std::string_view bytes, size_t offset) {
  offset = std::min(offset, bytes.size());
  return " (line " + std::to_string(1 + std::count(bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(offset), '\n')) +
         ")";
}

std::optional<XmlFault> CharacterFault(std::string_view bytes) {
  using namespace std::string_view_literals;
  for (const std::string_view bom : {"\xFE\xFF"sv, "\xFF\xFE"sv, "\0\0\xFE\xFF"sv}) {
    if (bytes.starts_with(bom)) return std::nullopt;
  }
  // Character references count only in markup and text, not in comments,
  // CDATA sections and processing instructions, which end at `closing`.
  std::string_view closing;
  size_t i = 0;
  while (i < bytes.size()) {
    // Outside comments, CDATA and instructions most bytes are plain ASCII
    // that needs no look: passed over eight bytes at a time, then byte by byte.
    if (closing.empty()) {
      for (uint64_t word = 0; i + 8 <= bytes.size(); i += 8) {
        std::memcpy(&word, bytes.data() + i, 8);
        if (!EightPlain(word)) break;
      }
      while (i < bytes.size() && kPlainAscii[static_cast<unsigned char>(bytes[i])]) ++i;
      if (i == bytes.size()) break;
    }
    const unsigned char b = static_cast<unsigned char>(bytes[i]);
    if (b >= 0x20 && b < 0x80) {
      if (!closing.empty()) {
        if (StartsAt(bytes, i, closing)) {
          i += closing.size();
          closing = {};
          continue;
        }
      } else if (b == '<') {
        if (StartsAt(bytes, i, "<!--")) closing = "-->";
        if (StartsAt(bytes, i, "<![CDATA[")) closing = "]]>";
        if (StartsAt(bytes, i, "<?")) closing = "?>";
      } else if (b == '&' && StartsAt(bytes, i, "&#")) {
        size_t end = i;
        const char32_t c = CharacterReference(bytes, i, end);
        if (c == kNoCharacter) return XmlFault{"malformed character reference", i};
        if (!IsXmlChar(c)) {
          return XmlFault{"character reference '" + std::string(bytes.substr(i, end - i)) +
                              "' to a character XML cannot carry",
                          i};
        }
        i = end;
        continue;
      }
      ++i;
      continue;
    }
    size_t length = 1;
    const char32_t c = DecodeUtf8(bytes, i, length);
    if (c == kNoCharacter) return XmlFault{"bytes that are not UTF-8", i};
    if (!IsXmlChar(c)) return XmlFault{c == 0 ? "a NUL character" : "a control character XML cannot carry", i};
    i += length;
  }
  return std::nullopt;
}

namespace {

// Whether the element's attributes are named as the last element found
// without a duplicate (rows of one table are, so each is sorted once).
bool SameNames(pugi::xml_node node, const std::vector<const char*>& names) {
  size_t i = 0;
  for (const pugi::xml_attribute attribute : node.attributes()) {
    if (i == names.size() || std::strcmp(attribute.name(), names[i]) != 0) return false;
    ++i;
  }
  return i == names.size();
}

}  // namespace

std::optional<XmlFault> DuplicatedAttribute(const pugi::xml_document& document) {
  std::vector<const char*> checked;  // in document order
  std::vector<const char*> names;
  for (pugi::xml_node node = document.first_child(); node;) {
    if (node.type() == pugi::node_element && node.first_attribute() != node.last_attribute() &&
        !SameNames(node, checked)) {
      checked.clear();
      for (const pugi::xml_attribute attribute : node.attributes()) checked.push_back(attribute.name());
      names = checked;
      std::sort(names.begin(), names.end(), [](const char* a, const char* b) { return std::strcmp(a, b) < 0; });
      const auto twice = std::adjacent_find(names.begin(), names.end(),
                                            [](const char* a, const char* b) { return std::strcmp(a, b) == 0; });
      if (twice != names.end()) {
        return XmlFault{"attribute '" + std::string(*twice) + "' given twice in element <" + node.name() + ">",
                        static_cast<size_t>(node.offset_debug())};
      }
    }
    // Depth first, without recursion: a deep document cannot exhaust the stack.
    if (node.first_child()) {
      node = node.first_child();
      continue;
    }
    while (node && !node.next_sibling()) node = node.parent();
    if (node) node = node.next_sibling();
  }
  return std::nullopt;
}

}  // namespace zazorazari::interchange
