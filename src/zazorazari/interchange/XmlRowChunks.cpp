// A large database file's rows parsed a piece at a time (see XmlRowChunks.h).
#include "zazorazari/interchange/XmlRowChunks.h"

#include <strings.h>

#include <cstring>

#include "zazorazari/interchange/XmlDocumentFile.h"
#include "zazorazari/interchange/XmlWellFormed.h"

namespace zazorazari::interchange {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool IsNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-' ||
         c == '.' || static_cast<unsigned char>(c) >= 0x80;
}

// Walks the text of the file's skeleton; every step either matches or gives up.
class Cursor {
 public:
  explicit Cursor(std::string_view bytes) : m_bytes(bytes) {}

  size_t Position() const { return m_at; }
  bool AtEnd() const { return m_at == m_bytes.size(); }
  void SkipBlanks() {
    while (m_at < m_bytes.size() && IsBlank(m_bytes[m_at])) ++m_at;
  }
  bool Take(std::string_view text) {
    if (m_bytes.substr(m_at, text.size()) != text) return false;
    m_at += text.size();
    return true;
  }
  // An element name after "<": letters, digits and "_-." (no prefix).
  std::string_view Name() {
    const size_t start = m_at;
    while (m_at < m_bytes.size() && IsNameChar(m_bytes[m_at])) ++m_at;
    return m_bytes.substr(start, m_at - start);
  }
  // The rest of a start tag up to and with its "/>"; false when the tag
  // ends with ">" (the element has children) or the text ends first.
  bool EmptyTagRest() {
    char quote = 0;
    for (; m_at < m_bytes.size(); ++m_at) {
      const char c = m_bytes[m_at];
      if (quote != 0) {
        if (c == quote) quote = 0;
      } else if (c == '"' || c == '\'') {
        quote = c;
      } else if (c == '<' || c == '>') {
        return false;
      } else if (c == '/') {
        if (m_at + 1 >= m_bytes.size() || m_bytes[m_at + 1] != '>') return false;
        m_at += 2;
        return true;
      }
    }
    return false;
  }
  // "<?xml ... ?>" when the text starts with it; "" when there is none.
  std::optional<std::string_view> Declaration() {
    if (m_bytes.substr(m_at, 5) != "<?xml") return std::string_view();
    const size_t end = m_bytes.find("?>", m_at);
    if (end == std::string_view::npos) return std::nullopt;
    const std::string_view declaration = m_bytes.substr(m_at, end + 2 - m_at);
    m_at = end + 2;
    return declaration;
  }

 private:
  std::string_view m_bytes;
  size_t m_at = 0;
};

// The file less its rows (the declaration, the root and the containers)
// parses as a document, and its declaration names UTF-8 or no encoding, as
// the pieces are read.
bool SoundSkeleton(std::string_view declaration, const std::vector<std::string>& containers) {
  std::string skeleton(declaration);
  skeleton += "<ZOLT>";
  for (const std::string& container : containers) skeleton += "<" + container + "/>";
  skeleton += "</ZOLT>";
  pugi::xml_document document;
  if (!document.load_buffer(skeleton.data(), skeleton.size(), kXmlParseOptions | pugi::parse_declaration,
                            pugi::encoding_auto)) {
    return false;
  }
  const char* encoding = document.first_child().attribute("encoding").value();
  return *encoding == '\0' || strcasecmp(encoding, "utf-8") == 0;
}

}  // namespace

std::unique_ptr<XmlRowChunks> XmlRowChunks::Find(std::string_view bytes, size_t pieceBytes) {
  std::unique_ptr<XmlRowChunks> chunks(new XmlRowChunks(bytes));
  if (!chunks->Scan(pieceBytes)) return nullptr;
  for (const Piece& piece : chunks->m_pieces) {
    if (!chunks->Parse(piece).document) return nullptr;
  }
  return chunks;
}

bool XmlRowChunks::Scan(size_t pieceBytes) {
  Cursor cursor(m_bytes);
  cursor.Take("\xEF\xBB\xBF");
  const auto declaration = cursor.Declaration();
  if (!declaration) return false;
  cursor.SkipBlanks();
  if (!cursor.Take("<ZOLT>")) return false;
  for (;;) {
    cursor.SkipBlanks();
    if (cursor.Take("</ZOLT>")) break;
    if (!cursor.Take("<")) return false;
    const std::string container(cursor.Name());
    if (container.empty()) return false;
    m_containers.push_back(container);
    if (cursor.Take("/>")) continue;
    if (!cursor.Take(">")) return false;
    const std::string closing = "</" + container + ">";
    bool open = false;  // a piece of this container is open
    for (;;) {
      cursor.SkipBlanks();
      if (cursor.Take(closing)) break;
      const size_t start = cursor.Position();
      if (!cursor.Take("<")) return false;
      const std::string_view row = cursor.Name();
      if (row.empty() || !cursor.EmptyTagRest()) return false;
      if (!open) {
        m_pieces.push_back({start, start, m_containers.size() - 1, {}});
        open = true;
      }
      Piece& piece = m_pieces.back();
      if (piece.names.empty() || piece.names.back() != row) {
        bool known = false;
        for (const std::string& name : piece.names) known = known || name == row;
        if (!known) piece.names.emplace_back(row);
      }
      piece.end = cursor.Position();
      if (piece.end - piece.begin >= pieceBytes) open = false;
    }
  }
  cursor.SkipBlanks();
  return cursor.AtEnd() && SoundSkeleton(*declaration, m_containers);
}

XmlRowChunks::Parsed XmlRowChunks::Parse(const Piece& piece) const {
  Parsed parsed;
  const size_t size = piece.end - piece.begin;
  parsed.text = std::make_unique_for_overwrite<char[]>(size);
  std::memcpy(parsed.text.get(), m_bytes.data() + piece.begin, size);
  auto document = std::make_unique<pugi::xml_document>();
  if (!document->load_buffer_inplace(parsed.text.get(), size, kXmlParseOptions | pugi::parse_fragment,
                                     pugi::encoding_utf8) ||
      DuplicatedAttribute(*document)) {
    return {};
  }
  parsed.document = std::move(document);
  return parsed;
}

void XmlRowChunks::EachRow(const Piece& piece, const std::function<void(pugi::xml_node, size_t offset)>& visit) const {
  const Parsed parsed = Parse(piece);
  for (const pugi::xml_node row : parsed.document->children()) {
    visit(row, piece.begin + static_cast<size_t>(row.offset_debug()));
  }
}

void XmlRowChunks::EachElement(const std::string& table, const std::function<void(pugi::xml_node)>& visit) const {
  // The root and the containers have no attributes, so the import passes
  // them over: only rows are visited.
  for (const Piece& piece : m_pieces) {
    bool has = false;
    for (const std::string& name : piece.names) has = has || name == table;
    if (!has) continue;
    EachRow(piece, [&](pugi::xml_node row, size_t) {
      if (table == row.name()) visit(row);
    });
  }
}

void XmlRowChunks::EachRowOf(const char* container, const char* row,
                             const std::function<void(pugi::xml_node, size_t offset)>& visit) const {
  size_t first = 0;
  while (first < m_containers.size() && m_containers[first] != container) ++first;
  for (const Piece& piece : m_pieces) {
    if (piece.container != first) continue;
    EachRow(piece, [&](pugi::xml_node node, size_t offset) {
      if (std::strcmp(node.name(), row) == 0) visit(node, offset);
    });
  }
}

}  // namespace zazorazari::interchange
