// The rows of a large database file, held as text and parsed a piece at a
// time, so that the file is never held whole as a parsed document (which
// takes about two and a half times the file's size besides the text). Only
// a file of the shape the export writes is read so: an XML declaration at
// most, the root "ZOLT" without attributes holding container elements
// without attributes, each holding rows without children, nothing but
// blanks between them. Its rows are cut into pieces of about `pieceBytes`;
// every piece is parsed once up front to check it, and again when its rows
// are wanted.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

#include "zazorazari/interchange/XmlRowSource.h"

namespace zazorazari::interchange {

class XmlRowChunks final : public XmlRowSource {
 public:
  static constexpr size_t kPieceBytes = size_t{4} << 20;

  // Nothing when the bytes have another shape, or when a piece fails the
  // parser or has an attribute twice: the whole document is then parsed,
  // which reports the fault where it is. `bytes` must outlive the result.
  static std::unique_ptr<XmlRowChunks> Find(std::string_view bytes, size_t pieceBytes = kPieceBytes);

  void EachElement(const std::string& table, const std::function<void(pugi::xml_node)>& visit) const override;
  // The rows named `row` in the first container named `container`, each
  // with its offset in the file.
  void EachRowOf(const char* container, const char* row,
                 const std::function<void(pugi::xml_node, size_t offset)>& visit) const;

 private:
  // A piece parsed from a copy of its text, which the document points into.
  struct Parsed {
    std::unique_ptr<char[]> text;
    std::unique_ptr<pugi::xml_document> document;
  };
  struct Piece {
    size_t begin = 0;
    size_t end = 0;
    size_t container = 0;            // index into m_containers
    std::vector<std::string> names;  // of its rows, each once
  };

  explicit XmlRowChunks(std::string_view bytes) : m_bytes(bytes) {}
  bool Scan(size_t pieceBytes);
  // No document when the piece fails the parser or has an attribute twice.
  Parsed Parse(const Piece& piece) const;
  void EachRow(const Piece& piece, const std::function<void(pugi::xml_node, size_t offset)>& visit) const;

  std::string_view m_bytes;
  std::vector<std::string> m_containers;
  std::vector<Piece> m_pieces;
};

}  // namespace zazorazari::interchange
