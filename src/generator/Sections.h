#pragma once

#include "generator/RouterOs.h"
#include "model/QvVariant.h"
#include "model/QvWan.h"

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

using TNameFill = std::pair<std::string_view, std::string_view>;

// A fixed text of the script, written in the source as it reads in the script:
// LF line ends, UTF-8 Chinese, and {TOKEN} where a variable name goes. It is
// converted once, to CR LF line ends and GBK bytes, and split at its tokens.
class TEntryText final {
public:
    explicit TEntryText(std::string_view text);

    // The entry with every token replaced by the name that fills gives for it.
    std::string Fill(std::initializer_list<TNameFill> fills = {}) const {
        std::string entry;
        AppendTo(entry, std::span(fills.begin(), fills.size()));
        return entry;
    }
    // The same, appended to `entry`.
    void AppendTo(std::string& entry, std::span<const TNameFill> fills) const;

private:
    static constexpr std::size_t NoToken = std::size_t(-1);
    struct TPiece {
        std::string Literal;
        std::size_t Token = NoToken; // index into Tokens of the token after Literal
    };
    std::vector<TPiece> Pieces;
    std::vector<std::string> Tokens;      // each distinct token once
    std::vector<std::size_t> TokenCounts; // how often each stands in the text
    std::size_t LiteralSize = 0;
};

// Writes a script's entries over an entry list from its first entry on. The
// strings an earlier script left there are reused, so writing the script again
// allocates almost nothing; entries left over are dropped at the end.
class TScriptWriter final {
public:
    explicit TScriptWriter(std::vector<std::string>& lines) : Lines(lines) {}
    TScriptWriter(const TScriptWriter&) = delete;
    TScriptWriter& operator=(const TScriptWriter&) = delete;
    ~TScriptWriter() { Lines.resize(Used); }

    // The next entry, holding what an earlier script left: to be overwritten.
    std::string& Next() {
        if (Used == Lines.size())
            Lines.emplace_back();
        return Lines[Used++];
    }
    void Append(std::string_view entry) { Next().assign(entry); }

private:
    std::vector<std::string>& Lines;
    std::size_t Used = 0;
};

inline void AppendEntry(TScriptWriter& lines, const TEntryText& text, std::initializer_list<TNameFill> fills = {}) {
    std::string& entry = lines.Next();
    entry.clear();
    text.AppendTo(entry, std::span(fills.begin(), fills.size()));
}

// A text of the program's own for a quoted string on the router: its GBK bytes
// as \XX escapes, which the terminal takes as they are.
std::string RouterString(std::string_view utf8);

// The sections after the variable header, in script order.
void AppendRouterCheck(TScriptWriter& lines, const TQvVariant& serverVar, const TQvWanList& wanLines,
                       const TQvVariant& lanVar, const TQvVariant& clientVar, const TQvVariant& rateTxVar,
                       const TQvVariant& rateRxVar, TRouterOs target);
void AppendRouterPreparation(TScriptWriter& lines, const TQvVariant& serverVar, const TQvWanList& wanLines,
                             TRouterOs target);
void AppendPcqTypes(TScriptWriter& lines, const TQvVariant& rateRxVar, const TQvVariant& rateTxVar,
                    const TQvVariant& clientVar);
void AppendMangleRules(TScriptWriter& lines, const TQvWanList& wanLines, const TQvVariant& lanVar, TRouterOs target);
void AppendQueueTree(TScriptWriter& lines, const TQvWanList& wanLines, const TQvVariant& lanVar, TRouterOs target);
