#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The one place where the windows' Unicode text meets the model's GBK bytes.

// Nullopt when a character has no GBK form; such text is refused, never
// written as '?'.
std::optional<std::string> ToGbk(const QString& text);
QString FromGbk(std::string_view gbk);

// An edit's text trimmed of blanks and controls at both ends.
QString TrimmedText(const QString& text);
// An edit's text read by the integer text rule, untrimmed.
std::optional<std::int32_t> IntegerText(const QString& text);
