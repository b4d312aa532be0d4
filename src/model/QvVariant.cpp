#include "model/QvVariant.h"

#include "model/GbkCodec.h"

std::string EscapeScriptString(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size());
    const auto appendHex = [&out](unsigned char byte) {
        out += '\\';
        out += kHex[byte >> 4];
        out += kHex[byte & 0x0F];
    };
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char ch = bytes[i];
        const auto byte = static_cast<unsigned char>(ch);
        if (GbkCharLength(bytes, i) == 2) {
            // Both bytes of a GBK character go as escapes.
            appendHex(byte);
            appendHex(static_cast<unsigned char>(bytes[++i]));
        } else if (ch == '"' || ch == '\\' || ch == '$') {
            out += '\\';
            out += ch;
        } else if (ch == '?' || byte < 0x20 || byte >= 0x7F) {
            appendHex(byte);
        } else {
            out += ch;
        }
    }
    return out;
}

std::string TQvVariant::Render(std::string_view integerSuffix) const {
    if (const auto* text = std::get_if<std::string>(&Value))
        return ":global " + Name + " \"" + EscapeScriptString(*text) + '"';
    if (const auto* number = std::get_if<std::int32_t>(&Value))
        // The Mbps suffix is appended as text, so no value can overflow.
        return ":global " + Name + ' ' + std::to_string(*number) + std::string(integerSuffix);
    return "error";
}

std::string TQvVariant::RenderGlobal() const {
    return Render({});
}

std::string TQvVariant::RenderGlobalMbps() const {
    return Render("000000");
}

std::string TQvVariant::AsText() const {
    if (const auto* text = std::get_if<std::string>(&Value))
        return *text;
    if (const auto* number = std::get_if<std::int32_t>(&Value))
        return std::to_string(*number);
    return {};
}

std::int32_t TQvVariant::AsInteger() const {
    const auto* number = std::get_if<std::int32_t>(&Value);
    return number ? *number : 0;
}
