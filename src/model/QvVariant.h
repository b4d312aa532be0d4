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

// A text escaped for a RouterOS double-quoted string. A quote would end the
// string, a backslash start an escape, and `$` substitute variables and run
// commands: those three are escaped with a backslash. The terminal takes 7-bit
// input only, so `?`, control bytes and every byte from 0x7F up are written as
// \XX hex escapes, both bytes of a GBK character included: its trail byte may
// read as ASCII, even as a backslash (淺 is 9C 5C).
std::string EscapeScriptString(std::string_view bytes);
