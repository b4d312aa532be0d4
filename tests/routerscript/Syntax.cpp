#include "routerscript/Syntax.h"

#include "generator/QuotedText.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace RouterScript {

void Fail(const std::string& what, std::string_view where) {
    throw std::runtime_error(what + " at: " + std::string(where.substr(0, 80)));
}

namespace {

bool IsVarChar(char ch) {
    return std::isalnum(static_cast<unsigned char>(ch)) || ch == '_';
}
bool IsNameChar(char ch) {
    return IsVarChar(ch) || ch == '-' || ch == '.';
}
bool IsVerb(std::string_view word) {
    static const std::set<std::string_view> verbs{"add", "remove", "find", "get", "set", "run", "export"};
    return verbs.contains(word);
}

// Reads commands from text in which each logical line ends in LF. Pasted
// text must hold 7-bit ASCII only; a stored script may hold any byte.
class TParser {
public:
    TParser(std::string_view text, bool pasted) : Text(text), Pasted(pasted) {}

    TScript Script(char end) {
        TScript script;
        while (true) {
            while (Pos < Text.size() && (std::isspace(static_cast<unsigned char>(Text[Pos])) || Text[Pos] == ';'))
                ++Pos;
            if (Pos >= Text.size()) {
                if (end)
                    Fail(std::string("missing ") + end, Text.substr(Text.size() > 40 ? Text.size() - 40 : 0));
                return script;
            }
            if (Text[Pos] == end)
                return script;
            if (Text[Pos] == '#') {
                Pos = std::min(Text.find('\n', Pos), Text.size());
                continue;
            }
            script.Commands.push_back(Command());
        }
    }

private:
    std::string_view Text;
    bool Pasted;
    std::size_t Pos = 0;

    char Peek(std::size_t ahead = 0) const { return Pos + ahead < Text.size() ? Text[Pos + ahead] : '\0'; }
    void Spaces() { // a stored script's lines end in CR LF
        while (Peek() == ' ' || Peek() == '\t' || Peek() == '\r')
            ++Pos;
    }
    bool AtCommandEnd() const {
        const char ch = Peek();
        return ch == '\0' || ch == '\n' || ch == ';' || ch == ']' || ch == '}' || ch == ')';
    }
    void Expect(char ch) {
        Spaces();
        if (Peek() != ch)
            Fail(std::string("expected ") + ch, Text.substr(Pos));
        ++Pos;
    }
    std::string Take(bool (*isPart)(char)) {
        const std::size_t start = Pos;
        while (Pos < Text.size() && isPart(Text[Pos]))
            ++Pos;
        return std::string(Text.substr(start, Pos - start));
    }

    TCommand Command() {
        TCommand command;
        if (Peek() == '{') {
            ++Pos;
            command.Verb = "{";
            command.Block = std::make_shared<TScript>(Script('}'));
            ++Pos;
            return command;
        }
        std::size_t verbAt = Pos;
        if (Peek() == '$') {
            ++Pos;
            command.Verb = "$";
            command.Callee = Take(IsVarChar);
        } else if (Peek() == ':') {
            ++Pos;
            command.Verb = ":" + Take(IsNameChar);
        } else {
            if (Peek() == '/') {
                ++Pos;
                command.Path = "/" + Take(IsNameChar);
                for (Spaces(); !AtCommandEnd(); Spaces()) {
                    verbAt = Pos;
                    const std::string word = Take(IsNameChar);
                    if (IsVerb(word)) {
                        command.Verb = word;
                        break;
                    }
                    if (word.empty())
                        Fail("a menu path", Text.substr(Pos));
                    command.Path += ' ' + word;
                }
            } else {
                command.Verb = Take(IsNameChar);
            }
            if (!command.Verb.empty() && !IsVerb(command.Verb))
                Fail("command outside the subset", Text.substr(verbAt));
        }
        for (Spaces(); !AtCommandEnd(); Spaces())
            command.Args.push_back(Arg(command.Verb));
        command.Source = std::string(Text.substr(verbAt, Pos - verbAt));
        // Neither release parses the other's routing tables, nor v6 without its ipv6 package
        // /ipv6: only :parse code may name them.
        if (Pasted &&
            (command.Path == "/routing table" || command.Named("routing-table") || command.Named("routing-mark")))
            Fail("a routing table outside :parse", command.Source);
        if (Pasted && command.Path.starts_with("/ipv6"))
            Fail("/ipv6 outside :parse", command.Source);
        return command;
    }

