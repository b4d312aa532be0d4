#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

// A reader for the subset of RouterOS script that Qostrel writes: comments,
// menu lines, `:global`, `add`, `remove [find …]` and `run`, quoted strings with
// their escapes, `$variables`, parenthesised expressions with `.` and
// `+ - * /` on 64-bit integers, and the backslash continuation of export
// layout. It imports a script into a plain model of the router, evaluating
// expressions with the script's own globals, and throws on anything outside
// the subset — an unescaped `$` or raw non-ASCII byte in a string included.
// Top-level `{ … }` blocks, braces balanced outside strings, are steps: each
// at most kMaxBlockBytes, seeing only the globals it declares, testing
// `$QvStep` against its predecessor's number before any change and setting its
// own last; a stop (`:error`) never follows an add of its block. `:local` and
// `:set` are worked out where the reader can; other `:` commands, loops
// included, are not run.
using TRouterValue = std::variant<std::int64_t, std::string>;

struct TRouterItem {
    std::string Menu;
    std::vector<std::pair<std::string, std::string>> Params; // name, evaluated value; in script order
    std::size_t CommandsBefore = 0;                          // the model's Commands when it was added

    const std::string& Get(std::string_view name) const; // throws when absent
    bool Has(std::string_view name) const;
};

inline constexpr std::size_t kMaxBlockBytes = 16384;

class TRouterModel {
public:
    // The step that the router stops at its first change, or before it sets
    // its number: a refused line or a failed check. 0 for none.
    std::size_t AbortStep = 0;
    std::size_t StepsRun = 0; // steps that set their number
    std::map<std::string, TRouterValue> Globals;
    std::vector<TRouterItem> Added;
    std::vector<std::string> Commands; // remove and run commands, as "menu: command"; loops as their removal

    void Import(std::string_view script);
    std::vector<const TRouterItem*> In(std::string_view menu) const;
    const TRouterItem& Named(std::string_view menu, std::string_view name) const; // throws when absent
    std::string GlobalText(const std::string& name) const;
};

// The script text as one line per command, export-layout continuations joined,
// with the bytes it takes in the script, line ends included.
struct TScriptLine {
    std::string Text;
    std::size_t Bytes;
};
std::vector<TScriptLine> LogicalLines(std::string_view script);
