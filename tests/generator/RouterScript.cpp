#include "generator/RouterScript.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <memory>
#include <regex>
#include <set>
#include <stdexcept>

namespace {

using TValue = TRouterValue;

[[noreturn]] void Fail(const std::string& what, std::string_view where) {
    throw std::runtime_error(what + " at: " + std::string(where.substr(0, 80)));
}

// What the router reports and ends the command with; `:do … on-error=` catches it.
struct TScriptError {
    std::string Message;
};
// The router refuses the step AbortStep; nothing catches it.
struct TRefused {};
// `:return` in code from :parse.
struct TReturn {
    TRouterValue Value;
};

TValue Make(TValue::TType type, std::string text = {}, std::int64_t number = 0) {
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
        for (const TValue& item : value.Items)
            text += (text.empty() ? "" : ";") + ToText(item);
        return text;
    }
    default:
        return value.Text;
    }
}

// A bare word as a value: a number where it is one.
TValue WordValue(const std::string& word) {
    const std::size_t digits = word.starts_with('-') ? 1 : 0;
    if (word.size() > digits && word.find_first_not_of("0123456789", digits) == std::string::npos)
        return Num(std::stoll(word));
    if (word == "true" || word == "false")
        return Bool(word == "true");
    return Str(word);
}

bool IsUpperHex(char ch) {
    return (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'F');
}
bool IsVarChar(char ch) {
    return std::isalnum(static_cast<unsigned char>(ch)) || ch == '_';
}
bool IsNameChar(char ch) {
    return IsVarChar(ch) || ch == '-' || ch == '.';
}
bool IsVerb(std::string_view word) {
    static const std::set<std::string_view> verbs{"add", "remove", "find", "get", "set", "disable", "run", "export"};
    return verbs.contains(word);
}

struct TScript;
struct TCommand;

struct TExpr {
    enum TKind { Literal, Var, Sub, Not, Binary, List, Code };
    TKind Kind = Literal;
    TValue Value;                      // Literal
    std::string Name;                  // Var: its name; Binary: the operator
    std::vector<TExpr> Parts;          // Binary: the operands; List: the elements
    std::shared_ptr<TCommand> Command; // Sub: the command inside [ ]
    std::shared_ptr<TScript> Body;     // Code: the commands inside { }
    std::string Source;                // Code: its text
};

struct TArg {
    std::string Name; // empty for a positional argument
    std::string Op;   // "=", "!=" or "~" after a name
    std::string Word; // a positional bare word, as written
    TExpr Value;
};

struct TCommand {
    std::string Path;   // "/queue tree"; empty: the menu the console is in
    std::string Verb;   // ":if", "add", "{" for a block, "$" for a call, empty for a menu line
    std::string Source; // from the verb on, for the record of commands
    std::vector<TArg> Args;
    std::shared_ptr<TScript> Block; // "{"
    std::string Callee;             // "$"

    const TArg* Positional(std::size_t index) const {
        for (const TArg& arg : Args)
            if (arg.Name.empty() && index-- == 0)
                return &arg;
        return nullptr;
    }
    const TArg* Named(std::string_view name) const {
        for (const TArg& arg : Args)
            if (arg.Name == name)
                return &arg;
        return nullptr;
    }
};

