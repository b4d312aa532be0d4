#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

// A reader for the subset of RouterOS script that Qostrel writes: comments,
// menu lines, `:global`, `add`, `remove [find …]` and `run`, the loop
// `:foreach i in=[find …] do={:do {remove $i} on-error={}}`, quoted strings with
// their escapes, `$variables`, parenthesised expressions with `.` and
// `+ - * /` on 64-bit integers, and the backslash continuation of export
// layout. It imports a script into a plain model of the router, evaluating
// expressions with the script's own globals, and throws on anything outside
// the subset — an unescaped `$` or raw non-ASCII byte in a string included.
// A `{ … }` block, braces balanced outside strings, opens before any change and
// stops (`:error`) only before one; it sees the globals it declares again.
using TRouterValue = std::variant<std::int64_t, std::string>;

struct TRouterItem {
    std::string Menu;
    std::vector<std::pair<std::string, std::string>> Params; // name, evaluated value; in script order

    const std::string& Get(std::string_view name) const; // throws when absent
    bool Has(std::string_view name) const;
};

// Ends the command recorded for the `:foreach` removal.
inline constexpr const char* kEachIgnoringErrors = "(each, errors ignored)";

class TRouterModel {
public:
    std::map<std::string, TRouterValue> Globals;
    std::vector<TRouterItem> Added;
    std::vector<std::string> Commands; // remove and run commands, as "menu: command"; loops as their removal

    void Import(std::string_view script);
    std::vector<const TRouterItem*> In(std::string_view menu) const;
    const TRouterItem& Named(std::string_view menu, std::string_view name) const; // throws when absent
    std::string GlobalText(const std::string& name) const;
};

// The script text as one line per command, export-layout continuations joined.
std::vector<std::string> LogicalLines(std::string_view script);
