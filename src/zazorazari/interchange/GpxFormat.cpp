// GPX 1.0 and 1.1 waypoint files: every <wpt> with its lat and lon
// attributes, <name> and <ele> in metres. Other elements are ignored.
#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

#include <pugixml.hpp>

#include "zazorazari/database/Enums.h"
#include "zazorazari/database/FacadeOperation.h"
#include "zazorazari/interchange/TurnpointFile.h"
#include "zazorazari/interchange/Windows1252Text.h"
#include "zazorazari/interchange/XmlDocumentFile.h"
#include "zazorazari/interchange/XmlValueText.h"
#include "zazorazari/interchange/XmlWellFormed.h"
#include "zazorazari/platform/ErrorNumbers.h"

namespace zazorazari::interchange {

namespace {

constexpr const char* kGpxNamespace = "http://www.topografix.com/GPX/1/1";

// The element name without its namespace prefix.
std::string_view LocalName(const pugi::xml_node& node) {
  std::string_view name = node.name();
  const size_t colon = name.find(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

pugi::xml_node Child(const pugi::xml_node& parent, std::string_view localName) {
  for (const pugi::xml_node child : parent.children()) {
    if (LocalName(child) == localName) return child;
  }
  return {};
}

// Line numbers of offsets that only grow, counted once through the text.
class LineCounter {
 public:
  explicit LineCounter(const std::string& text) : m_text(text) {}
  int32_t LineAt(ptrdiff_t offset) {
    const auto end = static_cast<size_t>(std::clamp<ptrdiff_t>(offset, 0, static_cast<ptrdiff_t>(m_text.size())));
    if (end > m_offset) {
      m_line += static_cast<int32_t>(std::count(m_text.begin() + static_cast<ptrdiff_t>(m_offset),
                                                m_text.begin() + static_cast<ptrdiff_t>(end), '\n'));
      m_offset = end;
    }
    return m_line;
  }

 private:
  const std::string& m_text;
  size_t m_offset = 0;
  int32_t m_line = 1;
};

Error CannotLoad(const std::string& path, const std::string& reason) {
  return Error(enumErrorImportXML, FacadeSource("ImportTurnpointsFromFile"),
               "Cannot load '" + path + "': " + reason + ".");
}

double Coordinate(const pugi::xml_node& wpt, const char* name, double limit, int32_t line) {
  const pugi::xml_attribute attribute = wpt.attribute(name);
  if (!attribute) throw FileError(errSubscriptOutOfRange, line, name, "the waypoint has no " + std::string(name));
  const auto value = ReadDecimal(attribute.value());
  if (!value || std::fabs(*value) > limit) {
    throw FileError(errTypeMismatch, line, name, "'" + std::string(attribute.value()) + "' is no coordinate");
  }
  return *value;
}

TurnpointEntry ReadWaypoint(const pugi::xml_node& wpt, int32_t line) {
  TurnpointEntry entry;
  entry.line = line;
  entry.latitude = Coordinate(wpt, "lat", 90, line);
  entry.longitude = Coordinate(wpt, "lon", 180, line);
  const std::string name = Child(wpt, "name").text().get();
  if (!IsValidUtf8(name)) throw FileError(errTypeMismatch, line, "name", "the name is not valid UTF-8");
  const size_t first = name.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) throw FileError(errSubscriptOutOfRange, line, "name", "the waypoint has no name");
  entry.name = name.substr(first, name.find_last_not_of(" \t\r\n") - first + 1);
  if (const pugi::xml_node ele = Child(wpt, "ele")) {
    entry.altitude = ReadDecimal(ele.text().get());
    if (!entry.altitude) {
      throw FileError(errTypeMismatch, line, "ele", "'" + std::string(ele.text().get()) + "' is no elevation");
    }
  }
  return entry;
}

class Gpx final : public TurnpointFileFormat {
 public:
  const char* Name() const override { return "gpx"; }

  std::vector<TurnpointEntry> Read(const std::string& path) const override {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw RuntimeError(errPathFileAccess);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) throw RuntimeError(errPathFileAccess);

    LineCounter lines(text);
    if (const auto fault = CharacterFault(text)) {
      throw CannotLoad(path, fault->what + LineNote(text, fault->offset));
    }
    pugi::xml_document document;
    // The document type is parsed only so that it can be refused: no
    // entity is ever expanded.
    const unsigned options = pugi::parse_default | pugi::parse_doctype;
    const pugi::xml_parse_result result = document.load_buffer(text.data(), text.size(), options);
    if (!result) {
      throw CannotLoad(path, std::string(result.description()) + " (line " +
                                 std::to_string(lines.LineAt(result.offset)) + ")");
    }
    pugi::xml_node root;
    for (const pugi::xml_node node : document.children()) {
      if (node.type() == pugi::node_doctype) throw CannotLoad(path, "document type declarations are not accepted");
      if (node.type() == pugi::node_element) root = node;
    }
    if (LocalName(root) != "gpx") throw CannotLoad(path, "the root element is not <gpx>");
    if (const auto fault = DuplicatedAttribute(document)) {
      throw CannotLoad(path, fault->what + LineNote(text, fault->offset));
    }

    std::vector<TurnpointEntry> entries;
    for (const pugi::xml_node wpt : root.children()) {
      if (LocalName(wpt) == "wpt") entries.push_back(ReadWaypoint(wpt, lines.LineAt(wpt.offset_debug())));
    }
    return entries;
  }

  void Write(std::ostream& out, const TurnpointFileContent& content) const override {
    pugi::xml_document document;
    pugi::xml_node gpx = AppendRootWithDeclaration(document, "gpx");
    gpx.append_attribute("version") = "1.1";
    gpx.append_attribute("creator") = "ZAZorazari";
    gpx.append_attribute("xmlns") = kGpxNamespace;
    for (const auto& entry : content.turnpoints) {
      pugi::xml_node wpt = gpx.append_child("wpt");
      wpt.append_attribute("lat") = ShortestDecimal(entry.latitude).c_str();
      wpt.append_attribute("lon") = ShortestDecimal(entry.longitude).c_str();
      if (entry.altitude) wpt.append_child("ele").text() = ShortestDecimal(*entry.altitude).c_str();
      wpt.append_child("name").text() = XmlSafeText(entry.name).c_str();
    }
    document.save(out, "  ", pugi::format_default, pugi::encoding_utf8);
  }
};

}  // namespace

const TurnpointFileFormat& GpxFormat() {
  static const Gpx format;
  return format;
}

}  // namespace zazorazari::interchange
