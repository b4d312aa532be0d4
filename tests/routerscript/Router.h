#pragma once

#include "routerscript/Value.h"

#include <cstdint>
#include <list>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace RouterScript {
struct TCommand;
}

// An item of a menu of the router's configuration.
struct TRouterItem {
    std::string Menu;                                        // "/queue tree"
    std::string Id;                                          // "*1F"
    std::vector<std::pair<std::string, std::string>> Params; // name, value; in script order
    bool Dynamic = false;

    const std::string& Get(std::string_view name) const; // throws when absent
    bool Has(std::string_view name) const;
    std::string Value(std::string_view name) const; // a flag's default for absent ones, else empty
};

// What a protocol over the scripts watches as they run; the interpreter calls
// it and knows nothing of what it checks. Steps.cpp's step protocol is one.
class TRunWatch {
public:
    virtual ~TRunWatch() = default;
    virtual void Changing() = 0; // before a change of the configuration
    virtual void Added() = 0;    // after an add
    virtual void Setting(const std::string& name, const TRouterValue& value, std::string_view source) = 0;
    virtual void Stopping(std::string_view source) = 0;                              // before :error
    virtual void Branch(const RouterScript::TCommand& condition, bool entering) = 0; // around an :if's body
};

// The largest top-level block the console takes.
inline constexpr std::size_t kMaxBlockBytes = 16384;

// A model of a RouterOS router that runs the scripts Qostrel writes. The
// router refuses what a real one would: an item named like one it holds, the
// same address twice in a list, a queue whose parent or queue type does not
// exist, and removing a queue that is still a parent, a queue type in use or
// a layer-7 protocol a rule names. A refusal or `:error` ends the command,
// imported the whole import; `:do … on-error=` catches it.
class TRouterModel {
public:
    TRouterModel() = default;
    TRouterModel(TRouterModel&&) = default; // the index points into the menus, which move along
    TRouterModel& operator=(TRouterModel&&) = default;
    TRouterModel(const TRouterModel&) = delete;
    TRouterModel& operator=(const TRouterModel&) = delete;

    // The router before the script.
    std::string Version = "7.16 (stable)";
    std::string Date = "2026-12-09";
    std::string Time = "10:20:33";
    bool Pasted = false; // pasted: a failure ends its own top-level command; imported: the import
    // How the router reads what its manual leaves open; false everywhere is the
    // reading the scripts were written against.
    struct TReading {
        bool FindNothingGivesNothing = false; // else an empty array
        bool NothingIsUnequal = false;        // nothing compared with a value: else as an empty string
    } Reading;
    // The step that the router stops at its first change, or before it sets
    // its number: a refused line or a failed check. 0 for none.
    std::size_t AbortStep = 0;
    // The configuration, menu by menu, each in the order it was made.
    std::map<std::string, std::list<TRouterItem>, std::less<>> Menus;
    std::map<std::string, TRouterValue> Globals;

    // What the scripts did.
    std::vector<TRouterItem> Added;    // every item added, as added
    std::vector<std::string> Commands; // every remove, set and run, as "menu: command"
    std::vector<std::string> Output;   // what :put printed
    std::vector<std::string> Log;      // "level: message"
    std::vector<std::string> Errors;   // the errors that ended a command
    std::vector<std::string> Files;    // the exports' file names
    std::size_t StepsRun = 0;          // steps that set their number

    // An item of the router's own configuration; dynamic ones are the router's.
    TRouterItem& Add(std::string menu, std::vector<std::pair<std::string, std::string>> params, bool dynamic = false);
    // A script pasted into the terminal or imported (Steps.cpp).
    void Import(std::string_view script);
    // A stored script's source, as /system script run or a scheduler runs it.
    void Run(std::string_view source);
    std::vector<const TRouterItem*> In(std::string_view menu) const;
    const TRouterItem& Named(std::string_view menu, std::string_view name) const; // throws when absent
    std::string GlobalText(const std::string& name) const;
    bool HasIpv6() const; // v6 with its ipv6 package enabled, and every later release

    // For the interpreter: the configuration with its indexes.
    TRouterItem& Insert(TRouterItem item); // under a new id
    TRouterItem* Item(const std::string& id) const;
    void Erase(const TRouterItem& item);
    void Set(TRouterItem& item, const std::string& name, const std::string& value);
    bool Holds(std::string_view menu, std::string_view name, std::string_view value) const;
    std::map<std::string, TRouterItem*> ById;
    std::map<std::string, int, std::less<>> Values; // "menu\tname\tvalue": how many items hold it
    std::size_t NextId = 1;
    TRunWatch* Watch = nullptr; // the protocol of the running import
    int Depth = 0;              // stored scripts running inside each other
};
