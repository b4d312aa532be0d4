#include "ui/qt/GbkEdge.h"

#include <QStringDecoder>

// Pasted text can hold a lone UTF-16 surrogate. Qt would encode it as '?',
// which would then reach the script as if typed; U+FFFD has no GBK form, so the
// text is refused instead.
std::string ToUtf8(const QString& text) {
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
