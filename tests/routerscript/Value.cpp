#include "routerscript/Value.h"

#include <cstdio>
#include <map>
#include <regex>

namespace RouterScript {

TValue Make(TValue::TType type, std::string text, std::int64_t number) {
    TValue value;
    value.Type = type;
    value.Text = std::move(text);
    value.Number = number;
    return value;
}
TValue Str(std::string text) {
    return Make(TValue::Str, std::move(text));
}
TValue Num(std::int64_t number) {
    return Make(TValue::Num, {}, number);
}
TValue Bool(bool truth) {
    return Make(TValue::Bool, {}, truth);
}
TValue ArrayOf(std::vector<TValue> items) {
    TValue value = Make(TValue::Array);
    value.Items = std::move(items);
    return value;
}

std::string ToText(const TValue& value) {
    switch (value.Type) {
    case TValue::Nothing:
        return {};
    case TValue::Num:
        return std::to_string(value.Number);
    case TValue::Bool:
        return value.Number ? "true" : "false";
    case TValue::Array: {
        std::string text;
        for (const TValue& item : value.Items) {
            if (!text.empty())
                text += ';';
            text += ToText(item);
        }
        return text;
    }
    default:
        return value.Text;
    }
}

TValue WordValue(const std::string& word) {
    const std::size_t digits = word.starts_with('-') ? 1 : 0;
    if (word.size() > digits && word.find_first_not_of("0123456789", digits) == std::string::npos)
        return Num(std::stoll(word));
    if (word == "true" || word == "false")
        return Bool(word == "true");
    return Str(word);
}

std::uint32_t IpNumber(const std::string& text) {
    std::uint32_t value = 0;
    int parts[4] = {};
    if (std::sscanf(text.c_str(), "%d.%d.%d.%d", &parts[0], &parts[1], &parts[2], &parts[3]) != 4)
        return value;
    for (const int part : parts)
        value = value << 8 | std::uint32_t(part & 0xFF);
    return value;
}

TValue IpValue(std::uint32_t number) {
    TValue ip = Make(TValue::Ip);
    for (int shift = 24; shift >= 0; shift -= 8)
        ip.Text += std::to_string(number >> shift & 0xFF) + (shift ? "." : "");
    return ip;
}

bool InPrefix(const std::string& ip, const std::string& prefix) {
    const std::size_t slash = prefix.find('/');
    const int length = slash == std::string::npos ? 32 : std::stoi(prefix.substr(slash + 1));
    const std::uint32_t mask = length == 0 ? 0 : ~std::uint32_t(0) << (32 - length);
    return (IpNumber(ip) & mask) == (IpNumber(prefix.substr(0, slash)) & mask);
}

bool MatchesPattern(const std::string& text, const std::string& pattern) {
    static std::map<std::string, std::regex> compiled;
    auto found = compiled.find(pattern);
    if (found == compiled.end())
        found = compiled.emplace(pattern, std::regex(pattern, std::regex::extended)).first;
    return std::regex_search(text, found->second);
}

} // namespace RouterScript
