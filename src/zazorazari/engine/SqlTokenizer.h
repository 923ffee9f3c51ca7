// Splits the engine's SQL dialect into tokens: names, numbers, quoted texts,
// #date# literals and operators. Anything outside the dialect fails with 3075.
#pragma once

#include <string>
#include <vector>

namespace zazorazari::engine {

enum class TokenKind { Name, Number, Text, Date, Operator, LeftParen, RightParen, Comma, Dot, Star };

struct Token {
  TokenKind kind;
  std::string text;  // a name unquoted, a text literal undoubled, a date's inner text
  bool bracketed = false;  // a [name]: never a keyword
};

// `source` is the error source for a 3075 naming `text`.
std::vector<Token> Tokenize(const std::string& text, const char* source);

}  // namespace zazorazari::engine
