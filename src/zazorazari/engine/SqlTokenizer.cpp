// Tokenizer of the engine's SQL dialect.
#include "zazorazari/engine/SqlTokenizer.h"

#include <cctype>

#include "zazorazari/platform/ErrorNumbers.h"

namespace zazorazari::engine {

namespace {

bool IsNameStart(unsigned char c) { return std::isalpha(c) || c == '_' || c >= 0x80; }
bool IsNameChar(unsigned char c) { return IsNameStart(c) || std::isdigit(c); }
bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

class Scanner {
 public:
  Scanner(const std::string& text, const char* source) : m_text(text), m_source(source) {}

  std::vector<Token> Run() {
    while (m_pos < m_text.size()) {
      const char c = m_text[m_pos];
      if (std::isspace(static_cast<unsigned char>(c))) {
        ++m_pos;
      } else if (IsNameStart(static_cast<unsigned char>(c))) {
        ScanName();
      } else if (IsDigit(c) || (c == '.' && m_pos + 1 < m_text.size() && IsDigit(m_text[m_pos + 1]))) {
        ScanNumber();
      } else if (c == '"' || c == '\'') {
        ScanQuoted(c, TokenKind::Text);
      } else if (c == '#') {
        ScanQuoted('#', TokenKind::Date);
      } else if (c == '[') {
        ScanBracketed();
      } else {
        ScanPunctuation(c);
      }
    }
    return std::move(m_tokens);
  }

 private:
  [[noreturn]] void Fail() const { throw EngineError(errEngineSyntax, m_source, m_text); }

  void Push(TokenKind kind, std::string text) { m_tokens.push_back({kind, std::move(text)}); }

  void ScanName() {
    const size_t start = m_pos;
    while (m_pos < m_text.size() && IsNameChar(static_cast<unsigned char>(m_text[m_pos]))) ++m_pos;
    Push(TokenKind::Name, m_text.substr(start, m_pos - start));
  }

  void ScanNumber() {
    const size_t start = m_pos;
    while (m_pos < m_text.size() && IsDigit(m_text[m_pos])) ++m_pos;
    if (m_pos < m_text.size() && m_text[m_pos] == '.') {
      ++m_pos;
      while (m_pos < m_text.size() && IsDigit(m_text[m_pos])) ++m_pos;
    }
    if (m_pos < m_text.size() && (m_text[m_pos] == 'e' || m_text[m_pos] == 'E')) {
      size_t p = m_pos + 1;
      if (p < m_text.size() && (m_text[p] == '+' || m_text[p] == '-')) ++p;
      if (p < m_text.size() && IsDigit(m_text[p])) {
        while (p < m_text.size() && IsDigit(m_text[p])) ++p;
        m_pos = p;
      }
    }
    // "12abc" is neither a number nor a name.
    if (m_pos < m_text.size() && IsNameChar(static_cast<unsigned char>(m_text[m_pos]))) Fail();
    Push(TokenKind::Number, m_text.substr(start, m_pos - start));
  }

  // Text between quote characters, the quote doubled inside; dates between #.
  void ScanQuoted(char quote, TokenKind kind) {
    std::string value;
    ++m_pos;
    for (;;) {
      if (m_pos >= m_text.size()) Fail();
      const char c = m_text[m_pos++];
      if (c == quote) {
        if (kind == TokenKind::Text && m_pos < m_text.size() && m_text[m_pos] == quote) {
          value += quote;
          ++m_pos;
          continue;
        }
        break;
      }
      value += c;
    }
    Push(kind, std::move(value));
  }

  void ScanBracketed() {
    const size_t close = m_text.find(']', m_pos + 1);
    if (close == std::string::npos || close == m_pos + 1) Fail();
    m_tokens.push_back({TokenKind::Name, m_text.substr(m_pos + 1, close - m_pos - 1), true});
    m_pos = close + 1;
  }

  void ScanPunctuation(char c) {
    const char next = m_pos + 1 < m_text.size() ? m_text[m_pos + 1] : '\0';
    switch (c) {
      case '(': Push(TokenKind::LeftParen, "("); break;
      case ')': Push(TokenKind::RightParen, ")"); break;
      case ',': Push(TokenKind::Comma, ","); break;
      case '.': Push(TokenKind::Dot, "."); break;
      case '*': Push(TokenKind::Star, "*"); break;
      case '-':
      case '/':
        if (next == c || (c == '/' && next == '*')) Fail();  // no comments
        Push(TokenKind::Operator, std::string(1, c));
        break;
      case '=':
      case '+':
        Push(TokenKind::Operator, std::string(1, c));
        break;
      case '<':
        if (next == '>' || next == '=') {
          Push(TokenKind::Operator, std::string{c, next});
          ++m_pos;
        } else {
          Push(TokenKind::Operator, "<");
        }
        break;
      case '>':
        if (next == '=') {
          Push(TokenKind::Operator, ">=");
          ++m_pos;
        } else {
          Push(TokenKind::Operator, ">");
        }
        break;
      case '!':
        if (next != '=') Fail();
        Push(TokenKind::Operator, "<>");
        ++m_pos;
        break;
      default:
        Fail();  // ; ? : @ $ & | % and the like are not part of the dialect
    }
    ++m_pos;
  }

  const std::string& m_text;
  const char* m_source;
  size_t m_pos = 0;
  std::vector<Token> m_tokens;
};

}  // namespace

std::vector<Token> Tokenize(const std::string& text, const char* source) {
  return Scanner(text, source).Run();
}

}  // namespace zazorazari::engine
