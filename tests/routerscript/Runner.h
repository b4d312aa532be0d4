#pragma once

#include "routerscript/Router.h"
#include "routerscript/Syntax.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace RouterScript {

// What the router reports and ends the command with; `:do … on-error=` catches it.
struct TScriptError {
    std::string Message;
};
// The router refuses a step the test chose; nothing catches it.
struct TRefused {};
// `:return` in code from :parse.
struct TReturn {
    TValue Value;
};

// Runs commands on the model, as the router's console does: variables and
// their scopes, expressions, the `:` commands and the menus' commands (the
// latter in Menus.cpp). A refusal or `:error` throws TScriptError.
class TRunner {
public:
    // `topLevel`: a command typed at the prompt, which sees every global.
    TRunner(TRouterModel& model, std::string& menu, bool topLevel) : M(model), Menu(menu), TopLevel(topLevel) {
        Scopes.emplace_back();
    }

    void Run(const TScript& script) {
        for (const TCommand& command : script.Commands)
            Exec(command);
    }

private:
    TRouterModel& M;
    std::string& Menu;
    bool TopLevel;
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

    void RunBody(const TExpr& code);
    TSlot* Find(const std::string& name);
    TValue Lookup(const std::string& name);
    void Assign(const std::string& name, TValue value);
    TValue Eval(const TExpr& expr);
    TValue Binary(const std::string& op, const TValue& left, const TValue& right) const;
    TValue Arg(const TCommand& command, std::size_t index);
    const std::string& Word(const TCommand& command, std::size_t index);
    TValue Exec(const TCommand& command);
    TValue Ice(const TCommand& command);
    TValue Function(const TCommand& command);

    // The router's menus (Menus.cpp).
    TValue MenuCommand(const std::string& menu, const TCommand& command);
    std::vector<std::pair<std::string, std::string>> Params(const TCommand& command);
    TRouterItem& Item(const std::string& menu, const std::string& id);
    std::vector<std::string> Targets(const TCommand& command);
    TValue Add(const std::string& menu, std::vector<std::pair<std::string, std::string>> params);
    void Remove(const std::string& menu, const std::string& id);
    TValue Found(std::vector<TValue> ids) const;
    TValue FindItems(const std::string& menu, const TCommand& command);
    TValue Get(const std::string& menu, const TCommand& command);
};

} // namespace RouterScript
