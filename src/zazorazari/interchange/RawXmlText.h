// A document written straight into text, byte for byte as the XML library
// saves a document built of the same elements (raw format, UTF-8, no
// declaration): the whole-database export writes its rows so instead of
// building every row as a node first.
#pragma once

#include <string>
#include <string_view>

namespace zazorazari::interchange {

class RawXmlText {
 public:
  // "<name"; attributes may follow until the start is closed.
  void Open(const char* name);
  // ` name="value"`, the value escaped as the library escapes attributes.
  void Attribute(const char* name, std::string_view value);
  // ">" after the attributes of an element that gets children.
  void EndStart();
  // "/>" for an element without children, or "</name>".
  void CloseEmpty();
  void Close(const char* name);

  const std::string& Text() const { return m_text; }

 private:
  std::string m_text;
};

}  // namespace zazorazari::interchange
