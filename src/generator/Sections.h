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

using TScriptLines = std::vector<std::string>;
using TNameFill = std::pair<std::string_view, std::string_view>;

// A fixed text of the script, written in the source as it reads in the script:
// LF line ends, UTF-8 Chinese, and {TOKEN} where a variable name goes. It is
// converted once, to CR LF line ends and GBK bytes, and split at its tokens.
class TEntryText final {
public:
    explicit TEntryText(std::string_view text);

    // The entry with every token replaced by the name that fills gives for it.
    std::string Fill(std::initializer_list<TNameFill> fills = {}) const {
        return Fill(std::span(fills.begin(), fills.size()));
    }
    std::string Fill(std::span<const TNameFill> fills) const;

private:
    struct TPiece {
        std::string Literal;
        std::string Token; // follows Literal; empty after the last piece
    };
    std::vector<TPiece> Pieces;
    std::size_t LiteralSize = 0;
};

inline void AppendEntry(TScriptLines& lines, const TEntryText& text, std::initializer_list<TNameFill> fills = {}) {
    lines.push_back(text.Fill(fills));
}

// The sections after the variable header, in script order.
void AppendRouterPreparation(TScriptLines& lines, const TQvVariant& serverVar, const TQvWanList& wanLines,
                             TRouterOs target);
void AppendPcqTypes(TScriptLines& lines, const TQvVariant& rateRxVar, const TQvVariant& rateTxVar,
                    const TQvVariant& clientVar);
void AppendMangleRules(TScriptLines& lines, const TQvWanList& wanLines, const TQvVariant& lanVar);
void AppendQueueTree(TScriptLines& lines, const TQvWanList& wanLines, const TQvVariant& lanVar, TRouterOs target);
