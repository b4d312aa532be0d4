#include "ui/GbkEdge.h"

#include "model/GbkCodec.h"
#include "model/InputRules.h"

#include <QStringDecoder>

namespace {

// Pasted text can hold a lone UTF-16 surrogate. Qt would encode it as '?',
// which would then reach the script as if typed; U+FFFD has no GBK form, so the
// text is refused instead.
std::string Utf8(const QString& text) {
    if (text.isValidUtf16())
        return text.toStdString();
    QString repaired;
    repaired.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            repaired += ch;
            repaired += text[++i];
        } else {
            repaired += ch.isSurrogate() ? QChar(QChar::ReplacementCharacter) : ch;
        }
    }
    return repaired.toStdString();
}

// A leading U+FEFF is a character the operator pasted, not a byte order mark
// to drop.
QString FromUtf8(std::string_view utf8) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decoder(QByteArrayView(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

} // namespace

std::optional<std::string> ToGbk(const QString& text) {
    return Utf8ToGbk(Utf8(text));
}

QString FromGbk(std::string_view gbk) {
    return FromUtf8(GbkToUtf8(gbk));
}

QString TrimmedText(const QString& text) {
    const std::string utf8 = Utf8(text);
    return FromUtf8(TrimText(utf8));
}

std::optional<std::int32_t> IntegerText(const QString& text) {
    return ParseIntText(Utf8(text));
}
