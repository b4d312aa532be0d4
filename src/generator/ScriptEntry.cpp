#include "generator/Sections.h"

#include "model/GbkCodec.h"

void AppendEntry(TScriptLines& lines, std::string_view text, std::initializer_list<TNameFill> fills) {
    std::string entry;
    entry.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size();) {
        bool filled = false;
        if (text[i] == '{') {
            for (const auto& [token, name] : fills) {
                if (text.substr(i, token.size()) == token) {
                    entry += name;
                    i += token.size();
                    filled = true;
                    break;
                }
            }
        }
        if (filled)
            continue;
        if (text[i] == '\n')
            entry += '\r';
        entry += text[i];
        ++i;
    }
    lines.push_back(FixedGbk(entry));
}
