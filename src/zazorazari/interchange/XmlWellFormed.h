// What the XML parser lets through but a conforming one refuses as not
// well-formed: bytes that are no UTF-8, characters XML cannot carry (NUL,
// most control characters), character references to them, to surrogates or
// beyond U+10FFFF, and an attribute given twice in one element.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <pugixml.hpp>

namespace zazorazari::interchange {

struct XmlFault {
  std::string what;
  size_t offset;  // where in the document's bytes
};

// The first such fault of a UTF-8 document's bytes; nullopt when there is
// none. Documents in another encoding (a UTF-16 or UTF-32 byte order mark)
// are left to the parser.
std::optional<XmlFault> CharacterFault(std::string_view bytes);

// The first element of the parsed document that carries an attribute twice.
std::optional<XmlFault> DuplicatedAttribute(const pugi::xml_document& document);

// " (line N)" of an offset into the document's bytes.
std::string LineNote(std::string_view bytes, size_t offset);

}  // namespace zazorazari::interchange