    TArg Arg(const std::string& verb) {
        TArg arg;
        const char first = Peek();
        if (std::string_view("\"([{$").find(first) != std::string_view::npos) {
            arg.Value = Value(verb == ":do");
            return arg;
        }
        const std::size_t start = Pos;
        arg.Name = Take(IsNameChar);
        if (Peek() == '=' || Peek() == '~')
            arg.Op = std::string(1, Text[Pos++]);
        else if (Peek() == '!' && Peek(1) == '=')
            arg.Op = (Pos += 2, "!=");
        if (arg.Name.empty() || arg.Op.empty()) {
            Pos = start;
            arg.Name.clear();
            arg.Op.clear();
            arg.Word = BareWord();
            arg.Value.Value = WordValue(arg.Word);
            return arg;
        }
        arg.Value = Value(arg.Name == "do" || arg.Name == "else" || arg.Name == "on-error");
        return arg;
    }

    std::string BareWord() {
        const std::size_t start = Pos;
        while (Pos < Text.size() && !std::isspace(static_cast<unsigned char>(Text[Pos])) &&
               std::string_view(";]})").find(Text[Pos]) == std::string_view::npos) {
            if (Text[Pos] == '"' || Text[Pos] == '$')
                Fail("a quote or $ inside a word", Text.substr(start));
            ++Pos;
        }
        if (start == Pos)
            Fail("expected a value", Text.substr(Pos));
        return std::string(Text.substr(start, Pos - start));
    }

    // One value: a string, (expression), [command], {…}, $variable or word.
    TExpr Value(bool code) {
        switch (Peek()) {
        case '"':
        case '(':
        case '[':
        case '$':
            return Primary();
        case '{':
            return Braces(code);
        default: {
            TExpr expr;
            expr.Value = WordValue(BareWord());
            return expr;
        }
        }
    }

    TExpr Braces(bool code) {
        TExpr expr;
        const std::size_t start = ++Pos;
        if (code) {
            expr.Kind = TExpr::Code;
            expr.Body = std::make_shared<TScript>(Script('}'));
            expr.Source = std::string(Text.substr(start, Pos - start));
            ++Pos;
            return expr;
        }
        expr.Kind = TExpr::List;
        while (true) {
            while (std::isspace(static_cast<unsigned char>(Peek())) || Peek() == ';')
                ++Pos;
            if (Peek() == '}')
                break;
            expr.Parts.push_back(Peek() == '{' ? Braces(false) : Expression(0));
        }
        ++Pos;
        return expr;
    }

    // The operator here and how tightly it binds; 0 for none.
    std::pair<std::string, int> Operator() const {
        static const std::pair<std::string_view, int> operators[] = {
            {"->", 7}, {"||", 1}, {"&&", 2}, {"<=", 3}, {">=", 3}, {"!=", 3}, {"=", 3}, {"<<", 5}, {"<", 3},
            {">", 3},  {"~", 3},  {".", 4},  {",", 4},  {"+", 5},  {"-", 5},  {"&", 5}, {"*", 6},  {"/", 6}};
        for (const auto& [op, precedence] : operators)
            if (Text.substr(Pos, op.size()) == op)
                return {std::string(op), precedence};
        return {};
    }

    TExpr Expression(int lowest) {
        TExpr left = Unary();
        while (true) {
            Spaces();
            const auto [op, precedence] = Operator();
            if (precedence == 0 || precedence < lowest)
                return left;
            Pos += op.size();
            TExpr binary;
            binary.Kind = TExpr::Binary;
            binary.Name = op;
            binary.Parts.push_back(std::move(left));
            binary.Parts.push_back(Expression(precedence + 1));
            left = std::move(binary);
        }
    }

    TExpr Unary() {
        Spaces();
        if (Peek() == '!' && Peek(1) != '=') {
            ++Pos;
            TExpr negated;
            negated.Kind = TExpr::Not;
            negated.Parts.push_back(Unary());
            return negated;
        }
        if (Peek() == '-' && std::isdigit(static_cast<unsigned char>(Peek(1)))) {
            ++Pos;
            TExpr number;
            number.Value =
                Num(-std::stoll(Take([](char ch) { return bool(std::isdigit(static_cast<unsigned char>(ch))); })));
            return number;
        }
        return Primary();
    }

