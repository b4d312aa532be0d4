#include "model/GbkBackend.h"

#include <unicode/ucnv.h>
#include <unicode/ustring.h>

#include <memory>

// ICU's "GBK" is its windows-936 table: the code page the operators' PCs use.
namespace {

struct TConverterClose {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using TConverter = std::unique_ptr<UConverter, TConverterClose>;

// Opened once per thread. A converter keeps state between calls, so every
// conversion resets it first.
UConverter* Gbk() {
    thread_local const TConverter converter = [] {
        UErrorCode status = U_ZERO_ERROR;
        TConverter opened(ucnv_open("GBK", &status));
        if (U_FAILURE(status))
            opened.reset();
        return opened;
    }();
    return converter.get();
}

int32_t Length(std::string_view text) {
    return static_cast<int32_t>(text.size());
}

} // namespace

namespace GbkBackend {

bool Ready() {
    return Gbk() != nullptr;
}

std::optional<std::string> Encode(std::string_view utf8) {
    UConverter* gbk = Gbk();
    if (!gbk)
        return std::nullopt;
    // Strict UTF-8: ill-formed input, encoded surrogates included, fails here.
    // No character takes more UTF-16 units than UTF-8 bytes.
    std::u16string text(utf8.size(), u'\0');
    int32_t units = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8(reinterpret_cast<UChar*>(text.data()), Length(utf8), &units, utf8.data(), Length(utf8), &status);
    if (U_FAILURE(status))
        return std::nullopt;
    text.resize(static_cast<std::size_t>(units));

    ucnv_reset(gbk);
    ucnv_setFromUCallBack(gbk, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    std::string bytes(text.size() * 2, '\0');
    const int32_t written = ucnv_fromUChars(gbk, bytes.data(), static_cast<int32_t>(bytes.size()),
                                            reinterpret_cast<const UChar*>(text.data()), units, &status);
    if (U_FAILURE(status))
        return std::nullopt;
    bytes.resize(static_cast<std::size_t>(written));
    return bytes;
}

std::string Decode(std::string_view gbk, bool& exact) {
    UConverter* converter = Gbk();
    if (!converter) {
        exact = false;
        return {};
    }
    // First strictly, to learn whether every byte was a character; then, only
    // for broken input, with U+FFFD for what was not. Every GBK character is in
    // the BMP, so a byte never yields more than one UTF-16 unit.
    std::u16string text(gbk.size(), u'\0');
    const auto toUtf16 = [&](UConverterToUCallback callback) {
        UErrorCode status = U_ZERO_ERROR;
        ucnv_reset(converter);
        ucnv_setToUCallBack(converter, callback, nullptr, nullptr, nullptr, &status);
        const int32_t units = ucnv_toUChars(converter, reinterpret_cast<UChar*>(text.data()), Length(gbk), gbk.data(),
                                            Length(gbk), &status);
        text.resize(U_SUCCESS(status) ? static_cast<std::size_t>(units) : 0);
        return U_SUCCESS(status);
    };
    exact = toUtf16(UCNV_TO_U_CALLBACK_STOP);
    if (!exact) {
        text.resize(gbk.size());
        toUtf16(UCNV_TO_U_CALLBACK_SUBSTITUTE);
    }

    std::string utf8(text.size() * 3, '\0');
    int32_t bytes = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strToUTF8(utf8.data(), static_cast<int32_t>(utf8.size()), &bytes, reinterpret_cast<const UChar*>(text.data()),
                static_cast<int32_t>(text.size()), &status);
    if (U_FAILURE(status)) {
        exact = false;
        return {};
    }
    utf8.resize(static_cast<std::size_t>(bytes));
    return utf8;
}

} // namespace GbkBackend
