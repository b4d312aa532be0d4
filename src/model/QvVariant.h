#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

// One global variable of the generated script, rendered as a `:global` line.
// Texts are GBK bytes, exactly what the script gets.
class TQvVariant final {
public:
    using TValue = std::variant<std::monostate, std::string, std::int32_t>;

    std::string Name;
    TValue Value;

    std::string RenderGlobal() const;
    // An integer value taken as Mbps and written in bit/s.
    std::string RenderGlobalMbps() const;

    // The value as the windows show it: text as is, an integer in decimal, no value empty.
    std::string AsText() const;
    // The integer value; 0 for a text or no value.
    std::int32_t AsInteger() const;

private:
    std::string Render(std::string_view integerSuffix) const;
};

// A text escaped for a RouterOS double-quoted string. Quotes and backslashes
// would end the string or start an escape, `$` would substitute variables and
// run commands, and the terminal takes 7-bit input only; so those become
// escapes, and so does every byte outside printable ASCII, GBK lead and trail
// bytes included (a trail byte can be 0x5C, a backslash).
std::string EscapeScriptString(std::string_view bytes);
