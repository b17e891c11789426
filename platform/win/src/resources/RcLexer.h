// Tokens of resource scripts, with the preprocessor lines (#define, #undef, #if, #ifdef,
// #ifndef, #elif, #else, #endif) applied and #include ignored.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace winx::rc {

enum class TokenKind { Identifier, Number, String, Punct, End };

struct Token {
    TokenKind kind = TokenKind::End;
    std::wstring text;      // identifier, punctuation, or the decoded string
    std::int64_t value = 0; // numbers
    int line = 0;
};

using Defines = std::map<std::wstring, std::vector<Token>>;

struct Problem {
    int line = 0;
    std::wstring text;
};

struct LexResult {
    std::vector<Token> tokens; // ends with one End token
    Defines defines;
    std::vector<Problem> problems;
};

// Decodes script bytes: UTF-16LE with a byte-order mark, else UTF-8 (a mark is skipped).
std::wstring decodeScript(std::string_view bytes);
LexResult lex(std::wstring_view source);

// Evaluates a preprocessor condition; unknown names are 0.
std::int64_t evaluateCondition(const std::vector<Token>& tokens, const Defines& defines);

} // namespace winx::rc
