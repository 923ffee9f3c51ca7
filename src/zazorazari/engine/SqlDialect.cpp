// Translator of the engine's SQL dialect into SQLite SQL with bound literals.
#include "zazorazari/engine/SqlDialect.h"

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <strings.h>

#include "zazorazari/engine/SqlTokenizer.h"
#include "zazorazari/platform/Conversions.h"
#include "zazorazari/platform/ErrorNumbers.h"

namespace zazorazari::engine {

namespace {

bool IsWord(const Token& token, const char* word) {
  return token.kind == TokenKind::Name && !token.bracketed && strcasecmp(token.text.c_str(), word) == 0;
}

// Keywords that pass into SQLite as they stand; every other name is a column.
const char* const kKeywords[] = {"AND", "OR", "NOT", "IS", "NULL", "LIKE", "BETWEEN", "IN"};

const char* KeywordOf(const Token& token) {
  for (const char* keyword : kKeywords)
    if (IsWord(token, keyword)) return keyword;
  return nullptr;
}

bool ReadInt(const std::string& s, size_t& pos, int& value, size_t& digits) {
  const size_t start = pos;
  value = 0;
  while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9' && pos - start < 4)
    value = value * 10 + (s[pos++] - '0');
  digits = pos - start;
  return digits > 0;
}

bool Expect(const std::string& s, size_t& pos, char c) {
  if (pos < s.size() && s[pos] == c) {
    ++pos;
    return true;
  }
  return false;
}

int DaysInMonth(int year, int month) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

// #m/d/yyyy# or #m/d/yyyy h:nn[:ss]# as a day number; nullopt when invalid.
std::optional<double> ParseDateLiteral(const std::string& text) {
  size_t pos = 0, digits = 0;
  while (pos < text.size() && text[pos] == ' ') ++pos;
  int month, day, year, hour = 0, minute = 0, second = 0;
  if (!ReadInt(text, pos, month, digits) || !Expect(text, pos, '/') ||
      !ReadInt(text, pos, day, digits) || !Expect(text, pos, '/') ||
      !ReadInt(text, pos, year, digits))
    return std::nullopt;
  if (digits <= 2) year += year < 30 ? 2000 : 1900;
  size_t end = pos;
  while (end < text.size() && text[end] == ' ') ++end;
  if (end < text.size() && end > pos) {
    pos = end;
    if (!ReadInt(text, pos, hour, digits) || !Expect(text, pos, ':') ||
        !ReadInt(text, pos, minute, digits))
      return std::nullopt;
    if (Expect(text, pos, ':') && !ReadInt(text, pos, second, digits)) return std::nullopt;
    while (pos < text.size() && text[pos] == ' ') ++pos;
  } else {
    pos = end;
  }
  if (pos != text.size() || month < 1 || month > 12 || day < 1 || year < 100 ||
      day > DaysInMonth(year, month) || hour > 23 || minute > 59 || second > 59)
    return std::nullopt;
  const double date = DateSerial(year, month, day);
  const double time = TimeSerial(hour, minute, second);
  return date < 0 ? date - time : date + time;
}

// Access wildcards (* ?) to SQLite's (% _); literal % _ and \ escaped by \.
std::string LikePattern(const std::string& pattern, bool& escaped) {
  std::string out;
  for (size_t i = 0; i < pattern.size(); ++i) {
    char c = pattern[i];
    if (c == '*') {
      out += '%';
      continue;
    }
    if (c == '?') {
      out += '_';
      continue;
    }
    if (c == '[' && i + 2 < pattern.size() && pattern[i + 2] == ']') {
      c = pattern[i + 1];  // [*] [?] [#]: the character itself
      i += 2;
    }
    if (c == '%' || c == '_' || c == '\\') {
      out += '\\';
      escaped = true;
    }
    out += c;
  }
  return out;
}

Variant NumberValue(const std::string& text) {
  if (text.find_first_of(".eE") == std::string::npos) {
    errno = 0;
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    if (errno == 0 && value >= INT32_MIN && value <= INT32_MAX) return Variant(static_cast<int32_t>(value));
  }
  return Variant(std::strtod(text.c_str(), nullptr));
}

// Writes one expression (criteria, or an ORDER BY term) as SQLite SQL.
class ExpressionWriter {
 public:
  ExpressionWriter(const std::string& text, const char* source) : m_text(text), m_source(source) {}

