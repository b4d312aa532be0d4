#pragma once

#include "model/QvVariant.h"
#include "model/QvWan.h"

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

using TNameFill = std::pair<std::string_view, std::string_view>;

// How a fixed text reaches the router. Console: as the terminal reads it,
// text inside a quoted string as \XX escapes of its GBK bytes (the terminal
// takes 7-bit input only) and Chinese comments as GBK bytes. Code: a stored
// script's source, GBK bytes throughout, to be quoted whole.
enum class TTextKind { Console, Code };

// A fixed text of the script, written in the source as it reads in the script:
// LF line ends, UTF-8 Chinese, and {TOKEN} where a variable name goes. It is
// converted once, to CR LF line ends and GBK bytes, and split at its tokens.
class TEntryText final {
public:
    explicit TEntryText(std::string_view text, TTextKind kind = TTextKind::Console);

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
    // How many entries are written so far.
    std::size_t Size() const { return Used; }

private:
    std::vector<std::string>& Lines;
    std::size_t Used = 0;
};

inline void AppendEntry(TScriptWriter& lines, const TEntryText& text, std::initializer_list<TNameFill> fills = {}) {
    std::string& entry = lines.Next();
    entry.clear();
    text.AppendTo(entry, std::span(fills.begin(), fills.size()));
}

// A stored script's code as a quoted value in export layout: each of its
// lines ends in \r\ and the next goes on with four spaces and \n. The code
// as GBK with CR LF, or as a source with its fills.
std::string StoredCode(std::string_view gbk);
std::string StoredSource(std::string_view source, std::initializer_list<TNameFill> fills = {});

// Breaks every line of `entry` longer than the v5 text's longest in export
// layout: a line ending in a backslash goes on in the next, which begins with
// four spaces. Inside a quoted string it breaks between two characters or
// escapes, elsewhere after a space between two words; never in a comment.
void WrapLongLines(std::string& entry);

// The names of the header's globals but the lines'.
struct THeaderNames {
    std::string_view Server, Lan, Clients, RateRx, RateTx;
};

// The v6/v7 script after its header: its steps, built from one table
// (Steps.cpp), the report and "#ok". Lines are named eth0, eth1, … by place.
void AppendSteps(TScriptWriter& lines, const THeaderNames& names, std::size_t lineCount);
// The number, from 1, of the step that runs `source`, a routeros/*.rsc file
// (a RouterOsSource constant), for line `line` when it takes lines; 0 when no
// step runs it.
std::size_t StepOf(std::string_view source, std::size_t lineCount, std::size_t line = 0);

// The v5 script's sections after the variable header, in script order.
void AppendRouterPreparation(TScriptWriter& lines, const TQvVariant& serverVar, const TQvWanList& wanLines);
void AppendPcqTypes(TScriptWriter& lines, const TQvVariant& rateRxVar, const TQvVariant& rateTxVar,
                    const TQvVariant& clientVar);
void AppendMangleRules(TScriptWriter& lines, const TQvWanList& wanLines, const TQvVariant& lanVar);
// Ends with "#ok".
void AppendQueueTree(TScriptWriter& lines, const TQvWanList& wanLines, const TQvVariant& lanVar);
