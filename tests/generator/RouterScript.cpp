#include "generator/RouterScript.h"

#include <cctype>
#include <regex>
#include <stdexcept>
#include <utility>

namespace {

[[noreturn]] void Fail(const std::string& what, std::string_view where) {
    throw std::runtime_error(what + " at: " + std::string(where.substr(0, 80)));
}

bool IsUpperHex(char ch) {
    return (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'F');
}

bool IsNameChar(char ch) {
    return std::isalnum(static_cast<unsigned char>(ch)) || ch == '_';
}

std::string ToText(const TRouterValue& value) {
    if (const auto* number = std::get_if<std::int64_t>(&value))
        return std::to_string(*number);
    return std::get<std::string>(value);
}

// Reads one statement's tokens from a cursor over a logical line.
class TParser {
public:
    TParser(std::string_view text, const std::map<std::string, TRouterValue>& globals) : Text(text), Globals(globals) {}

    bool AtEnd() {
        SkipSpaces();
        return Pos >= Text.size();
    }

    std::string Word() {
        SkipSpaces();
        const std::size_t start = Pos;
        while (Pos < Text.size() && Text[Pos] != ' ' && Text[Pos] != '=')
            ++Pos;
        return std::string(Text.substr(start, Pos - start));
    }

    bool Take(char ch) {
        if (Pos < Text.size() && Text[Pos] == ch) {
            ++Pos;
            return true;
        }
        return false;
    }

    // A parameter value: quoted string, expression, variable or bare word.
    TRouterValue Value() {
        SkipSpaces();
        if (Peek() == '"')
            return QuotedString();
        if (Peek() == '(')
            return Primary();
        if (Peek() == '$')
            return Variable();
        const std::size_t start = Pos;
        while (Pos < Text.size() && Text[Pos] != ' ')
            ++Pos;
        const std::string word(Text.substr(start, Pos - start));
        if (!word.empty() && word.find_first_not_of("0123456789") == std::string::npos)
            return std::stoll(word);
        return word;
    }

    std::string Rest() {
        SkipSpaces();
        std::string rest(Text.substr(Pos));
        Pos = Text.size();
        return rest;
    }

private:
    std::string_view Text;
    const std::map<std::string, TRouterValue>& Globals;
    std::size_t Pos = 0;

    char Peek() const { return Pos < Text.size() ? Text[Pos] : '\0'; }
    void SkipSpaces() {
        while (Peek() == ' ')
            ++Pos;
    }

    std::string QuotedString() {
        ++Pos;
        std::string out;
        while (true) {
            if (Pos >= Text.size())
                Fail("unterminated string", Text);
            const char ch = Text[Pos++];
            const auto byte = static_cast<unsigned char>(ch);
            if (ch == '"')
                return out;
            if (ch == '$')
                Fail("unescaped $ in a string would substitute", Text.substr(Pos - 1));
            if (byte < 0x20 || byte >= 0x7F)
                Fail("raw byte outside 7-bit printable ASCII in a string", Text.substr(Pos - 1));
            if (ch != '\\') {
                out += ch;
                continue;
            }
            if (Pos + 1 < Text.size() && IsUpperHex(Text[Pos]) && IsUpperHex(Text[Pos + 1])) {
                out += static_cast<char>(std::stoi(std::string(Text.substr(Pos, 2)), nullptr, 16));
                Pos += 2;
                continue;
            }
            switch (Peek()) {
            case '"':
            case '\\':
            case '$':
            case '?':
                out += Text[Pos];
                break;
            case 'r':
                out += '\r';
                break;
            case 'n':
                out += '\n';
                break;
            case 't':
                out += '\t';
                break;
            case '_':
                out += ' ';
                break;
            default:
                Fail("unknown escape", Text.substr(Pos - 1));
            }
            ++Pos;
        }
    }

    TRouterValue Variable() {
        ++Pos;
        const std::size_t start = Pos;
        while (Pos < Text.size() && IsNameChar(Text[Pos]))
            ++Pos;
        const std::string name(Text.substr(start, Pos - start));
        const auto found = Globals.find(name);
        if (found == Globals.end())
            Fail("undefined global $" + name, Text.substr(start - 1));
        return found->second;
    }

    std::int64_t Integer(const TRouterValue& value) {
        if (const auto* number = std::get_if<std::int64_t>(&value))
            return *number;
        Fail("arithmetic on a string", Text.substr(Pos));
    }

    TRouterValue Primary() {
        SkipSpaces();
        if (Take('(')) {
            TRouterValue value = Concatenation();
            SkipSpaces();
            if (!Take(')'))
                Fail("missing )", Text.substr(Pos));
            return value;
        }
        if (Peek() == '$')
            return Variable();
        if (Peek() == '"')
            return QuotedString();
        const std::size_t start = Pos;
        while (Pos < Text.size() && std::isdigit(static_cast<unsigned char>(Text[Pos])))
            ++Pos;
        if (start == Pos)
            Fail("expected a value", Text.substr(Pos));
        return std::stoll(std::string(Text.substr(start, Pos - start)));
    }

    TRouterValue Product() {
        TRouterValue value = Primary();
        for (SkipSpaces(); Peek() == '*' || Peek() == '/'; SkipSpaces()) {
            const char op = Text[Pos++];
            const std::int64_t right = Integer(Primary());
            if (op == '/' && right == 0)
                Fail("division by zero", Text.substr(Pos));
            value = op == '*' ? Integer(value) * right : Integer(value) / right;
        }
        return value;
    }