  SqlText Write(const std::vector<Token>& tokens, size_t begin, size_t end) {
    if (begin >= end) Fail();
    SqlText out;
    std::vector<bool> isNullCall;  // one entry per open parenthesis
    bool afterLike = false;
    for (size_t i = begin; i < end; ++i) {
      const Token& token = tokens[i];
      const bool likePattern = afterLike;
      afterLike = false;
      if (!out.empty()) out += " ";
      switch (token.kind) {
        case TokenKind::Name: {
          const bool call = i + 1 < end && tokens[i + 1].kind == TokenKind::LeftParen;
          if (const char* keyword = KeywordOf(token)) {
            out += keyword;
            afterLike = IsWord(token, "LIKE");
          } else if (IsWord(token, "TRUE")) {
            out.AddParam(Variant(-1));
          } else if (IsWord(token, "FALSE")) {
            out.AddParam(Variant(0));
          } else if (call && IsWord(token, "ISNULL")) {
            out += "((";
            isNullCall.push_back(true);
            ++i;
          } else if (call) {
            Fail();  // no other function exists in the dialect
          } else {
            out += QuoteName(token.text);
          }
          break;
        }
        case TokenKind::Number:
          out.AddParam(NumberValue(token.text));
          break;
        case TokenKind::Text:
          if (likePattern) {
            bool escaped = false;
            out.AddParam(Variant(LikePattern(token.text, escaped)));
            if (escaped) out += " ESCAPE '\\'";
          } else {
            out.AddParam(Variant(token.text));
          }
          break;
        case TokenKind::Date: {
          const std::optional<double> days = ParseDateLiteral(token.text);
          if (!days) Fail();
          out.AddParam(Variant::Date(*days));
          break;
        }
        case TokenKind::LeftParen:
          out += "(";
          isNullCall.push_back(false);
          break;
        case TokenKind::RightParen:
          if (isNullCall.empty()) Fail();
          out += isNullCall.back() ? ") IS NULL)" : ")";
          isNullCall.pop_back();
          break;
        case TokenKind::Operator:
        case TokenKind::Comma:
        case TokenKind::Dot:
        case TokenKind::Star:
          out += token.text;
          break;
      }
    }
    if (!isNullCall.empty()) Fail();
    return out;
  }

  [[noreturn]] void Fail() const { throw EngineError(errEngineSyntax, m_source, m_text); }

 private:
  const std::string& m_text;
  const char* m_source;
};

// Index of ORDER (followed by BY) at parenthesis depth 0, or `end`.
size_t FindOrderBy(const std::vector<Token>& tokens, size_t begin, size_t end) {
  int depth = 0;
  for (size_t i = begin; i < end; ++i) {
    if (tokens[i].kind == TokenKind::LeftParen) ++depth;
    if (tokens[i].kind == TokenKind::RightParen) --depth;
    if (depth == 0 && IsWord(tokens[i], "ORDER") && i + 1 < end && IsWord(tokens[i + 1], "BY")) return i;
  }
  return end;
}

std::vector<OrderTerm> WriteOrder(ExpressionWriter& writer, const std::vector<Token>& tokens, size_t begin) {
  std::vector<OrderTerm> terms;
  const size_t end = tokens.size();
  size_t termStart = begin;
  int depth = 0;
  for (size_t i = begin; i <= end; ++i) {
    if (i < end) {
      if (tokens[i].kind == TokenKind::LeftParen) ++depth;
      if (tokens[i].kind == TokenKind::RightParen) --depth;
      if (tokens[i].kind != TokenKind::Comma || depth != 0) continue;
    }
    size_t termEnd = i;
    OrderTerm term;
    if (termEnd > termStart && (IsWord(tokens[termEnd - 1], "DESC") || IsWord(tokens[termEnd - 1], "ASC"))) {
      term.descending = IsWord(tokens[termEnd - 1], "DESC");
      --termEnd;
    }
    term.expression = writer.Write(tokens, termStart, termEnd);
    terms.push_back(std::move(term));
    termStart = i + 1;
  }
  return terms;
}

}  // namespace

std::string QuoteName(const std::string& name) {
  std::string out = "\"";
  for (char c : name) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
  return out;
}

bool IsSelectText(const std::string& text) {
  size_t pos = text.find_first_not_of(" \t\r\n");
  return pos != std::string::npos && text.size() - pos > 6 && strncasecmp(text.c_str() + pos, "SELECT", 6) == 0 &&
         !std::isalnum(static_cast<unsigned char>(text[pos + 6])) && text[pos + 6] != '_';
}

SelectQuery ParseSelect(const std::string& text, const char* source) {
  const std::vector<Token> tokens = Tokenize(text, source);
  ExpressionWriter writer(text, source);
  if (tokens.size() < 4 || !IsWord(tokens[0], "SELECT") || tokens[1].kind != TokenKind::Star ||
      !IsWord(tokens[2], "FROM") || tokens[3].kind != TokenKind::Name)
    writer.Fail();
  SelectQuery query;
  query.source = tokens[3].text;
  size_t pos = 4;
  const size_t orderAt = FindOrderBy(tokens, pos, tokens.size());
  if (pos < orderAt) {
    if (!IsWord(tokens[pos], "WHERE")) writer.Fail();
    query.where = writer.Write(tokens, pos + 1, orderAt);
  }
  if (orderAt < tokens.size()) query.order = WriteOrder(writer, tokens, orderAt + 2);
  return query;
}

DeleteQuery ParseDelete(const std::string& text, const char* source) {
  const std::vector<Token> tokens = Tokenize(text, source);
  ExpressionWriter writer(text, source);
  size_t pos = 1;
  if (tokens.empty() || !IsWord(tokens[0], "DELETE")) writer.Fail();
  if (pos < tokens.size() && tokens[pos].kind == TokenKind::Star) ++pos;
  if (pos + 1 >= tokens.size() || !IsWord(tokens[pos], "FROM") || tokens[pos + 1].kind != TokenKind::Name)
    writer.Fail();
  DeleteQuery query;
  query.table = tokens[pos + 1].text;
  pos += 2;
  if (pos < tokens.size()) {
    if (!IsWord(tokens[pos], "WHERE")) writer.Fail();
    query.where = writer.Write(tokens, pos + 1, tokens.size());
  }
  return query;
}

SqlText TranslateCriteria(const std::string& text, const char* source) {
  const std::vector<Token> tokens = Tokenize(text, source);
  ExpressionWriter writer(text, source);
  return writer.Write(tokens, 0, tokens.size());
}

}  // namespace zazorazari::engine
