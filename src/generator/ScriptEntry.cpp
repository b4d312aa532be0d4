#include "generator/Sections.h"

#include "generator/QuotedText.h"

#include "model/GbkCodec.h"
#include "model/QvVariant.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace {

bool IsTokenChar(char ch) {
    return ch >= 'A' && ch <= 'Z';
}

bool IsAsciiByte(char ch) {
    return static_cast<unsigned char>(ch) < 0x80;
}

// Text inside a quoted string as escapes of its GBK bytes, comments as GBK
// bytes. Non-ASCII anywhere else would reach the router as a raw byte in a
// command: a fault of the source, not of the operator's input.
std::string ConsoleText(std::string_view utf8) {
    std::string text;
    text.reserve(utf8.size() + utf8.size() / 4);
    bool inString = false, inComment = false, blankSoFar = true;
    for (std::size_t i = 0; i < utf8.size();) {
        const char ch = utf8[i];
        if (ch == '\n' && !inString) {
            inComment = false;
            blankSoFar = true;
        } else if (inString && ch == '\\' && i + 1 < utf8.size()) {
            const std::size_t length = EscapeLength(utf8, i); // an escape, or a line going on
            text.append(utf8, i, length);
            i += length;
            continue;
        } else if (inString && !IsAsciiByte(ch)) {
            std::size_t end = i;
            while (end < utf8.size() && !IsAsciiByte(utf8[end]))
                ++end;
            text += EscapeScriptString(FixedGbk(utf8.substr(i, end - i)));
            i = end;
            continue;
        } else if (inString) {
            inString = ch != '"';
        } else if (!inComment) {
            if (ch == '#' && blankSoFar)
                inComment = true;
            else if (ch == '"')
                inString = true;
            else if (!IsAsciiByte(ch))
                throw std::logic_error("non-ASCII outside a string or comment in a script text");
            blankSoFar = blankSoFar && ch == ' ';
        }
        text += ch;
        ++i;
    }
    return FixedGbk(text);
}

} // namespace

TEntryText::TEntryText(std::string_view text, TTextKind kind) {
    const std::string converted = kind == TTextKind::Console ? ConsoleText(text) : FixedGbk(text);
    // A GBK trail byte is never LF.
    std::string gbk;
    gbk.reserve(converted.size() + converted.size() / 32);
    for (const char ch : converted) {
        if (ch == '\n')
            gbk += '\r';
        gbk += ch;
    }
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

std::string StoredSource(std::string_view source, std::initializer_list<TNameFill> fills) {
    return StoredCode(TEntryText(source, TTextKind::Code).Fill(fills));
}

std::string StoredCode(std::string_view gbk) {
    const std::string escaped = EscapeScriptString(gbk);
    std::string layout;
    for (std::size_t at = 0;;) {
        const std::size_t lineEnd = escaped.find("\\0D\\0A", at);
        if (lineEnd == std::string::npos)
            return layout + escaped.substr(at);
        layout += escaped.substr(at, lineEnd - at) + "\\r\\\r\n    \\n";
        at = lineEnd + 6;
    }
}

void WrapLongLines(std::string& entry) {
    // The v5 text's longest line, and the width export layout breaks at.
    constexpr std::size_t Longest = 205, Width = 100, Indent = 4;
    std::string wrapped;
    bool inString = false; // carried from a line that goes on
    for (std::size_t start = 0; start <= entry.size();) {
        const std::size_t end = std::min(entry.find("\r\n", start), entry.size());
        const std::string_view line(entry.data() + start, end - start);
        std::vector<std::size_t> breaks;
        const std::size_t first = line.find_first_not_of(' ');
        const bool comment = !inString && first != std::string_view::npos && line[first] == '#';
        int depth = 0;        // of brackets outside strings: a line breaks between arguments only
        bool opened = false;  // a string began on this line and holds nothing yet
        bool escaped = false; // the string's last character was written as an escape
        for (std::size_t i = 0; !comment && i < line.size();) {
            const char ch = line[i];
            if (!inString) {
                if (ch == '"')
                    inString = opened = true, escaped = false;
                else if (ch == '(' || ch == '[' || ch == '{')
                    ++depth;
                else if (ch == ')' || ch == ']' || ch == '}')
                    --depth;
                else if (ch == ' ' && depth <= 0 && i > first && i + 1 < line.size() && line[i + 1] != ' ')
                    breaks.push_back(i + 1);
                i += GbkCharLength(line, i);
                continue;
            }
            if (ch == '"') {
                inString = false;
                ++i;
                continue;
            }
            // Next to an escape, so that a word of the message stays whole,
            // or after a comma of a list.
            const bool goesOn = ch == '\\' && i + 1 == line.size();
            const bool listed = i > 0 && line[i - 1] == ',';
            if (!opened && !goesOn && (escaped || ch == '\\' || listed) && ch != ' ' && i > 0 && line[i - 1] != ' ')
                breaks.push_back(i);
            opened = false;
            escaped = ch == '\\';
            i += ch == '\\' ? EscapeLength(line, i) : 1;
        }
        std::size_t from = 0;
        if (line.size() > Longest)
            for (std::size_t budget = Width; line.size() - from > budget; budget = Width - Indent) {
                auto next = std::upper_bound(breaks.begin(), breaks.end(), from + budget);
                if (next != breaks.begin() && *std::prev(next) > from)
                    --next; // the last break within the budget, else the first beyond it
                else if (next == breaks.end())
                    break;
                wrapped.append(line.substr(from, *next - from)).append("\\\r\n    ");
                from = *next;
            }
        wrapped.append(line.substr(from));
        if (end == entry.size())
            break;
        wrapped += "\r\n";
        start = end + 2;
    }
    entry = std::move(wrapped);
}
