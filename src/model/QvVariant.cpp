#include "model/QvVariant.h"

#include "model/GbkCodec.h"

namespace {

void AppendEscaped(std::string& out, std::string_view bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
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
}

} // namespace

std::string EscapeScriptString(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    AppendEscaped(out, bytes);
    return out;
}

std::string TQvVariant::Render(std::string_view integerSuffix) const {
    std::string line;
    if (const auto* text = std::get_if<std::string>(&Value)) {
        line.reserve(11 + Name.size() + text->size());
        line += ":global ";
        line += Name;
        line += " \"";
        AppendEscaped(line, *text);
        line += '"';
    } else if (const auto* number = std::get_if<std::int32_t>(&Value)) {
        line.reserve(20 + Name.size() + integerSuffix.size());
        line += ":global ";
        line += Name;
        line += ' ';
        line += std::to_string(*number);
        // The Mbps suffix is appended as text, so no value can overflow.
        line += integerSuffix;
    } else {
        line = "error";
    }
    return line;
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
