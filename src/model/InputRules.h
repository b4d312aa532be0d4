#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// How both windows read what the operator typed. Texts are UTF-8; every
// character these rules accept or strip is ASCII.

// Strips every character of code 32 or below (space, tab, CR, LF, other
// controls) from both ends.
std::string_view TrimText(std::string_view text);

// Whether a text is a 32-bit integer, and which. Leading spaces (not tabs) are
// skipped; then either decimal with an optional sign, or hexadecimal after
// "$", "x", "X", "0x" or "0X" read as 32-bit two's complement. Nothing may
// follow the digits.
std::optional<std::int32_t> ParseIntText(std::string_view text);
