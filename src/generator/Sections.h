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
// as GBK with CR LF, or as a source without placeholders.
std::string StoredCode(std::string_view gbk);
std::string StoredSource(std::string_view source);

// Breaks every line of `entry` longer than the v5 text's longest in export
// layout: a line ending in a backslash goes on in the next, which begins with
// four spaces. Inside a quoted string it breaks between two characters or
// escapes, elsewhere after a space between two words; never in a comment.
void WrapLongLines(std::string& entry);

// What a step of the v6/v7 script does, for the report of a stop, which names
// the kinds in this order (routeros/report.rsc). Marking and Tree take one
// step per WAN line, in the order of the lines. The kinds up to Routes only
// check, and change nothing on the router.
enum class TStepKind {
    Checks,
    Config,
    LineCheck,
    Routes,
    Remove,
    Preparation,
    Follower,
    Clearing,
    PcqTypes,
    FastTrack,
    Jumps,
    Marking,
    Routing,
    Roots,
    Tree,
};

// After its header the v6/v7 script is a chain of top-level blocks, the steps.
// The console reads and runs each block on its own, so no block grows with the
// number of lines. A step runs its body only when the global QvStep holds the
// number of the step before it, and sets its own number last: a step that
// stops, or that the console cut or could not parse, leaves every later step
// doing nothing, pasted or imported. The v5 script has no steps.
class TScriptSteps final {
public:
    explicit TScriptSteps(TRouterOs target) : Enabled(target != TRouterOs::V5) {}

    // The entry `lines` writes next opens a step of `kind`, which declares
    // `globals`, the header's that it uses (the router's program declares its
    // own); the step before it ends there. Nothing for v5.
    void Begin(const TScriptWriter& lines, TStepKind kind, std::initializer_list<std::string_view> globals = {});
    // More globals the current step declares.
    void Declare(std::span<const std::string_view> globals);
    void Declare(std::initializer_list<std::string_view> globals) {
        Declare(std::span(globals.begin(), globals.size()));
    }
    // The entries from the next one on stand outside any step.
    void End(const TScriptWriter& lines);
    // Joins each step's entries into one block, opened by its gate and
    // declarations and closed by setting its number.
    void Wrap(std::vector<std::string>& entries) const;

    bool Enabled;
    struct TStep {
        TStepKind Kind;
        std::size_t First, Last; // its entries: [First, Last)
        std::string Globals;     // the step's `:global` lines
    };
    std::vector<TStep> Steps; // step k (from 1) is Steps[k - 1]

private:
    bool Open = false;
};

// What the v6/v7 script takes for its own among the mangle rules, by the shape
// of what every version of Qostrel writes, whatever the interface names were:
// the chains it jumps to end in kOwnChains, the connection marks it sets in
// kOwnConnectionMarks. POSIX regular expressions, as the script writes them
// in a quoted string. A line's chains are its interface name and a suffix;
// the chains that route by Qostrel's marks begin with "Qostrel_".
inline constexpr std::string_view kOwnChains = R"(_(Conn|Qos_up|Qos_down)\$|^Qostrel_)";
inline constexpr std::string_view kOwnConnectionMarks = R"((_Conn|_icmp_connect)\$)";

// The end of the comment of a FastTrack rule that an import disabled: the
// record, in the rule itself, that Qostrel_Remove enables it again.
inline constexpr std::string_view kFastTrackTag = " [Qostrel]";

// A line's connection marks from v6 on, each after "<interface>_": ICMP and
// DNS, the server, the twelve classes, and connections to the router itself.
// Each has a chain "Qostrel_<mark>" that routes it by its line's table.
inline constexpr std::string_view kLineMarks =
    R"({"icmp_connect";"Server_Conn";"1_Conn";"2_Conn";"3_Conn";"4_Conn";"5_Conn";"6_Conn";"7_Conn";"8_Conn";"-1_Conn";"-2_Conn";"-3_Conn";"0_Conn";"In_Conn"})";

// The last block of the v6/v7 script: what a complete run created, or the step
// that stopped; then it removes the helper globals.
void AppendReport(TScriptWriter& lines, const TScriptSteps& steps, std::size_t lineCount);

// The sections after the variable header, in script order.
void AppendRouterCheck(TScriptWriter& lines, TScriptSteps& steps, const TQvVariant& serverVar,
                       const TQvWanList& wanLines, const TQvVariant& lanVar, TRouterOs target);
void AppendRouterPreparation(TScriptWriter& lines, TScriptSteps& steps, const TQvVariant& serverVar,
                             const TQvWanList& wanLines, TRouterOs target);
void AppendPcqTypes(TScriptWriter& lines, TScriptSteps& steps, const TQvVariant& rateRxVar, const TQvVariant& rateTxVar,
                    const TQvVariant& clientVar);
void AppendMangleRules(TScriptWriter& lines, TScriptSteps& steps, const TQvWanList& wanLines, const TQvVariant& lanVar,
                       TRouterOs target);
// Ends the steps with the report of the v6/v7 script, then writes "#ok".
void AppendQueueTree(TScriptWriter& lines, TScriptSteps& steps, const TQvWanList& wanLines, const TQvVariant& lanVar,
                     TRouterOs target);
