#pragma once

#include <QString>

#include <string>
#include <string_view>

// The one place where Qt's UTF-16 text meets the windows' UTF-8.

// A lone surrogate becomes U+FFFD, which GBK refuses.
std::string ToUtf8(const QString& text);
// A leading U+FEFF stays a character.
QString FromUtf8(std::string_view utf8);
