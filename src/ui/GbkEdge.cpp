#include "ui/GbkEdge.h"

#include "model/GbkCodec.h"
#include "ui/InputRules.h"

std::optional<std::string> ToGbk(const QString& text) {
    return Utf8ToGbk(text.toStdString());
}

QString FromGbk(std::string_view gbk) {
    return QString::fromStdString(GbkToUtf8(gbk));
}

QString TrimmedText(const QString& text) {
    const std::string utf8 = text.toStdString();
    const std::string_view trimmed = TrimText(utf8);
    return QString::fromUtf8(trimmed.data(), static_cast<qsizetype>(trimmed.size()));
}

std::optional<std::int32_t> IntegerText(const QString& text) {
    return ParseIntText(text.toStdString());
}
