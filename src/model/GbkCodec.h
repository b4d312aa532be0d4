#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The script, the router's terminal and the operator's old tools all speak GBK
// (code page 936). Everything inside the core is GBK bytes; these are the only
// conversions between it and UTF-8.

// Whether the platform's GBK converter can be opened at all (ICU data or the
// system's code page 936 may be missing). Without it no script can be written.
bool GbkCodecReady();

// Nullopt when the UTF-8 is ill-formed or a character of the text has no exact
// GBK form: such text must be refused, never written as a substitute like '?'.
std::optional<std::string> Utf8ToGbk(std::string_view utf8);

// For display: a byte sequence that is no GBK character becomes U+FFFD.
std::string GbkToUtf8(std::string_view gbk);

// Bytes taken by the character at `at`: 2 for a lead byte (0x81 to 0xFE) with a
// byte after it, else 1. A trail byte can read as ASCII ('@', '\\', '{'), so
// byte-wise scans of GBK text step over whole characters.
constexpr std::size_t GbkCharLength(std::string_view gbk, std::size_t at) {
    const auto byte = static_cast<unsigned char>(gbk[at]);
    return byte >= 0x81 && byte <= 0xFE && at + 1 < gbk.size() ? 2 : 1;
}

// For the program's own fixed texts. A text that does not convert is a
// programming error, so it throws std::logic_error instead of writing a
// damaged script.
std::string FixedGbk(std::string_view utf8);
