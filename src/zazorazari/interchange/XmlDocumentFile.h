// Reading and writing the XML files: a document parsed in place from one
// buffer (no DTD, no entity ever expanded), and a document written to a
// temporary file beside the target and renamed over it when complete.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include <pugixml.hpp>

namespace zazorazari::interchange {

class RawXmlText;

// The parsed document points into its buffer, so both live together.
struct LoadedXmlDocument {
  std::unique_ptr<char[]> buffer;
  size_t size = 0;
  pugi::xml_document document;

  // " (line N)" of a node, for messages.
  std::string LineOf(pugi::xml_node node) const;
};

// Fails with enumErrorImportXML, source "ZAZorazari.CDatabase." + operation,
// "Cannot load '<path>': <reason>." for a file that is missing, unreadable,
// not well-formed (XmlWellFormed.h included), or that carries a document
// type declaration.
std::unique_ptr<LoadedXmlDocument> LoadXmlDocument(const std::string& strPath, const std::string& operation);
// The two halves of LoadXmlDocument: reading the file with its characters
// checked, and parsing what was read with the remaining checks.
std::unique_ptr<LoadedXmlDocument> ReadXmlFile(const std::string& strPath, const std::string& operation);
void ParseXmlDocument(LoadedXmlDocument& loaded, const std::string& strPath, const std::string& operation);

// The parser's options for every file: comments are kept because the
// result import must see them among the pilots; the DOCTYPE is parsed only
// so that it can be refused.
inline constexpr unsigned kXmlParseOptions =
    pugi::parse_default | pugi::parse_comments | pugi::parse_pi | pugi::parse_doctype;

// A new document's root element `name`, after an XML declaration of version
// 1.0 and UTF-8 (the GPX and KML files).
pugi::xml_node AppendRootWithDeclaration(pugi::xml_document& document, const char* name);

// UTF-8 without declaration and without whitespace between elements. A file
// that cannot be written fails with 75 and leaves an existing file as it was.
void SaveXmlDocument(const pugi::xml_document& document, const std::string& strPath);
// The same for a document that `write` makes as text, written to the file a
// piece at a time. `write` may fill the text on another thread, done by the
// time it returns.
void SaveXmlText(const std::string& strPath, const std::function<void(RawXmlText&)>& write);

}  // namespace zazorazari::interchange