    TRouterValue Sum() {
        TRouterValue value = Product();
        for (SkipSpaces(); Peek() == '+' || Peek() == '-'; SkipSpaces()) {
            const char op = Text[Pos++];
            const std::int64_t right = Integer(Product());
            value = op == '+' ? Integer(value) + right : Integer(value) - right;
        }
        return value;
    }

    TRouterValue Concatenation() {
        TRouterValue value = Sum();
        for (SkipSpaces(); Peek() == '.'; SkipSpaces()) {
            ++Pos;
            value = ToText(value) + ToText(Sum());
        }
        return value;
    }
};

// The depth of `{` after a line, strings and their escapes skipped.
int BraceDepthAfter(std::string_view line, int depth) {
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"')
            for (++i; i < line.size() && line[i] != '"'; ++i)
                i += line[i] == '\\';
        else if ((depth += (line[i] == '{') - (line[i] == '}')) < 0)
            Fail("} without {", line);
    }
    return depth;
}

} // namespace

const std::string& TRouterItem::Get(std::string_view name) const {
    for (const auto& [key, value] : Params)
        if (key == name)
            return value;
    throw std::runtime_error(Menu + " item has no " + std::string(name));
}

bool TRouterItem::Has(std::string_view name) const {
    for (const auto& param : Params)
        if (param.first == name)
            return true;
    return false;
}

std::vector<std::string> LogicalLines(std::string_view script) {
    if (!script.ends_with("\r\n"))
        throw std::runtime_error("script does not end with CR LF");
    std::vector<std::string> physical;
    for (std::size_t start = 0; start < script.size();) {
        const std::size_t end = script.find("\r\n", start);
        const std::string_view line = script.substr(start, end - start);
        if (line.find_first_of("\r\n") != std::string_view::npos)
            Fail("lone CR or LF", line);
        physical.emplace_back(line);
        start = end + 2;
    }
    std::vector<std::string> logical;
    for (std::size_t i = 0; i < physical.size(); ++i) {
        std::string line = physical[i];
        while (line.ends_with('\\') && i + 1 < physical.size() && physical[i + 1].starts_with("    ")) {
            line.pop_back();
            line += physical[++i].substr(4);
        }
        logical.push_back(std::move(line));
    }
    return logical;
}

void TRouterModel::Import(std::string_view script) {
    std::string menu;
    int depth = 0;
    std::map<std::string, TRouterValue> outside; // a block sees only the globals it declares
    for (const std::string& line : LogicalLines(script)) {
        const std::size_t first = line.find_first_not_of(' ');
        if (first == std::string::npos || line[first] == '#')
            continue;
        const int before = std::exchange(depth, BraceDepthAfter(line, depth));
        const std::size_t changes = Added.size() + Commands.size();
        if (line == "{" && before == 0) {
            if (changes > 0)
                Fail("a change before the block", line);
            outside = std::exchange(Globals, {});
            continue;
        }
        TParser parser(std::string_view(line).substr(first), Globals);
        std::string word = parser.Word();
        if (word == ":global" && before > 0) {
            const auto found = outside.find(parser.Word());
            if (!parser.AtEnd() || found == outside.end())
                Fail("a block declares only the header's globals", line);
            Globals.insert(*found);
            continue;
        }
        if (before > 1 || (before == 1 && (line == "}" || (word.starts_with(':') && word != ":foreach")))) {
            if (changes > 0 && line.find(":error ") != std::string::npos)
                Fail("a stop after a change", line);
            continue;
        }
        if (word == ":global") {
            const std::string name = parser.Word();
            Globals[name] = parser.Value();
            if (!parser.AtEnd())
                Fail("text after a global", line);
            continue;
        }
        if (word.starts_with('/')) {
            menu = word;
            word.clear();
            while (!parser.AtEnd()) {
                std::string next = parser.Word();
                if (next == "add" || next == "remove" || next == "run") {
                    word = std::move(next);
                    break;
                }
                menu += ' ' + next;
            }
            if (word.empty())
                continue; // a menu line alone
        }
        if (word == "add") {
            TRouterItem item{menu, {}};
            while (!parser.AtEnd()) {
                const std::string name = parser.Word();
                if (!parser.Take('='))
                    Fail("parameter without value", name);
                item.Params.emplace_back(name, ToText(parser.Value()));
            }
            Added.push_back(std::move(item));
        } else if (word == "remove" || word == "run") {
            Commands.push_back(menu + ": " + word + ' ' + parser.Rest());
        } else if (word == ":foreach") {
            // Only the guarded removal: each found item, its error ignored.
            const std::string var = parser.Word();
            const std::string rest = parser.Rest();
            std::smatch found;
            if (!std::regex_match(rest, found,
                                  std::regex(R"(in=\[(find [^\]]*)\] do=\{:do \{remove \$(\w+)\} on-error=\{\}\})")) ||
                found[2] != var)
                Fail("loop outside the subset", line);
            Commands.push_back(menu + ": remove [" + found[1].str() + "] " + kEachIgnoringErrors);
        } else {
            Fail("command outside the subset", line);
        }
    }
    if (depth != 0)
        Fail("{ without }", script.substr(script.size() - 2));
    Globals.merge(outside);
}

std::vector<const TRouterItem*> TRouterModel::In(std::string_view menu) const {
    std::vector<const TRouterItem*> items;
    for (const auto& item : Added)
        if (item.Menu == menu)
            items.push_back(&item);
    return items;
}

const TRouterItem& TRouterModel::Named(std::string_view menu, std::string_view name) const {
    for (const auto* item : In(menu))
        if (item->Has("name") && item->Get("name") == name)
            return *item;
    throw std::runtime_error(std::string(menu) + " has no item named " + std::string(name));
}

std::string TRouterModel::GlobalText(const std::string& name) const {
    return ToText(Globals.at(name));
}
