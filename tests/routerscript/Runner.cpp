#include "routerscript/Runner.h"

#include <algorithm>
#include <regex>
#include <stdexcept>

namespace RouterScript {

void TRunner::RunBody(const TExpr& code) {
    if (code.Kind != TExpr::Code)
        Fail("a command block expected", code.Source);
    TScope scope(*this);
    Run(*code.Body);
}

TRunner::TSlot* TRunner::Find(const std::string& name) {
    for (auto scope = Scopes.rbegin(); scope != Scopes.rend(); ++scope)
        if (const auto found = scope->find(name); found != scope->end())
            return &found->second;
    return nullptr;
}

TValue TRunner::Lookup(const std::string& name) {
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

void TRunner::Assign(const std::string& name, TValue value) {
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

TValue TRunner::Eval(const TExpr& expr) {
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

TValue TRunner::Binary(const std::string& op, const TValue& left, const TValue& right) const {
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
    if (op == "->") { // a property of an item's array; nothing for one it lacks
        const auto key = std::ranges::find(left.Keys, ToText(right));
        return key == left.Keys.end() ? TValue{} : left.Items[std::size_t(key - left.Keys.begin())];
    }
    if (op == "~")
        return Bool(MatchesPattern(ToText(left), ToText(right)));
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

TValue TRunner::Arg(const TCommand& command, std::size_t index) {
    const TArg* arg = command.Positional(index);
    return arg ? Eval(arg->Value) : TValue{};
}

const std::string& TRunner::Word(const TCommand& command, std::size_t index) {
    const TArg* arg = command.Positional(index);
    if (!arg || arg->Word.empty())
        Fail("a name expected", command.Source);
    return arg->Word;
}

TValue TRunner::Exec(const TCommand& command) {
    if (command.Verb == "{") {
        TScope scope(*this);
        Run(*command.Block);
        return {};
    }
    if (command.Verb == "$") { // code from :parse, as a stored script sees its globals
        const TValue code = Lookup(command.Callee);
        if (code.Type != TValue::Code)
            Fail("a call of a value that is no code", command.Source);
        const TScript script = Parse(code.Text, false);
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

TValue TRunner::Ice(const TCommand& command) {
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
            if (M.Watch)
                M.Watch->Setting(name, value, command.Source);
            Assign(name, std::move(value));
        }
        return {};
    }
    if (verb == ":if") {
        const TValue condition = Arg(command, 0);
        if (condition.Type != TValue::Bool)
            Fail(":if on a value that is not true or false", command.Source);
        const TArg* body = command.Named(condition.Number ? "do" : "else");
        if (M.Watch)
            M.Watch->Branch(command, true);
        if (body)
            RunBody(body->Value);
        if (M.Watch)
            M.Watch->Branch(command, false);
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
            const std::int64_t by = from <= to ? 1 : -1; // no step: down when from is above to
            if ((to - from) / by > 100000)
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
        if (M.Watch)
            M.Watch->Stopping(command.Source);
        throw TScriptError{ToText(Arg(command, 0))};
    }
    return Function(command);
}

TValue TRunner::Function(const TCommand& command) {
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
    if (verb == ":parse" && text.find("/ipv6") != std::string::npos) {
        // v6 has /ipv6 with its ipv6 package only; IPv6 FastTrack came with 7.18.
        if (!M.HasIpv6())
            throw TScriptError{"bad command name ipv6"};
        const bool fastTrack6 = !M.Version.starts_with("6.") && std::stod(M.Version.substr(2)) >= 18;
        if (text.find("fasttrack-connection") != std::string::npos && !fastTrack6)
            throw TScriptError{"input does not match any value of action"};
    }
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
        const std::size_t end = command.Positional(2) ? std::size_t(std::max<std::int64_t>(to.Number, 0)) : start + 1;
        if (value.Type != TValue::Array)
            return Str(text.substr(start, end > start ? end - start : 0));
    }
    Fail("command outside the subset", command.Source);
}

} // namespace RouterScript

void TRouterModel::Run(std::string_view source) {
    using namespace RouterScript;
    if (Depth > 8)
        Fail("a script that runs itself", source);
    const TScript script = Parse(source, false);
    TDeclared scopes(1);
    CheckDeclared(script, scopes);
    std::string menu = "/";
    TRunner runner(*this, menu, false);
    struct TInside { // a stored script runs outside any protocol of the import
        TRouterModel& Model;
        TRunWatch* Watch = std::exchange(Model.Watch, nullptr);
        explicit TInside(TRouterModel& model) : Model(model) { ++Model.Depth; }
        ~TInside() { --Model.Depth, Model.Watch = Watch; }
    } inside(*this);
    runner.Run(script);
}

std::string TRouterModel::GlobalText(const std::string& name) const {
    return RouterScript::ToText(Globals.at(name));
}