    TExpr Primary() {
        Spaces();
        TExpr expr;
        switch (Peek()) {
        case '(':
            ++Pos;
            expr = Expression(0);
            Expect(')');
            return expr;
        case '"':
            expr.Value = Str(QuotedString());
            return expr;
        case '$':
            ++Pos;
            expr.Kind = TExpr::Var;
            expr.Name = Take(IsVarChar);
            if (expr.Name.empty())
                Fail("a $ without a name", Text.substr(Pos - 1));
            return expr;
        case '[':
            ++Pos;
            Spaces();
            expr.Kind = TExpr::Sub;
            expr.Command = std::make_shared<TCommand>(Command());
            Expect(']');
            return expr;
        case '{':
            return Braces(false);
        default: {
            std::string word = Take(IsVarChar);
            if (word.empty())
                Fail("expected a value", Text.substr(Pos));
            if (std::isdigit(static_cast<unsigned char>(word[0])) && Peek() == '.') { // an address: 255.255.255.255
                word += Take([](char ch) { return bool(std::isdigit(static_cast<unsigned char>(ch))) || ch == '.'; });
                expr.Value = Make(TValue::Ip, word);
                return expr;
            }
            expr.Value = WordValue(word);
            return expr;
        }
        }
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
            if (Pasted && (byte < 0x20 || byte >= 0x7F))
                Fail("raw byte outside 7-bit printable ASCII in a string", Text.substr(Pos - 1));
            if (ch != '\\') {
                out += ch;
                continue;
            }
            if (EscapeLength(Text, Pos - 1) == 3) {
                out += static_cast<char>(std::stoi(std::string(Text.substr(Pos, 2)), nullptr, 16));
                Pos += 2;
                continue;
            }
            const char escaped = Peek();
            const std::string_view plain = "\"\\$?", special = "rnt_", meant = "\r\n\t ";
            if (plain.find(escaped) != std::string_view::npos)
                out += escaped;
            else if (const std::size_t at = special.find(escaped); escaped && at != std::string_view::npos)
                out += meant[at];
            else
                Fail("unknown escape", Text.substr(Pos - 1));
            ++Pos;
        }
    }
};

void CheckDeclared(const TExpr& expr, TDeclared& scopes) {
    const auto declared = [&](const std::string& name) {
        return std::ranges::any_of(scopes, [&](const auto& scope) { return scope.contains(name); });
    };
    if (expr.Kind == TExpr::Var && !declared(expr.Name))
        Fail("$" + expr.Name + " is used in a block that does not declare it", expr.Name);
    if (expr.Kind == TExpr::Sub) {
        TScript sub{{*expr.Command}};
        CheckDeclared(sub, scopes);
    }
    if (expr.Kind == TExpr::Code) {
        scopes.emplace_back();
        CheckDeclared(*expr.Body, scopes);
        scopes.pop_back();
    }
    for (const TExpr& part : expr.Parts)
        CheckDeclared(part, scopes);
}

} // namespace

void CheckDeclared(const TScript& script, TDeclared& scopes) {
    for (const TCommand& command : script.Commands) {
        if (command.Verb == "{") {
            scopes.emplace_back();
            CheckDeclared(*command.Block, scopes);
            scopes.pop_back();
            continue;
        }
        const TArg* name = command.Positional(0);
        const bool declares = command.Verb == ":global" || command.Verb == ":local";
        const bool loops = command.Verb == ":foreach" || command.Verb == ":for";
        if (command.Verb == ":set" || command.Verb == "$") {
            TExpr use;
            use.Kind = TExpr::Var;
            use.Name = command.Verb == "$" ? command.Callee : name ? name->Word : "";
            CheckDeclared(use, scopes);
        }
        if (loops && name)
            scopes.push_back({name->Word});
        for (const TArg& arg : command.Args)
            if (&arg != name || !(declares || loops || command.Verb == ":set"))
                CheckDeclared(arg.Value, scopes);
        if (loops && name)
            scopes.pop_back();
        if (declares && name)
            scopes.back().insert(name->Word);
    }
}

TScript Parse(std::string_view text, bool pasted) {
    return TParser(text, pasted).Script(0);
}

int BraceDepthAfter(std::string_view line, int depth) {
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"')
            i = std::min(QuotedEnd(line, i), line.size());
        else if ((depth += (line[i] == '{') - (line[i] == '}')) < 0)
            Fail("} without {", line);
    }
    return depth;
}

} // namespace RouterScript

using RouterScript::Fail;

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