struct TScript {
    std::vector<TCommand> Commands;
};

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
        // Neither release parses the other's routing tables: only :parse code may name them.
        if (Pasted &&
            (command.Path == "/routing table" || command.Named("routing-table") || command.Named("routing-mark")))
            Fail("a routing table outside :parse", command.Source);
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
            {"||", 1}, {"&&", 2},  {"<=", 3}, {">=", 3}, {"!=", 3}, {"=", 3}, {"<<", 5}, {"<", 3}, {">", 3},
            {"~", 3},  {"in ", 3}, {".", 4},  {",", 4},  {"+", 5},  {"-", 5}, {"&", 5},  {"*", 6}, {"/", 6}};
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
            if (IsUpperHex(Peek()) && IsUpperHex(Peek(1))) {
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

// Every variable a block uses must be declared in it before, or the router
// cannot compile the block and runs none of it.
using TDeclared = std::vector<std::set<std::string>>;
void CheckDeclared(const TScript& script, TDeclared& scopes);

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

std::vector<std::string> Ids(const TValue& value) {
    if (value.Type == TValue::Array) {
        std::vector<std::string> ids;
        for (const TValue& item : value.Items)
            ids.push_back(item.Text);
        return ids;
    }
    if (value.Type == TValue::Nothing)
        throw TScriptError{"no such item"};
    return {value.Text};
}

bool MatchesPattern(const std::string& text, const std::string& pattern) {
    static std::map<std::string, std::regex> compiled;
    auto found = compiled.find(pattern);
    if (found == compiled.end())
        found = compiled.emplace(pattern, std::regex(pattern, std::regex::extended)).first;
    return std::regex_search(text, found->second);
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

TRouterValue IpValue(std::uint32_t number) {
    TRouterValue ip;
    ip.Type = TRouterValue::Ip;
    for (int shift = 24; shift >= 0; shift -= 8)
        ip.Text += std::to_string(number >> shift & 0xFF) + (shift ? "." : "");
    return ip;
}

// Whether an address lies in a prefix "a.b.c.d/len", whatever its host bits.
bool InPrefix(const std::string& ip, const std::string& prefix) {
    const std::size_t slash = prefix.find('/');
    const int length = slash == std::string::npos ? 32 : std::stoi(prefix.substr(slash + 1));
    const std::uint32_t mask = length == 0 ? 0 : ~std::uint32_t(0) << (32 - length);
    return (IpNumber(ip) & mask) == (IpNumber(prefix.substr(0, slash)) & mask);
}

// Runs commands on the model, as the router's console does.
class TRunner {
public:
    TRunner(TRouterModel& model, std::string& menu, bool topLevel) : M(model), Menu(menu), TopLevel(topLevel) {
        Scopes.emplace_back();
    }

    void Run(const TScript& script) {
        for (const TCommand& command : script.Commands)
            Exec(command);
    }

    // The block's first command after its `:global` lines; marked while it runs.
    const TCommand* Gate = nullptr;

private:
    TRouterModel& M;
    std::string& Menu;
    bool TopLevel; // a command typed at the prompt sees every global
    struct TSlot {
        bool Global = false;
        TValue Value;
    };
    std::vector<std::map<std::string, TSlot>> Scopes;

    struct TScope {
        TRunner& Runner;
        explicit TScope(TRunner& runner) : Runner(runner) { Runner.Scopes.emplace_back(); }
        ~TScope() { Runner.Scopes.pop_back(); }
    };

    void RunBody(const TExpr& code) {
        if (code.Kind != TExpr::Code)
            Fail("a command block expected", code.Source);
        TScope scope(*this);
        Run(*code.Body);
    }

    TSlot* Find(const std::string& name) {
        for (auto scope = Scopes.rbegin(); scope != Scopes.rend(); ++scope)
            if (const auto found = scope->find(name); found != scope->end())
                return &found->second;
        return nullptr;
    }

    TValue Lookup(const std::string& name) {
        if (const TSlot* slot = Find(name)) {
            if (!slot->Global)
                return slot->Value;
            const auto global = M.Globals.find(name);
            return global == M.Globals.end() ? TValue{} : global->second;
        }
        if (TopLevel && M.Globals.contains(name))
            return M.Globals.at(name);
        Fail("undefined variable $" + name, name);
    }

    void Assign(const std::string& name, TValue value) {
        TSlot* slot = Find(name);
        if (!slot && !(TopLevel && M.Globals.contains(name)))
            Fail(":set of an undeclared variable " + name, name);
        if (slot && !slot->Global)
            slot->Value = std::move(value);
        else if (value.Type == TValue::Nothing)
            M.Globals.erase(name);
        else
            M.Globals[name] = std::move(value);
    }

    // A change of the router's configuration.
    void Change() {
        if (M.Step && !M.InGate)
            Fail("a change outside its step's gate", Menu);
        if (M.Step && M.Step == M.AbortStep)
            throw TRefused{};
    }

    TValue Eval(const TExpr& expr) {
        switch (expr.Kind) {
        case TExpr::Literal:
            return expr.Value;
        case TExpr::Var:
            return Lookup(expr.Name);
        case TExpr::Sub:
            return Exec(*expr.Command);
        case TExpr::Code:
            return Make(TValue::Code, expr.Source);
        case TExpr::List: {
            std::vector<TValue> items;
            for (const TExpr& part : expr.Parts)
                items.push_back(Eval(part));
            return ArrayOf(std::move(items));
        }
        case TExpr::Not: {
            const TValue value = Eval(expr.Parts[0]);
            if (value.Type != TValue::Bool)
                Fail("! of a value that is not true or false", ToText(value));
            return Bool(!value.Number);
        }
        case TExpr::Binary:
            break;
        }
        // Both sides are worked out, whatever the left one gives.
        return Binary(expr.Name, Eval(expr.Parts[0]), Eval(expr.Parts[1]));
    }

    TValue Binary(const std::string& op, const TValue& left, const TValue& right) const {
        if (op == ".")
            return Str(ToText(left) + ToText(right));
        if (op == ",") {
            std::vector<TValue> items;
            for (const TValue* side : {&left, &right})
                if (side->Type == TValue::Array)
                    items.insert(items.end(), side->Items.begin(), side->Items.end());
                else if (side->Type != TValue::Nothing)
                    items.push_back(*side);
            return ArrayOf(std::move(items));
        }
        if (op == "~")
            return Bool(MatchesPattern(ToText(left), ToText(right)));
        if (op == "in " && M.Reading.InOverStringFails && right.Type == TValue::Str)
            throw TScriptError{"in over a string"};
        if (op == "in ")
            return Bool(left.Type == TValue::Ip && InPrefix(left.Text, ToText(right)));
        if (op == "&" && left.Type == TValue::Ip && right.Type == TValue::Ip)
            return IpValue(IpNumber(left.Text) & IpNumber(right.Text));
        if (op == "<<" && left.Type == TValue::Ip && right.Type == TValue::Num)
            return IpValue(right.Number >= 32 ? 0 : IpNumber(left.Text) << right.Number);
        if (op == "&&" || op == "||") {
            if (left.Type != TValue::Bool || right.Type != TValue::Bool)
                Fail(op + " of values that are not true or false", ToText(left) + " " + ToText(right));
            return Bool(op == "&&" ? left.Number && right.Number : left.Number || right.Number);
        }
        const bool numbers = left.Type == TValue::Num && right.Type == TValue::Num;
        if ((op == "=" || op == "!=") && M.Reading.NothingIsUnequal &&
            (left.Type == TValue::Nothing) != (right.Type == TValue::Nothing))
            return Bool(op == "!=");
        if (op == "=" || op == "!=") {
            const bool equal = numbers || (left.Type == TValue::Bool && right.Type == TValue::Bool)
                                   ? left.Number == right.Number
                                   : ToText(left) == ToText(right);
            return Bool(equal == (op == "="));
        }
        if (!numbers)
            Fail(op + " of values that are not numbers", ToText(left) + " " + op + " " + ToText(right));
        const std::int64_t a = left.Number, b = right.Number;
        if (op == "<")
            return Bool(a < b);
        if (op == ">")
            return Bool(a > b);
        if (op == "<=")
            return Bool(a <= b);
        if (op == ">=")
            return Bool(a >= b);
        if (op == "+")
            return Num(a + b);
        if (op == "-")
            return Num(a - b);
        if (op == "*")
            return Num(a * b);
        if (b == 0)
            Fail("division by zero", op);
        return Num(a / b);
    }

    TValue Arg(const TCommand& command, std::size_t index) {
        const TArg* arg = command.Positional(index);
        return arg ? Eval(arg->Value) : TValue{};
    }
    const std::string& Word(const TCommand& command, std::size_t index) {
        const TArg* arg = command.Positional(index);
        if (!arg || arg->Word.empty())
            Fail("a name expected", command.Source);
        return arg->Word;
    }

    TValue Exec(const TCommand& command) {
        if (command.Verb == "{") {
            TScope scope(*this);
            Run(*command.Block);
            return {};
        }
        if (command.Verb == "$") { // code from :parse, as a stored script sees its globals
            const TValue code = Lookup(command.Callee);
            if (code.Type != TValue::Code)
                Fail("a call of a value that is no code", command.Source);
            TParser parser(code.Text, false);
            const TScript script = parser.Script(0);
            TDeclared scopes(1);
            CheckDeclared(script, scopes);
            TRunner runner(M, Menu, false);
            try {
                runner.Run(script);
            } catch (const TReturn& returned) {
                return returned.Value;
            }
            return {};
        }
        if (command.Verb.starts_with(':'))
            return Ice(command);
        if (command.Verb.empty()) {
            Menu = command.Path;
            return {};
        }
        // The command's own path holds for the [find] in its arguments too.
        const std::string menu = command.Path.empty() ? Menu : command.Path;
        const std::string outer = std::exchange(Menu, menu);
        try {
            TValue result = MenuCommand(menu, command);
            Menu = outer;
            return result;
        } catch (...) {
            Menu = outer;
            throw;
        }
    }

    TValue Ice(const TCommand& command) {
        const std::string& verb = command.Verb;
        if (verb == ":global" || verb == ":local" || verb == ":set") {
            const std::string& name = Word(command, 0);
            if (command.Positional(2))
                Fail("text after a value", command.Source);
            TValue value = Arg(command, 1);
            if (verb == ":global") {
                Scopes.back()[name] = {true, {}};
                if (command.Positional(1))
                    M.Globals[name] = std::move(value);
            } else if (verb == ":local") {
                Scopes.back()[name] = {false, std::move(value)};
            } else {
                if (name == "QvStep" && M.Step) {
                    if (value != Num(std::int64_t(M.Step)))
                        Fail("a step sets a number not its own", command.Source);
                    if (M.Step == M.AbortStep)
                        throw TRefused{};
                    ++M.StepsRun;
                }
                Assign(name, std::move(value));
            }
            return {};
        }
        if (verb == ":if") {
            const TValue condition = Arg(command, 0);
            if (condition.Type != TValue::Bool)
                Fail(":if on a value that is not true or false", command.Source);
            const TArg* body = command.Named(condition.Number ? "do" : "else");
            const bool gate = &command == Gate;
            M.InGate = M.InGate || gate;
            if (body)
                RunBody(body->Value);
            M.InGate = M.InGate && !gate;
            return {};
        }
        if (verb == ":foreach" || verb == ":for") {
            const std::string& name = Word(command, 0);
            std::vector<TValue> values;
            if (verb == ":foreach") {
                const TValue all = Eval(command.Named("in")->Value);
                if (all.Type == TValue::Array)
                    values = all.Items;
                else if (all.Type != TValue::Nothing)
                    values.push_back(all);
            } else {
                const std::int64_t from = Eval(command.Named("from")->Value).Number,
                                   to = Eval(command.Named("to")->Value).Number;
                const TArg* step = command.Named("step");
                const std::int64_t by = step ? Eval(step->Value).Number : from <= to ? 1 : -1;
                if (by == 0 || (to - from) / by > 100000)
                    Fail("a loop that does not end", command.Source);
                for (std::int64_t at = from; by > 0 ? at <= to : at >= to; at += by)
                    values.push_back(Num(at));
            }
            for (const TValue& value : values) {
                TScope scope(*this);
                Scopes.back()[name] = {false, value};
                RunBody(command.Named("do")->Value);
            }
            return {};
        }
        if (verb == ":while") {
            for (int round = 0;; ++round) {
                const TValue condition = Arg(command, 0);
                if (condition.Type != TValue::Bool || round > 100000)
                    Fail("a loop that does not end", command.Source);
                if (!condition.Number)
                    return {};
                RunBody(command.Named("do")->Value);
            }
        }
        if (verb == ":do") {
            try {
                RunBody(command.Positional(0)->Value);
            } catch (const TScriptError&) {
                const TArg* onError = command.Named("on-error");
                if (!onError)
                    throw;
                RunBody(onError->Value);
            }
            return {};
        }
        if (verb == ":put") {
            M.Output.push_back(ToText(Arg(command, 0)));
            return {};
        }
        if (verb == ":log") {
            M.Log.push_back(Word(command, 0) + ": " + ToText(Arg(command, 1)));
            return {};
        }
        if (verb == ":return")
            throw TReturn{Arg(command, 0)};
        if (verb == ":error") {
            if (M.AddedInBlock)
                Fail("a stop after an add", command.Source);
            throw TScriptError{ToText(Arg(command, 0))};
        }
        return Function(command);
    }

    TValue Function(const TCommand& command) {
        const std::string& verb = command.Verb;
        const TValue value = Arg(command, 0);
        const std::string text = ToText(value);
        if (verb == ":typeof") {
            static const char* names[] = {"nothing", "str", "num", "bool", "ip", "id", "array", "code"};
            return Str(names[value.Type]);
        }
        if (verb == ":len")
            return Num(value.Type == TValue::Array     ? std::int64_t(value.Items.size())
                       : value.Type == TValue::Nothing ? 0
                       : value.Type == TValue::Id      ? 1
                                                       : std::int64_t(text.size()));
        if (verb == ":tostr")
            return Str(text);
        if (verb == ":tonum") {
            const TValue number = WordValue(text);
            return number.Type == TValue::Num ? number : TValue{};
        }
        if (verb == ":toip") {
            static const std::regex ip(R"((\d{1,3})\.(\d{1,3})\.(\d{1,3})\.(\d{1,3}))");
            std::smatch parts;
            if (!std::regex_match(text, parts, ip))
                return {};
            std::string canonical;
            for (int part = 1; part <= 4; ++part) {
                if (std::stoi(parts[part]) > 255)
                    return {};
                canonical += (part > 1 ? "." : "") + std::to_string(std::stoi(parts[part]));
            }
            return Make(TValue::Ip, canonical);
        }
        if (verb == ":toarray" && value.Type == TValue::Array)
            return value;
        if (verb == ":toarray") { // "a,b" splits at its commas
            std::vector<TValue> items;
            for (std::size_t from = 0; from < text.size();) {
                const std::size_t comma = std::min(text.find(',', from), text.size());
                items.push_back(Str(text.substr(from, comma - from)));
                from = comma + 1;
            }
            return ArrayOf(std::move(items));
        }
        if (verb == ":parse" && M.Version.starts_with("6.") && text.find("/routing table") != std::string::npos)
            throw TScriptError{"bad command name table"}; // v6 has no such menu to parse
        if (verb == ":parse")
            return Make(TValue::Code, text);
        if (verb == ":find" && value.Type != TValue::Array && !command.Positional(2)) {
            const std::size_t at = text.find(ToText(Arg(command, 1)));
            return at == std::string::npos ? TValue{} : Num(std::int64_t(at));
        }
        if (verb == ":pick") {
            const TValue from = Arg(command, 1), to = Arg(command, 2);
            if (from.Type != TValue::Num || (command.Positional(2) && to.Type != TValue::Num))
                Fail(":pick between values that are not numbers", command.Source);
            if (value.Type == TValue::Array && !command.Positional(2))
                return std::size_t(from.Number) < value.Items.size() ? value.Items[std::size_t(from.Number)] : TValue{};
            const std::size_t start = std::min(std::size_t(std::max<std::int64_t>(from.Number, 0)), text.size());
            const std::size_t end =
                command.Positional(2) ? std::size_t(std::max<std::int64_t>(to.Number, 0)) : start + 1;
            if (value.Type != TValue::Array)
                return Str(text.substr(start, end > start ? end - start : 0));
        }
        Fail("command outside the subset", command.Source);
    }

    std::vector<std::pair<std::string, std::string>> Params(const TCommand& command) {
        std::vector<std::pair<std::string, std::string>> params;
        for (const TArg& arg : command.Args) {
            if (arg.Name.empty())
                continue;
            if (arg.Op != "=")
                Fail("a parameter without =", command.Source);
            params.emplace_back(arg.Name, ToText(Eval(arg.Value)));
        }
        return params;
    }

    TRouterItem& Item(const std::string& menu, const std::string& id) {
        TRouterItem* item = M.Item(id);
        if (!item || item->Menu != menu)
            throw TScriptError{"no such item " + id};
        return *item;
    }

    // The items a command takes. A `[find …]` that matched nothing is taken as
    // no item whichever way the release gives it, as every script relies on.
    std::vector<std::string> Targets(const TCommand& command) {
        const TArg* target = command.Positional(0);
        const TValue value = Arg(command, 0);
        if (value.Type == TValue::Nothing && target->Value.Kind == TExpr::Sub && target->Value.Command->Verb == "find")
            return {};
        return Ids(value);
    }

    TValue MenuCommand(const std::string& menu, const TCommand& command) {
        const std::string& verb = command.Verb;
        if (verb == "find")
            return Find(menu, command);
        if (verb == "get")
            return Get(menu, command);
        if (verb == "export") {
            M.Files.push_back(ToText(Eval(command.Named("file")->Value)));
            return {};
        }
        if (menu == "/system script environment") { // the scripts' globals, not the configuration
            for (const std::string& id : Targets(command))
                M.Globals.erase(id.substr(1));
            return {};
        }
        Change();
        if (verb == "add")
            return Add(menu, Params(command));
        M.Commands.push_back(menu + ": " + command.Source);
        if (verb == "run") {
            const std::string name = command.Positional(0)->Word;
            const auto& scripts = M.Menus["/system script"];
            const auto script =
                std::ranges::find_if(scripts, [&](const TRouterItem& item) { return item.Value("name") == name; });
            if (script == scripts.end())
                throw TScriptError{"no such script " + name};
            M.Run(script->Get("source"));
            return {};
        }
        const std::vector<std::string> ids = Targets(command);
        if (verb == "remove") {
            for (const std::string& id : ids)
                Remove(menu, id);
            return {};
        }
        std::vector<std::pair<std::string, std::string>> params = Params(command);
        if (verb == "disable")
            params = {{"disabled", "yes"}};
        for (const std::string& id : ids)
            for (const auto& [name, value] : params)
                M.Set(Item(menu, id), name, value);
        return {};
    }

    TValue Add(const std::string& menu, std::vector<std::pair<std::string, std::string>> params) {
        TRouterItem item{menu, {}, std::move(params)};
        static const std::set<std::string_view> named{"/queue tree",       "/queue type",
                                                      "/system scheduler", "/routing table",
                                                      "/system script",    "/ip firewall layer7-protocol"};
        if (named.contains(menu) && M.Holds(menu, "name", item.Value("name")))
            throw TScriptError{"failure: already have such name " + item.Value("name")};
        if (menu == "/ip firewall address-list" && std::ranges::any_of(M.Menus[menu], [&](const TRouterItem& other) {
                return other.Value("list") == item.Value("list") && other.Value("address") == item.Value("address");
            }))
            throw TScriptError{"failure: already have such entry"};
        if (menu == "/queue tree") {
            const std::string parent = item.Value("parent");
            const bool global = parent == "global" || (parent == "global-out" && M.Version.starts_with("5."));
            if (!global && !M.Holds("/queue tree", "name", parent) && !M.Holds("/interface", "name", parent))
                throw TScriptError{"input does not match any value of parent: " + parent};
            const std::string type = item.Value("queue");
            if (item.Has("queue") && type != "default" && !M.Holds("/queue type", "name", type))
                throw TScriptError{"input does not match any value of queue: " + type};
        }
        // v6 knows routing marks, v7 routing tables, which a mark must name.
        const bool v7 = !M.Version.starts_with("6.");
        if ((menu == "/routing table" && !v7) ||
            (menu == "/ip route" && item.Has(v7 ? "routing-mark" : "routing-table")))
            throw TScriptError{"bad command name or argument for this release"};
        if (menu == "/ip firewall mangle" && v7 && item.Has("new-routing-mark") &&
            item.Get("new-routing-mark") != "main" && !M.Holds("/routing table", "name", item.Get("new-routing-mark")))
            throw TScriptError{"input does not match any value of new-routing-mark"};
        if (menu == "/ip firewall mangle" && item.Has("layer7-protocol") &&
            !M.Holds("/ip firewall layer7-protocol", "name", item.Get("layer7-protocol")))
            throw TScriptError{"input does not match any value of layer7-protocol"};
        M.Added.push_back(M.Insert(std::move(item)));
        M.AddedInBlock = true;
        return Make(TValue::Id, M.Added.back().Id);
    }

    void Remove(const std::string& menu, const std::string& id) {
        const TRouterItem& item = Item(menu, id);
        const std::string name = item.Value("name");
        if ((menu == "/queue tree" && M.Holds("/queue tree", "parent", name)) ||
            (menu == "/queue type" && M.Holds("/queue tree", "queue", name)) ||
            (menu == "/ip firewall layer7-protocol" && M.Holds("/ip firewall mangle", "layer7-protocol", name)))
            throw TScriptError{"failure: " + name + " is in use"};
        M.Erase(item);
    }

    TValue Found(std::vector<TValue> ids) const {
        return ids.empty() && M.Reading.FindNothingGivesNothing ? TValue{} : ArrayOf(std::move(ids));
    }

    TValue Find(const std::string& menu, const TCommand& command) {
        struct TCondition {
            std::string Name, Op, Value;
        };
        std::vector<TCondition> conditions;
        for (const TArg& arg : command.Args) {
            if (arg.Name.empty())
                Fail("find takes name=value only", command.Source);
            conditions.push_back({arg.Name, arg.Op, ToText(Eval(arg.Value))});
        }
        std::vector<TValue> ids;
        if (menu == "/system script environment") { // the globals, found by name
            if (conditions.size() != 1 || conditions[0].Name != "name" || conditions[0].Op != "=")
                Fail("the environment is found by name=", command.Source);
            if (M.Globals.contains(conditions[0].Value))
                ids.push_back(Make(TValue::Id, "$" + conditions[0].Value));
            return Found(std::move(ids));
        }
        for (const TCondition& condition : conditions) // nothing holds the value: no scan
            if (condition.Op == "=" && condition.Name != "disabled" && condition.Name != "dynamic" &&
                !M.Holds(menu, condition.Name, condition.Value))
                return Found({});
        for (const TRouterItem& item : M.Menus[menu]) {
            const bool all = std::ranges::all_of(conditions, [&](const TCondition& condition) {
                const std::string value = item.Value(condition.Name);
                return condition.Op == "="    ? value == condition.Value
                       : condition.Op == "!=" ? value != condition.Value
                                              : MatchesPattern(value, condition.Value);
            });
            if (all)
                ids.push_back(Make(TValue::Id, item.Id));
        }
        return Found(std::move(ids));
    }

    TValue Get(const std::string& menu, const TCommand& command) {
        if (menu == "/system resource" || menu == "/system clock") {
            const std::string& name = Word(command, 0);
            return Str(name == "version" ? M.Version : name == "date" ? M.Date : M.Time);
        }
        const std::vector<std::string> ids = Ids(Arg(command, 0));
        if (ids.empty())
            throw TScriptError{"no such item"};
        const TRouterItem& item = Item(menu, ids.front());
        const std::string name = ToText(Arg(command, 1));
        return item.Has(name) || name == "distance" ? Str(item.Value(name)) : TValue{};
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

// A step's first command after its `:global` lines tests $QvStep; 0 for a
// block that is no step, else its number.
const TCommand* GateOf(const TScript& block) {
    for (const TCommand& command : block.Commands) {
        if (command.Verb == ":global" && !command.Positional(1))
            continue;
        const TArg* condition = command.Positional(0);
        if (command.Verb != ":if" || !condition || condition->Value.Kind != TExpr::Binary ||
            condition->Value.Name != "=" || condition->Value.Parts[0].Name != "QvStep")
            return nullptr;
        return &command;
    }
    return nullptr;
}

} // namespace

const std::string& TRouterItem::Get(std::string_view name) const {
    for (const auto& [key, value] : Params)
        if (key == name)
            return value;
    throw std::runtime_error(Menu + " item has no " + std::string(name));
}

bool TRouterItem::Has(std::string_view name) const {
    return std::ranges::any_of(Params, [&](const auto& param) { return param.first == name; });
}

std::string TRouterItem::Value(std::string_view name) const {
    if (name == "dynamic")
        return Dynamic ? "yes" : "no";
    if (Has(name))
        return Get(name);
    return name == "disabled" ? "no" : name == "distance" && Menu == "/ip route" ? "1" : "";
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

TRouterItem& TRouterModel::Add(std::string menu, std::vector<std::pair<std::string, std::string>> params,
                               bool dynamic) {
    return Insert({std::move(menu), {}, std::move(params), dynamic});
}

namespace {
std::string ValueKey(std::string_view menu, std::string_view name, std::string_view value) {
    return std::string(menu) + '\t' + std::string(name) + '\t' + std::string(value);
}
} // namespace

TRouterItem& TRouterModel::Insert(TRouterItem item) {
    for (std::size_t number = NextId++; number; number /= 16)
        item.Id.insert(item.Id.begin(), "0123456789ABCDEF"[number % 16]);
    item.Id.insert(item.Id.begin(), '*');
    for (const auto& [name, value] : item.Params)
        ++Values[ValueKey(item.Menu, name, value)];
    TRouterItem& inserted = Menus[item.Menu].emplace_back(std::move(item));
    ById[inserted.Id] = &inserted;
    return inserted;
}

TRouterItem* TRouterModel::Item(const std::string& id) const {
    const auto found = ById.find(id);
    return found == ById.end() ? nullptr : found->second;
}

void TRouterModel::Erase(const TRouterItem& item) {
    for (const auto& [name, value] : item.Params)
        --Values[ValueKey(item.Menu, name, value)];
    ById.erase(item.Id);
    Menus[item.Menu].remove_if([&](const TRouterItem& kept) { return &kept == &item; });
}

void TRouterModel::Set(TRouterItem& item, const std::string& name, const std::string& value) {
    for (auto param = item.Params.begin(); param != item.Params.end(); ++param)
        if (param->first == name) {
            --Values[ValueKey(item.Menu, name, param->second)];
            item.Params.erase(param);
            break;
        }
    item.Params.emplace_back(name, value);
    ++Values[ValueKey(item.Menu, name, value)];
}

bool TRouterModel::Holds(std::string_view menu, std::string_view name, std::string_view value) const {
    const auto found = Values.find(ValueKey(menu, name, value));
    return found != Values.end() && found->second > 0;
}

void TRouterModel::Import(std::string_view script) {
    // Each command typed at the prompt, a `{ … }` block whole.
    struct TChunk {
        std::string Text;
        bool Block;
        std::size_t Bytes;
    };
    std::vector<TChunk> chunks;
    int depth = 0;
    for (const TScriptLine& line : LogicalLines(script)) {
        const std::size_t first = line.Text.find_first_not_of(' ');
        if (depth == 0 && (first == std::string::npos || line.Text[first] == '#'))
            continue;
        if (depth == 0)
            chunks.push_back({line.Text, line.Text == "{", line.Bytes});
        else
            chunks.back().Text += "\n" + line.Text, chunks.back().Bytes += line.Bytes;
        depth = BraceDepthAfter(line.Text, depth);
    }
    if (depth != 0)
        Fail("{ without }", script.substr(script.size() - 2));
    const bool blocks = std::ranges::any_of(chunks, [](const TChunk& chunk) { return chunk.Block; });
    std::size_t gates = 0;
    std::string menu = "/";
    for (const TChunk& chunk : chunks) {
        if (chunk.Block && chunk.Bytes - 2 > kMaxBlockBytes)
            Fail("a block of " + std::to_string(chunk.Bytes - 2) + " bytes", chunk.Text);
        TParser parser(chunk.Text, true);
        const TScript parsed = parser.Script(0);
        const TCommand* gate = nullptr;
        if (chunk.Block) {
            TDeclared scopes;
            CheckDeclared(parsed, scopes);
            if ((gate = GateOf(*parsed.Commands.at(0).Block))) {
                if (gate->Positional(0)->Value.Parts[1].Value != Num(std::int64_t(gates)))
                    Fail("a step must test its predecessor's number first", gate->Source);
                Step = ++gates;
            }
        } else if (blocks && std::ranges::any_of(parsed.Commands,
                                                 [](const TCommand& command) { return command.Verb != ":global"; })) {
            Fail("a change outside the steps", chunk.Text);
        }
        AddedInBlock = InGate = false;
        std::string blockMenu = "/"; // a block names its menus itself
        TRunner runner(*this, chunk.Block ? blockMenu : menu, !chunk.Block);
        runner.Gate = gate;
        bool failed = true;
        try {
            runner.Run(parsed);
            failed = false;
        } catch (const TScriptError& error) {
            Errors.push_back(error.Message);
        } catch (const TRefused&) {
            Errors.push_back("refused in step " + std::to_string(Step));
        }
        Step = 0;
        InGate = false;
        if (failed && !Pasted)
            return;
    }
}

void TRouterModel::Run(std::string_view source) {
    if (Depth > 8)
        Fail("a script that runs itself", source);
    TParser parser(source, false);
    const TScript script = parser.Script(0);
    TDeclared scopes(1);
    CheckDeclared(script, scopes);
    std::string menu = "/";
    TRunner runner(*this, menu, false);
    struct TInside { // a stored script runs outside the steps
        TRouterModel& Model;
        std::size_t Step = std::exchange(Model.Step, 0);
        explicit TInside(TRouterModel& model) : Model(model) { ++Model.Depth; }
        ~TInside() { --Model.Depth, Model.Step = Step; }
    } inside(*this);
    runner.Run(script);
}

std::vector<const TRouterItem*> TRouterModel::In(std::string_view menu) const {
    std::vector<const TRouterItem*> items;
    if (const auto found = Menus.find(menu); found != Menus.end())
        for (const auto& item : found->second)
            items.push_back(&item);
    return items;
}

const TRouterItem& TRouterModel::Named(std::string_view menu, std::string_view name) const {
    for (const auto* item : In(menu))
        if (item->Value("name") == name)
            return *item;
    throw std::runtime_error(std::string(menu) + " has no item named " + std::string(name));
}

std::string TRouterModel::GlobalText(const std::string& name) const {
    return ToText(Globals.at(name));
}

TMangleWalk::TMangleWalk(const TRouterModel& router) : Router(router) {
    for (const TRouterItem* rule : router.In("/ip firewall mangle"))
        if (rule->Value("disabled") == "no")
            Chains[rule->Get("chain")].push_back(rule);
}

namespace {

bool Matches(const TRouterItem& rule, const TPacket& packet) {
    static const std::set<std::string_view> notMatchers{
        "action",          "address-list",     "address-list-timeout", "chain",
        "comment",         "disabled",         "jump-target",          "new-connection-mark",
        "new-packet-mark", "new-routing-mark", "passthrough",          "to-addresses",
        "to-ports"};
    static const std::set<std::string_view> fields{"in-interface",     "out-interface",  "protocol",
                                                   "dst-port",         "dscp",           "src-address-type",
                                                   "dst-address-type", "layer7-protocol"};
    for (const auto& [name, value] : rule.Params) {
        if (notMatchers.contains(name))
            continue;
        const bool negated = value.starts_with('!');
        const std::string wanted = value.substr(negated);
        bool holds = false;
        if (name == "src-address-list" || name == "dst-address-list")
            holds = (name[0] == 's' ? packet.SourceLists : packet.DestinationLists).contains(wanted);
        else if (name == "connection-mark")
            holds = wanted == "no-mark" ? packet.ConnectionMark.empty() : packet.ConnectionMark == wanted;
        else if (name == "connection-bytes") {
            const std::int64_t from = std::stoll(wanted), to = std::stoll(wanted.substr(wanted.find('-') + 1));
            holds = packet.ConnectionBytes >= from && (to == 0 || packet.ConnectionBytes <= to);
        } else if (name == "per-connection-classifier") { // "both-addresses:2/1": the hash's remainder
            const std::size_t colon = wanted.find(':'), slash = wanted.find('/');
            holds = packet.Hash % std::stoi(wanted.substr(colon + 1, slash - colon - 1)) ==
                    std::stoi(wanted.substr(slash + 1));
        } else if (fields.contains(name)) {
            const auto field = packet.Fields.find(name);
            holds = (field == packet.Fields.end() ? "" : field->second) == wanted;
        } else
            throw std::logic_error("no packet field for the matcher " + name);
        if (holds == negated)
            return false;
    }
    return true;
}

} // namespace

std::size_t TMangleWalk::Hook(const std::string& hook, TPacket& packet) const {
    std::size_t tested = 0;
    std::vector<std::pair<const std::vector<const TRouterItem*>*, std::size_t>> calls; // chain, next rule
    const auto enter = [&](const std::string& chain) {
        static const std::vector<const TRouterItem*> none;
        const auto found = Chains.find(chain);
        calls.emplace_back(found == Chains.end() ? &none : &found->second, 0);
    };
    for (enter(hook); !calls.empty();) {
        auto& [rules, next] = calls.back();
        if (next == rules->size()) {
            calls.pop_back(); // the chain's end: back after the jump
            continue;
        }
        const TRouterItem& rule = *(*rules)[next++];
        ++tested;
        if (!Matches(rule, packet))
            continue;
        const std::string& action = rule.Get("action");
        if (action == "jump")
            enter(rule.Get("jump-target"));
        else if (action == "return")
            calls.pop_back();
        else if (action == "mark-connection")
            packet.ConnectionMark = rule.Get("new-connection-mark");
        else if (action == "mark-packet")
            packet.PacketMark = rule.Get("new-packet-mark");
        else if (action == "mark-routing")
            packet.RoutingMark = rule.Get("new-routing-mark");
        else if (action != "add-src-to-address-list")
            throw std::logic_error("no walk for the action " + action);
        if (rule.Value("passthrough") == "no")
            calls.clear();
    }
    return tested;
}

std::string TMangleWalk::InterfaceOf(const std::string& gateway) const {
    const std::string hop = gateway.substr(0, gateway.find('@')), name = hop.substr(hop.find('%') + 1);
    if (Router.Holds("/interface", "name", name))
        return name;
    for (const TRouterItem* address : Router.In("/ip address"))
        if (InPrefix(hop, address->Get("address")))
            return address->Get("interface");
    return {};
}

void TMangleWalk::Route(TPacket& packet) const {
    if (packet.Fields.contains("out-interface"))
        return;
    const std::string destination = packet.Fields["dst-address"];
    for (const TRouterItem* address : Router.In("/ip address"))
        if (InPrefix(destination, address->Get("address")))
            return void(packet.Fields["out-interface"] = address->Get("interface"));
    // Default routes only: every other destination is the internet.
    for (const std::string& table : {packet.RoutingMark.empty() ? "main" : packet.RoutingMark, std::string("main")}) {
        std::vector<std::string> best;
        std::int64_t distance = 256;
        for (const TRouterItem* route : Router.In("/ip route")) {
            const std::string of = route->Value("routing-mark") + route->Value("routing-table");
            if (route->Value("disabled") == "yes" || (of.empty() ? "main" : of) != table)
                continue;
            const std::int64_t at = std::stoll(route->Value("distance"));
            const std::string gateways = route->Get("gateway") + ",";
            for (std::size_t from = 0, comma; (comma = gateways.find(',', from)) != std::string::npos; from = comma + 1)
                if (const std::string out = InterfaceOf(gateways.substr(from, comma - from)); !out.empty()) {
                    if (at < distance)
                        best.clear(), distance = at;
                    if (at == distance)
                        best.push_back(out);
                }
        }
        if (!best.empty())
            return void(packet.Fields["out-interface"] = best[std::size_t(packet.Hash) % best.size()]);
    }
}

std::size_t TMangleWalk::Walk(TPacket& packet) const {
    std::size_t tested = Hook("prerouting", packet);
    if (packet.Fields["dst-address-type"] == "local")
        return tested + Hook("input", packet);
    for (const TRouterItem* rule : Router.In("/ip firewall nat"))
        if (rule->Value("chain") == "dstnat" && rule->Value("disabled") == "no" && Matches(*rule, packet)) {
            packet.Fields["dst-address"] = rule->Get("to-addresses");
            break;
        }
    Route(packet);
    tested += Hook("forward", packet);
    return tested + Hook("postrouting", packet);
}

std::size_t TMangleWalk::WalkOutput(TPacket& packet) const {
    packet.Fields["src-address-type"] = "local";
    std::size_t tested = Hook("output", packet);
    Route(packet);
    return tested + Hook("postrouting", packet);
}
