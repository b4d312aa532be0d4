#include "model/GbkBackend.h"

#include "model/GbkCodec.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

// The system's own code page 936: what the operators' clipboard, editors and
// 宋体 use.
namespace {

constexpr UINT kGbk = 936;

int Length(std::string_view text) {
    return static_cast<int>(text.size());
}

// Empty on failure; `flags` decide whether invalid input fails or is replaced.
std::wstring ToWide(UINT codePage, DWORD flags, std::string_view bytes) {
    const int units = MultiByteToWideChar(codePage, flags, bytes.data(), Length(bytes), nullptr, 0);
    if (units <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    MultiByteToWideChar(codePage, flags, bytes.data(), Length(bytes), wide.data(), units);
    return wide;
}

std::string ToUtf8(const std::wstring& wide) {
    const int size = static_cast<int>(wide.size());
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return {};
    std::string utf8(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), bytes, nullptr, nullptr);
    return utf8;
}

} // namespace

namespace GbkBackend {

bool Ready() {
    return IsValidCodePage(kGbk) != 0;
}

std::optional<std::string> Encode(std::string_view utf8) {
    const std::wstring wide = ToWide(CP_UTF8, MB_ERR_INVALID_CHARS, utf8);
    if (wide.empty())
        return std::nullopt;
    const int size = static_cast<int>(wide.size());
    // No best fit: a character without a GBK form must fail, not turn into a
    // look-alike; the used-default flag reports it.
    BOOL usedDefault = FALSE;
    const int bytes =
        WideCharToMultiByte(kGbk, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr, 0, nullptr, &usedDefault);
    if (bytes <= 0 || usedDefault)
        return std::nullopt;
    std::string gbk(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(kGbk, WC_NO_BEST_FIT_CHARS, wide.data(), size, gbk.data(), bytes, nullptr, &usedDefault);
    if (usedDefault)
        return std::nullopt;
    return gbk;
}

std::string Decode(std::string_view gbk, bool& exact) {
    std::wstring wide = ToWide(kGbk, MB_ERR_INVALID_CHARS, gbk);
    exact = !wide.empty();
    if (!exact) {
        // Broken input, for display only: character by character, and U+FFFD
        // for a byte that starts none, whatever Windows would substitute.
        for (std::size_t at = 0; at < gbk.size();) {
            const std::size_t length = GbkCharLength(gbk, at);
            const std::wstring one = ToWide(kGbk, MB_ERR_INVALID_CHARS, gbk.substr(at, length));
            wide += one.empty() ? std::wstring(1, L'\xFFFD') : one;
            at += one.empty() ? 1 : length;
        }
    }
    return ToUtf8(wide);
}

} // namespace GbkBackend
