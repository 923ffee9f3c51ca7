// Writing a document as text (see RawXmlText.h).
#include "zazorazari/interchange/RawXmlText.h"

#include <utility>

namespace zazorazari::interchange {

RawXmlText::RawXmlText(Sink sink, size_t piece) : m_sink(std::move(sink)), m_piece(piece) { m_text.reserve(m_piece); }

void RawXmlText::Flush() {
  if (m_text.empty()) return;
  m_sink(std::exchange(m_text, {}));
  m_text.reserve(m_piece);
}

void RawXmlText::PieceDone() {
  if (m_text.size() >= m_piece) Flush();
}

void RawXmlText::Open(const char* name) {
  m_text += '<';
  m_text += name;
}

void RawXmlText::Attribute(const char* name, std::string_view value) {
  m_text += ' ';
  m_text += name;
  m_text += "=\"";
  size_t plain = 0;  // start of the run not yet copied
  for (size_t i = 0; i < value.size(); ++i) {
    const auto c = static_cast<unsigned char>(value[i]);
    if (c >= 0x20 && c != '&' && c != '<' && c != '"') continue;
    m_text.append(value.data() + plain, i - plain);
    plain = i + 1;
    if (c == '&') {
      m_text += "&amp;";
    } else if (c == '<') {
      m_text += "&lt;";
    } else if (c == '"') {
      m_text += "&quot;";
    } else {  // a control character, as two decimal digits
      const char reference[] = {'&', '#', static_cast<char>('0' + c / 10), static_cast<char>('0' + c % 10), ';'};
      m_text.append(reference, sizeof reference);
    }
  }
  m_text.append(value.data() + plain, value.size() - plain);
  m_text += '"';
}

void RawXmlText::EndStart() { m_text += '>'; }

void RawXmlText::CloseEmpty() {
  m_text += "/>";
  PieceDone();
}

void RawXmlText::Close(const char* name) {
  m_text += "</";
  m_text += name;
  m_text += '>';
  PieceDone();
}

}  // namespace zazorazari::interchange
