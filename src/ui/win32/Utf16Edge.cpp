#include "ui/win32/Utf16Edge.h"

#include <windows.h>

namespace {

bool IsHigh(wchar_t ch) {
    return ch >= 0xD800 && ch <= 0xDBFF;
}
bool IsLow(wchar_t ch) {
    return ch >= 0xDC00 && ch <= 0xDFFF;
}

} // namespace

// Pasted text can hold a lone surrogate. It must reach the checks as a
// character GBK refuses, never as '?' or nothing, so it is made U+FFFD here
// rather than left to the converter's own habits.
std::string ToUtf8(std::wstring_view text) {
    std::wstring repaired(text);
    for (std::size_t i = 0; i < repaired.size(); ++i) {
        if (IsHigh(repaired[i]) && i + 1 < repaired.size() && IsLow(repaired[i + 1]))
            ++i;
        else if (IsHigh(repaired[i]) || IsLow(repaired[i]))
            repaired[i] = 0xFFFD;
    }
    if (repaired.empty())
        return {};
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, repaired.data(), int(repaired.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(std::size_t(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, repaired.data(), int(repaired.size()), utf8.data(), size, nullptr, nullptr);
    return utf8;
}

std::wstring FromUtf8(std::string_view utf8) {
    if (utf8.empty())
        return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    std::wstring text(std::size_t(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), text.data(), size);
    return text;
}
