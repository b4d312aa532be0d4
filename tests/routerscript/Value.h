#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A value of a RouterOS script, as the reader holds it.
struct TRouterValue {
    enum TType { Nothing, Str, Num, Bool, Ip, Id, Array, Code };
    TType Type = Nothing;
    std::string Text;                // Str, Ip, Id ("*1F"); Code: its source
    std::int64_t Number = 0;         // Num; Bool: 0 or 1
    std::vector<TRouterValue> Items; // Array
    std::vector<std::string> Keys;   // Array of an item's properties: each item's name

    bool operator==(const TRouterValue&) const = default;
};

namespace RouterScript {

using TValue = TRouterValue;

TValue Make(TValue::TType type, std::string text = {}, std::int64_t number = 0);
TValue Str(std::string text);
TValue Num(std::int64_t number);
TValue Bool(bool truth);
TValue ArrayOf(std::vector<TValue> items);

// As :put prints it; an array's items with ; between.
std::string ToText(const TValue& value);
// A bare word as a value: a number or true or false where it is one.
TValue WordValue(const std::string& word);

// Addresses: a.b.c.d as a number and back, and whether an address lies in a
// prefix "a.b.c.d/len", whatever its host bits.
std::uint32_t IpNumber(const std::string& text);
TValue IpValue(std::uint32_t number);
bool InPrefix(const std::string& ip, const std::string& prefix);

// `~`: a POSIX extended regular expression found in the text.
bool MatchesPattern(const std::string& text, const std::string& pattern);

} // namespace RouterScript
