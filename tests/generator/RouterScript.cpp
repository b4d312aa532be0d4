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

    bool At(char ch) {
        SkipSpaces();
        return Peek() == ch;
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
        if (Text.substr(Pos).starts_with("[:len $")) {
            Pos += 6;
            const std::int64_t length = std::int64_t(ToText(Variable()).size());
            if (!Take(']'))
                Fail("missing ]", Text.substr(Pos));
            return length;
        }
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

std::vector<TScriptLine> LogicalLines(std::string_view script) {
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
    std::vector<TScriptLine> logical;
    for (std::size_t i = 0; i < physical.size(); ++i) {
        TScriptLine line{physical[i], physical[i].size() + 2};
        while (line.Text.ends_with('\\') && i + 1 < physical.size() && physical[i + 1].starts_with("    ")) {
            line.Text.pop_back();
            line.Text += physical[++i].substr(4);
            line.Bytes += physical[i].size() + 2;
        }
        logical.push_back(std::move(line));
    }
    return logical;
}

void TRouterModel::Import(std::string_view script) {
    static const std::regex gateLine(R"(:if \(\$QvStep = (\d+)\) do=\{)"), setStep(R"(:set QvStep (\d+))");
    std::string menu;
    int depth = 0;
    int skipFrom = 0;                      // lines that start this deep or deeper are skipped; 0: none
    std::size_t blockBytes = 0, gates = 0; // the block's size so far; the steps' gates so far
    int gate = -1;                         // the number the block's gate tests, -1 before it
    bool running = false, added = false, blocks = false, topLevelChange = false;
    std::map<std::string, TRouterValue> scope; // the globals the block declares, and its locals
    for (const TScriptLine& scriptLine : LogicalLines(script)) {
        const std::string& line = scriptLine.Text;
        blockBytes += scriptLine.Bytes;
        const std::size_t first = line.find_first_not_of(' ');
        if (first == std::string::npos || line[first] == '#')
            continue;
        const int before = std::exchange(depth, BraceDepthAfter(line, depth));
        if (before == 0 && line == "{") {
            blocks = true;
            blockBytes = scriptLine.Bytes;
            scope.clear();
            gate = -1;
            running = added = false;
            skipFrom = 0;
            continue;
        }
        if (before > 0 && depth == 0) {
            if (blockBytes - 2 > kMaxBlockBytes)
                Fail("a block of " + std::to_string(blockBytes - 2) + " bytes", line);
            continue;
        }
        if (skipFrom > 0 && before >= skipFrom)
            continue;
        skipFrom = 0;
        auto& globals = before == 0 ? Globals : scope;
        TParser parser(std::string_view(line).substr(first), globals);
        std::string word = parser.Word();
        std::smatch found;
        if (word == ":global" ||
            ((word == ":local" || word == ":set") && depth == before && !std::regex_match(line, setStep))) {
            const std::string name = parser.Word();
            if (word == ":global" && parser.AtEnd()) { // a global nobody set holds nothing
                scope[name] = Globals.try_emplace(name, std::string()).first->second;
                continue;
            }
            TRouterValue value = line; // what only the router works out, a command's value above all
            try {
                if (!parser.At('[')) {
                    value = parser.Value();
                    if (!parser.AtEnd())
                        Fail("text after a value", line);
                }
            } catch (const std::runtime_error&) {
                if (word == ":global")
                    throw;
            }
            if (word == ":global" || (word == ":set" && Globals.contains(name)))
                Globals[name] = value;
            globals[name] = std::move(value);
            continue;
        }
        if (before == 0) {
            topLevelChange = true;
        } else if (std::regex_match(line, found, gateLine)) {
            if (before != 1 || gate >= 0 || std::stoul(found[1]) != gates)
                Fail("a step must test its predecessor's number first", line);
            gate = int(gates++);
            running = scope["QvStep"] == TRouterValue(std::int64_t(gate));
            skipFrom = running ? 0 : 2;
            continue;
        } else if (line == "}" || line == "{") {
            running = running && depth > 1; // the gate's body ends, a block of locals opens or ends
            continue;
        } else if (std::regex_match(line, found, setStep)) {
            if (!running || std::stol(found[1]) != gate + 1)
                Fail("a step sets a number not its own", line);
            if (std::size_t(gate + 1) == AbortStep) {
                skipFrom = 1;
                continue;
            }
            Globals["QvStep"] = scope["QvStep"] = std::int64_t(gate + 1);
            ++StepsRun;
            continue;
        } else if (line.starts_with("} else={")) {
            skipFrom = 2; // a step runs one branch
            continue;
        }
        if (before > 0 && word.starts_with(':')) { // not run, nor its body
            if (added && line.find(":error ") != std::string::npos)
                Fail("a stop after an add", line);
            skipFrom = depth > before ? depth : 0;
            continue;
        }
        if (before > 0 && !running)
            Fail("a change outside its step's gate", line);
        if (gate >= 0 && std::size_t(gate + 1) == AbortStep) {
            skipFrom = 1; // refused: the block ends here
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
            TRouterItem item{menu, {}, Commands.size()};
            while (!parser.AtEnd()) {
                const std::string name = parser.Word();
                if (!parser.Take('='))
                    Fail("parameter without value", name);
                item.Params.emplace_back(name, ToText(parser.Value()));
            }
            Added.push_back(std::move(item));
            added = true;
        } else if (word == "remove" || word == "run") {
            Commands.push_back(menu + ": " + word + ' ' + parser.Rest());
        } else {
            Fail("command outside the subset", line);
        }
    }
    if (depth != 0)
        Fail("{ without }", script.substr(script.size() - 2));
    if (blocks && topLevelChange)
        Fail("a change outside the steps", script.substr(0, 0));
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
