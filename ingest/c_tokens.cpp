#include "ingest/c_tokens.h"

#include <algorithm>

namespace quillmap::ingest {

namespace {

bool IsWordByte(unsigned char c) {
  return c == '_' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
         c >= 0x80;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

bool IsOneOf(std::string_view token, std::initializer_list<std::string_view> set) {
  return std::find(set.begin(), set.end(), token) != set.end();
}

// Whether a blank goes between two neighbouring tokens.
bool BlankBetween(std::string_view left, std::string_view right) {
  if (IsOneOf(right, {")", "]", "[", ",", ";", "*", "&"})) return false;
  if (IsOneOf(left, {"(", "["})) return false;
  if (right == "(" && left == ")") return false;
  return true;
}

bool IsQualifier(std::string_view token) {
  return IsOneOf(token, {"const", "volatile", "restrict", "__restrict", "__restrict__", "_Atomic",
                         "struct", "union", "enum"});
}

}  // namespace

bool IsWordToken(std::string_view token) {
  return !token.empty() && IsWordByte(static_cast<unsigned char>(token[0]));
}

std::vector<std::string> TokenizeC(std::string_view text) {
  std::vector<std::string> tokens;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const unsigned char c = static_cast<unsigned char>(text[pos]);
    if (IsBlank(static_cast<char>(c))) {
      ++pos;
    } else if (IsWordByte(c)) {
      std::size_t end = pos;
      while (end < text.size() && IsWordByte(static_cast<unsigned char>(text[end]))) ++end;
      tokens.emplace_back(text.substr(pos, end - pos));
      pos = end;
    } else if (text.substr(pos, 3) == "...") {
      tokens.emplace_back("...");
      pos += 3;
    } else {
      tokens.emplace_back(1, static_cast<char>(c));
      ++pos;
    }
  }
  return tokens;
}

std::string JoinTokens(const std::vector<std::string>& tokens) {
  std::string text;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    if (i > 0 && BlankBetween(tokens[i - 1], tokens[i])) text += ' ';
    text += tokens[i];
  }
  return text;
}

std::string NormalizeType(std::string_view type) {
  return JoinTokens(TokenizeC(type));
}

Declaration SplitDeclaration(const std::vector<std::string>& tokens, std::size_t name_index) {
  Declaration result;
  if (name_index >= tokens.size()) {
    result.type = JoinTokens(tokens);
    return result;
  }
  const std::vector<std::string> before(tokens.begin(), tokens.begin() + name_index);
  const std::vector<std::string> after(tokens.begin() + name_index + 1, tokens.end());
  const auto opened = std::count(before.begin(), before.end(), "(");
  const auto closed = std::count(before.begin(), before.end(), ")");
  if (opened > closed) {
    std::vector<std::string> declarator = before;
    declarator.insert(declarator.end(), after.begin(), after.end());
    result.type = JoinTokens(declarator);
    result.name = tokens[name_index];
  } else {
    std::vector<std::string> name = {tokens[name_index]};
    name.insert(name.end(), after.begin(), after.end());
    result.type = JoinTokens(before);
    result.name = JoinTokens(name);
  }
  return result;
}

Declaration CanonicalDeclaration(std::string_view type, std::string_view name) {
  std::vector<std::string> tokens = TokenizeC(type);
  const std::vector<std::string> name_tokens = TokenizeC(name);
  // The identifier is the first word of the name that is no qualifier: "cb" of "(*cb)(int)",
  // "p" of "* const p".
  const auto identifier = std::find_if(name_tokens.begin(), name_tokens.end(), [](auto& token) {
    return IsWordToken(token) && !IsQualifier(token);
  });
  Declaration result;
  std::vector<std::string> rest;
  for (auto it = name_tokens.begin(); it != name_tokens.end(); ++it) {
    if (it == identifier) continue;
    rest.push_back(*it);
  }
  if (identifier != name_tokens.end()) result.name = *identifier;
  tokens.insert(tokens.end(), rest.begin(), rest.end());
  result.type = JoinTokens(tokens);
  return result;
}

}  // namespace quillmap::ingest
