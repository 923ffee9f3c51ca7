// A document written straight into text, byte for byte as the XML library
// saves a document built of the same elements (raw format, UTF-8, no
// declaration): the whole-database export writes its rows so instead of
// building every row as a node first. The text goes out in pieces of about
// `piece` bytes, each ending with an element, so that a large document is
// never held whole.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace zazorazari::interchange {

class RawXmlText {
 public:
  using Sink = std::function<void(std::string&& piece)>;
  explicit RawXmlText(Sink sink, size_t piece = size_t{1} << 20);

  // "<name"; attributes may follow until the start is closed.
  void Open(const char* name);
  // ` name="value"`, the value escaped as the library escapes attributes.
  void Attribute(const char* name, std::string_view value);
  // ">" after the attributes of an element that gets children.
  void EndStart();
  // "/>" for an element without children, or "</name>".
  void CloseEmpty();
  void Close(const char* name);

  // Hands what is left to the sink.
  void Flush();

 private:
  void PieceDone();

  Sink m_sink;
  size_t m_piece;
  std::string m_text;
};

}  // namespace zazorazari::interchange
