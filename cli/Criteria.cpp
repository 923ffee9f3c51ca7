// A small scan of criteria texts: quoted texts and #dates# are passed over,
// words are field names, keywords or functions.
#include "Criteria.h"

#include <strings.h>

#include <cctype>
#include <cstdio>

#include "Refusal.h"
#include "Suggestion.h"
#include <zazorazari/platform/Conversions.h>
#include <zazorazari/platform/Error.h>

namespace zazorazari::cli {

namespace {

constexpr const char* kKeywords[] = {"AND", "OR",  "NOT",  "LIKE",  "IS",     "NULL", "TRUE", "FALSE",
                                     "IN",  "ASC", "DESC", "ESCAPE", "BETWEEN", "XOR", "MOD",  "IMP", "EQV"};

bool IsKeyword(const std::string& word) {
  for (const char* keyword : kKeywords) {
    if (strcasecmp(word.c_str(), keyword) == 0) return true;
  }
  return false;
}

bool IsWordStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// The end of a quoted text or #literal# starting at `start`.
size_t LiteralEnd(const std::string& text, size_t start) {
  const char quote = text[start];
  size_t i = start + 1;
  while (i < text.size()) {
    if (text[i] == quote) {
      if (quote != '#' && i + 1 < text.size() && text[i + 1] == quote) {
        i += 2;
        continue;
      }
      return i + 1;
    }
    ++i;
  }
  return text.size();
}

// The engine's date literal, with the time of day (0:00:00 at midnight).
std::string DateLiteral(double days) {
  const DateParts d = SplitDate(days);
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "#%d/%d/%d %d:%02d:%02d#", d.month, d.day, d.year, d.hour, d.minute, d.second);
  return buffer;
}

std::vector<std::string> FieldNames(const CDataObject& shape) {
  std::vector<std::string> names;
  for (const auto& field : shape) names.push_back(field->Name());
  return names;
}

class Scan {
 public:
  Scan(const CDataObject& shape, const std::string& text, const std::string& option)
      : m_shape(shape), m_text(text), m_option(option) {}

  std::string Run() {
    std::string out;
    size_t i = 0;
    while (i < m_text.size()) {
      const char c = m_text[i];
      if (c == '\'' || c == '"' || c == '#') {
        const size_t end = LiteralEnd(m_text, i);
        out += Literal(m_text.substr(i, end - i));
        i = end;
      } else if (std::isdigit(static_cast<unsigned char>(c))) {
        // A number, exponent included (1E5 is no column).
        size_t end = i;
        while (end < m_text.size() && (IsWordChar(m_text[end]) || m_text[end] == '.')) ++end;
        out += m_text.substr(i, end - i);
        m_dateField.clear();
        i = end;
      } else if (IsWordStart(c)) {
        size_t end = i;
        while (end < m_text.size() && IsWordChar(m_text[end])) ++end;
        Word(m_text.substr(i, end - i), end);
        out += m_text.substr(i, end - i);
        i = end;
      } else {
        // Anything but blanks between a date field and a literal is its operator.
        if (c != ' ' && c != '\t' && std::string("<>=").find(c) == std::string::npos) m_dateField.clear();
        out += c;
        ++i;
      }
    }
    return out;
  }

 private:
  void Word(const std::string& word, size_t end) {
    m_dateField.clear();
    if (IsKeyword(word)) return;
    size_t next = end;
    while (next < m_text.size() && m_text[next] == ' ') ++next;
    if (next < m_text.size() && m_text[next] == '(') return;  // a function
    if (!m_shape.HasField(word)) {
      throw UsageError(m_option + ": '" + m_shape.Name() + "' has no column '" + word + "'." +
                       DidYouMean(word, FieldNames(m_shape)));
    }
    if (m_shape.Fields(word)->DataType() == 8) m_dateField = word;
  }

  // A quoted text compared with a date field is read as a date.
  std::string Literal(const std::string& literal) {
    const std::string field = m_dateField;
    m_dateField.clear();
    if (field.empty() || literal.front() == '#') return literal;
    const std::string inner = literal.substr(1, literal.size() - 2);
    try {
      return DateLiteral(DateFromText(inner));
    } catch (const Error&) {
      throw UsageError(m_option + ": " + field + " is a date; '" + inner +
                       "' is none. Write dates as 'yyyy-mm-dd', 'dd.mm.yyyy' or #m/d/yyyy#.");
    }
  }

  const CDataObject& m_shape;
  const std::string& m_text;
  const std::string& m_option;
  std::string m_dateField;  // the date field just read, until its comparison ends
};

}  // namespace

std::string CheckedCriteria(const CDataObject& shape, const std::string& text, const std::string& option) {
  return Scan(shape, text, option).Run();
}

}  // namespace zazorazari::cli
