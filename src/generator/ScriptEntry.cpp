#include "generator/Sections.h"

#include "model/GbkCodec.h"

#include <algorithm>
#include <stdexcept>

namespace {

bool IsTokenChar(char ch) {
    return ch >= 'A' && ch <= 'Z';
}

} // namespace

TEntryText::TEntryText(std::string_view text) {
    std::string crlf;
    crlf.reserve(text.size() + text.size() / 32);
    for (const char ch : text) {
        if (ch == '\n')
            crlf += '\r';
        crlf += ch;
    }
    const std::string gbk = FixedGbk(crlf);
    LiteralSize = gbk.size();

    TPiece piece;
    for (std::size_t i = 0; i < gbk.size();) {
        if (GbkCharLength(gbk, i) == 2) {
            // A GBK character: its trail byte may read as '{'.
            piece.Literal.append(gbk, i, 2);
            i += 2;
            continue;
        }
        if (gbk[i] == '{') {
            std::size_t end = i + 1;
            while (end < gbk.size() && IsTokenChar(gbk[end]))
                ++end;
            if (end > i + 1 && end < gbk.size() && gbk[end] == '}') {
                const std::string token = gbk.substr(i, end + 1 - i);
                LiteralSize -= token.size();
                const auto known = std::find(Tokens.begin(), Tokens.end(), token);
                piece.Token = std::size_t(known - Tokens.begin());
                if (known == Tokens.end()) {
                    Tokens.push_back(token);
                    TokenCounts.push_back(0);
                }
                ++TokenCounts[piece.Token];
                Pieces.push_back(std::move(piece));
                piece = {};
                i = end + 1;
                continue;
            }
        }
        piece.Literal += gbk[i++];
    }
    Pieces.push_back(std::move(piece));
}

void TEntryText::AppendTo(std::string& entry, std::span<const TNameFill> fills) const {
    // Each token is looked up once, and the entry grows once to its exact size.
    constexpr std::size_t MaxTokens = 32;
    if (Tokens.size() > MaxTokens)
        throw std::logic_error("too many kinds of token in a script text");
    std::string_view names[MaxTokens];
    std::size_t size = entry.size() + LiteralSize;
    for (std::size_t token = 0; token < Tokens.size(); ++token) {
        const auto fill = std::find_if(fills.rbegin(), fills.rend(),
                                       [&](const TNameFill& candidate) { return candidate.first == Tokens[token]; });
        if (fill == fills.rend())
            throw std::logic_error("no name for " + Tokens[token] + " in a script text");
        names[token] = fill->second;
        size += TokenCounts[token] * fill->second.size();
    }
    entry.reserve(size);
    for (const TPiece& piece : Pieces) {
        entry += piece.Literal;
        if (piece.Token != NoToken)
            entry += names[piece.Token];
    }
}

std::string RouterString(std::string_view utf8) {
    return EscapeScriptString(FixedGbk(utf8));
}
