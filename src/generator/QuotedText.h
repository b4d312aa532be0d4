#pragma once

#include <cstddef>
#include <string_view>

// RouterOS's quoted strings as the console reads them: the one scanner that
// the generator's conversion and wrapping and the tests' reader share.

inline bool IsUpperHex(char ch) {
    return (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'F');
}

// The bytes of the escape that the backslash at `at` opens: 3 for a byte
// written \XX, 1 for a backslash that ends the text (the line goes on in the
// next), else 2.
inline std::size_t EscapeLength(std::string_view text, std::size_t at) {
    if (at + 1 >= text.size())
        return 1;
    return at + 2 < text.size() && IsUpperHex(text[at + 1]) && IsUpperHex(text[at + 2]) ? 3 : 2;
}

// Where the string that the quote at `open` opens ends: its closing quote,
// or npos when it goes on past the text.
inline std::size_t QuotedEnd(std::string_view text, std::size_t open) {
    for (std::size_t at = open + 1; at < text.size(); ++at) {
        if (text[at] == '"')
            return at;
        if (text[at] == '\\')
            at += EscapeLength(text, at) - 1;
    }
    return std::string_view::npos;
}
