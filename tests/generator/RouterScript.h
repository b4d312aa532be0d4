#pragma once

#include <cstdint>
#include <list>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A model of a RouterOS router that runs the scripts Qostrel writes. It reads
// the subset of the language they use: comments, menu lines, `:global`,
// `:local`, `:set`, `:if`, `:foreach`, `:for`, `:while`, `:do … on-error=`,
// `:put`, `:log`, `:error`, `:parse` (whose code a `$` call runs) and the functions `:len`
// `:pick` `:find` `:typeof` `:tonum` `:toip` `:tostr` `:toarray`; the menu
// commands add, remove, find, get, set, disable, run and export; quoted
// strings with their escapes, addresses, arrays, `[…]` and `(…)` with `. , + - * /
// = != < > <= >= && || ! ~ in`, `&` and `<<` on addresses, and the backslash
// continuation of export layout. It
// throws std::runtime_error on anything outside the subset, and where the
// script would fail on any router: an unescaped `$` or, pasted, a raw
// non-ASCII byte in a string; a variable a block uses but never declares; a
// block over kMaxBlockBytes.
// Top-level `{ … }` blocks are steps: each tests `$QvStep` against its
// predecessor's number before any change, and sets its own number last; a
// stop (`:error`) never follows an add of its block.
// The router refuses what a real one would: an item named like one it holds,
// the same address twice in a list, a queue whose parent or queue type does
// not exist, and removing a queue that is still a parent, a queue type in use
// or a layer-7 protocol a rule names. A refusal or `:error` ends the command,
// imported the whole import; `:do … on-error=` catches it.
struct TRouterValue {
    enum TType { Nothing, Str, Num, Bool, Ip, Id, Array, Code };
    TType Type = Nothing;
    std::string Text;                // Str, Ip, Id ("*1F"); Code: its source
    std::int64_t Number = 0;         // Num; Bool: 0 or 1
    std::vector<TRouterValue> Items; // Array

    bool operator==(const TRouterValue&) const = default;
};

struct TRouterItem {
    std::string Menu;                                        // "/queue tree"
    std::string Id;                                          // "*1F"
    std::vector<std::pair<std::string, std::string>> Params; // name, value; in script order
    bool Dynamic = false;

    const std::string& Get(std::string_view name) const; // throws when absent
    bool Has(std::string_view name) const;
    std::string Value(std::string_view name) const; // a flag's default for absent ones, else empty
};

inline constexpr std::size_t kMaxBlockBytes = 16384;

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
        bool InOverStringFails = false;       // `ip in "a.b.c.d/n"`: else the address is tested
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
    std::vector<std::string> Commands; // every remove, set, disable and run, as "menu: command"
    std::vector<std::string> Output;   // what :put printed
    std::vector<std::string> Log;      // "level: message"
    std::vector<std::string> Errors;   // the errors that ended a command
    std::vector<std::string> Files;    // the exports' file names
    std::size_t StepsRun = 0;          // steps that set their number

    // An item of the router's own configuration; dynamic ones are the router's.
    TRouterItem& Add(std::string menu, std::vector<std::pair<std::string, std::string>> params, bool dynamic = false);
    void Import(std::string_view script);
    // A stored script's source, as /system script run or a scheduler runs it.
    void Run(std::string_view source);
    std::vector<const TRouterItem*> In(std::string_view menu) const;
    const TRouterItem& Named(std::string_view menu, std::string_view name) const; // throws when absent
    std::string GlobalText(const std::string& name) const;

    // For the interpreter: the configuration with its indexes.
    TRouterItem& Insert(TRouterItem item); // under a new id
    TRouterItem* Item(const std::string& id) const;
    void Erase(const TRouterItem& item);
    void Set(TRouterItem& item, const std::string& name, const std::string& value);
    bool Holds(std::string_view menu, std::string_view name, std::string_view value) const;
    std::map<std::string, TRouterItem*> ById;
    std::map<std::string, int, std::less<>> Values; // "menu\tname\tvalue": how many items hold it
    std::size_t NextId = 1;
    std::size_t Step = 0;      // the step running now; 0 outside the steps
    bool AddedInBlock = false; // an add in the running top-level block
    bool InGate = false;       // the step's gate lets its body run
    int Depth = 0;             // stored scripts running inside each other
};

// A packet as the mangle rules see it. A forwarded packet without an
// out-interface is routed: to the router itself when its dst-address-type is
// local, else by its dst-address through the port forwards and the routes.
struct TPacket {
    std::map<std::string, std::string> Fields; // in-interface, out-interface, protocol, dst-port, dscp, dst-address, …
    std::set<std::string> SourceLists, DestinationLists; // the address lists its ends are in
    std::int64_t ConnectionBytes = 0;
    std::string ConnectionMark; // the connection's, kept from packet to packet
    std::string PacketMark, RoutingMark;
    int Hash = 0; // of its connection: PCC and equal-cost routes choose by it
};

// The walk of a packet through the router as RouterOS describes it: the
// hooks prerouting, then input for the router, or destination NAT, routing,
// forward and postrouting; or, sent by the router, output, routing and
// postrouting. Each chain's rules in order, jump and return, and a mark with
// passthrough=no ending the hook. Routing takes the routing mark's table,
// falling back to main, the lowest distance, and among equal routes the
// connection's hash.
class TMangleWalk {
public:
    explicit TMangleWalk(const TRouterModel& router);
    // The packet's marks and out-interface after the walk; returns the rules it was tested against.
    std::size_t Walk(TPacket& packet) const;
    std::size_t WalkOutput(TPacket& packet) const;

private:
    const TRouterModel& Router;
    std::map<std::string, std::vector<const TRouterItem*>> Chains;
    std::size_t Hook(const std::string& hook, TPacket& packet) const;
    void Route(TPacket& packet) const;
    std::string InterfaceOf(const std::string& gateway) const; // empty for none
};

// The script text as one line per command, export-layout continuations joined,
// with the bytes it takes in the script, line ends included.
struct TScriptLine {
    std::string Text;
    std::size_t Bytes;
};
std::vector<TScriptLine> LogicalLines(std::string_view script);
