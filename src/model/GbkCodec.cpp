#include "model/GbkCodec.h"

#include "model/GbkBackend.h"

#include <algorithm>
#include <stdexcept>

namespace {

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

bool GbkCodecReady() {
    return GbkBackend::Ready();
}

std::optional<std::string> Utf8ToGbk(std::string_view utf8) {
    if (IsAscii(utf8))
        return std::string(utf8);
    auto gbk = GbkBackend::Encode(utf8);
    if (!gbk)
        return std::nullopt;
    // A converter may fall back to a look-alike, or drop a character it deems
    // ignorable (ICU drops U+FEFF), without flagging it; only an exact round
    // trip proves the bytes say what the operator typed.
    bool exact = true;
    if (GbkBackend::Decode(*gbk, exact) != utf8 || !exact)
        return std::nullopt;
    return gbk;
}

std::string GbkToUtf8(std::string_view gbk) {
    if (IsAscii(gbk))
        return std::string(gbk);
    bool exact = true;
    return GbkBackend::Decode(gbk, exact);
}

std::string FixedGbk(std::string_view utf8) {
    auto gbk = Utf8ToGbk(utf8);
    if (!gbk)
        throw std::logic_error("fixed script text has no GBK form: " + std::string(utf8));
    return std::move(*gbk);
}
