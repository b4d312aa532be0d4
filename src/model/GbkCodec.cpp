#include "model/GbkCodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <stdexcept>

namespace {

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

QString DecodeGbk(std::string_view gbk, bool* failed) {
    QStringDecoder decoder("GBK");
    const QString text = decoder.decode(QByteArrayView(gbk.data(), static_cast<qsizetype>(gbk.size())));
    if (failed)
        *failed = !decoder.isValid() || decoder.hasError();
    return text;
}

} // namespace

std::optional<std::string> Utf8ToGbk(std::string_view utf8) {
    if (IsAscii(utf8))
        return std::string(utf8);
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    QStringEncoder encoder("GBK");
    const QByteArray bytes = encoder.encode(text);
    if (!encoder.isValid() || encoder.hasError())
        return std::nullopt;
    // The converter may fall back to a look-alike without flagging it; only an
    // exact round trip proves the bytes say what the operator typed.
    bool failed = false;
    if (DecodeGbk(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), &failed) != text ||
        failed)
        return std::nullopt;
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

std::string GbkToUtf8(std::string_view gbk) {
    if (IsAscii(gbk))
        return std::string(gbk);
    return DecodeGbk(gbk, nullptr).toStdString();
}

std::string FixedGbk(std::string_view utf8) {
    auto gbk = Utf8ToGbk(utf8);
    if (!gbk)
        throw std::logic_error("fixed script text has no GBK form: " + std::string(utf8));
    return std::move(*gbk);
}
