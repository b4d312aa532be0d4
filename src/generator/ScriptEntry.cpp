#include "generator/Sections.h"

#include "model/GbkCodec.h"

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
                piece.Token = gbk.substr(i, end + 1 - i);
                LiteralSize -= piece.Token.size();
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

std::string TEntryText::Fill(std::span<const TNameFill> fills) const {
    std::string entry;
    entry.reserve(LiteralSize + 16 * Pieces.size());
    for (const TPiece& piece : Pieces) {
        entry += piece.Literal;
        if (piece.Token.empty())
            continue;
        const TNameFill* fill = nullptr;
        for (const TNameFill& candidate : fills)
            if (candidate.first == piece.Token)
                fill = &candidate;
        if (!fill)
            throw std::logic_error("no name for " + piece.Token + " in a script text");
        entry += fill->second;
    }
    return entry;
}
