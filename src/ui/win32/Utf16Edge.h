#pragma once

#include <string>
#include <string_view>

// The one place where Windows' UTF-16 meets the windows' UTF-8.

// A lone surrogate becomes U+FFFD, which GBK refuses.
std::string ToUtf8(std::wstring_view text);
std::wstring FromUtf8(std::string_view utf8);
