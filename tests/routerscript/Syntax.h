#pragma once

#include "routerscript/Value.h"

#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// RouterOS script text as the reader parses it. It reads the subset of the
// language the scripts use: comments, menu lines, `:global`, `:local`, `:set`,
// `:if`, `:foreach`, `:for`, `:while`, `:do … on-error=`, `:put`, `:log`,
// `:error`, `:return`, `:parse` (whose code a `$` call runs) and the functions
// `:len` `:pick` `:find` `:typeof` `:tonum` `:toip` `:tostr` `:toarray`; the
// menu commands add, remove, find, get, set, run and export; quoted strings
// with their escapes, addresses, arrays, `[…]` and `(…)` with
// `. , + - * / = != < > <= >= && || ! ~ ->`, `&` and `<<` on addresses. It
// throws std::runtime_error on anything outside the subset, and where the
// script would fail on any router: an unescaped `$` or, pasted, a raw
// non-ASCII byte in a string; a variable a block uses but never declares.

namespace RouterScript {

[[noreturn]] void Fail(const std::string& what, std::string_view where);

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

// The commands of a text in which each logical line ends in LF. Pasted text
// must hold 7-bit ASCII only; a stored script may hold any byte.
TScript Parse(std::string_view text, bool pasted);

// Every variable a block uses must be declared in it before, or the router
// cannot compile the block and runs none of it. Scopes: the enclosing blocks'
// declarations, innermost last.
using TDeclared = std::vector<std::set<std::string>>;
void CheckDeclared(const TScript& script, TDeclared& scopes);

// The depth of `{` after a line, strings skipped.
int BraceDepthAfter(std::string_view line, int depth);

} // namespace RouterScript

// The script text as one line per command, export-layout continuations joined,
// with the bytes it takes in the script, line ends included.
struct TScriptLine {
    std::string Text;
    std::size_t Bytes;
};
std::vector<TScriptLine> LogicalLines(std::string_view script);
