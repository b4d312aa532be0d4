#include "routerscript/Runner.h"

#include <algorithm>
#include <set>
#include <stdexcept>

// The router's menus: its configuration with its indexes, and what the menu
// commands add, remove, find, get, set and run on it.

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
    return name == "disabled" ? "no" : name == "distance" && Menu.ends_with(" route") ? "1" : "";
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

bool TRouterModel::HasIpv6() const {
    return !Version.starts_with("6.") || std::ranges::any_of(In("/system package"), [](const TRouterItem* package) {
        return package->Value("name") == "ipv6" && package->Value("disabled") == "no";
    });
}

namespace RouterScript {

namespace {

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

} // namespace

std::vector<std::pair<std::string, std::string>> TRunner::Params(const TCommand& command) {
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

TRouterItem& TRunner::Item(const std::string& menu, const std::string& id) {
    TRouterItem* item = M.Item(id);
    if (!item || item->Menu != menu)
        throw TScriptError{"no such item " + id};
    return *item;
}

// The items a command takes. A `[find …]` that matched nothing is taken as
// no item whichever way the release gives it, as every script relies on.
std::vector<std::string> TRunner::Targets(const TCommand& command) {
    const TArg* target = command.Positional(0);
    const TValue value = Arg(command, 0);
    if (value.Type == TValue::Nothing && target->Value.Kind == TExpr::Sub && target->Value.Command->Verb == "find")
        return {};
    return Ids(value);
}

TValue TRunner::MenuCommand(const std::string& menu, const TCommand& command) {
    const std::string& verb = command.Verb;
    if (menu.starts_with("/ipv6") && !M.HasIpv6())
        throw TScriptError{"bad command name ipv6"};
    if (verb == "find")
        return FindItems(menu, command);
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
    if (M.Watch)
        M.Watch->Changing();
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
    const std::vector<std::pair<std::string, std::string>> params = Params(command);
    for (const std::string& id : ids)
        for (const auto& [name, value] : params)
            M.Set(Item(menu, id), name, value);
    return {};
}

TValue TRunner::Add(const std::string& menu, std::vector<std::pair<std::string, std::string>> params) {
    TRouterItem item{menu, {}, std::move(params)};
    static const std::set<std::string_view> named{"/queue tree",    "/queue type",    "/system scheduler",
                                                  "/routing table", "/system script", "/ip firewall layer7-protocol"};
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
    if ((menu == "/routing table" && !v7) || (menu == "/ip route" && item.Has(v7 ? "routing-mark" : "routing-table")))
        throw TScriptError{"bad command name or argument for this release"};
    if (menu == "/ip firewall mangle" && v7 && item.Has("new-routing-mark") && item.Get("new-routing-mark") != "main" &&
        !M.Holds("/routing table", "name", item.Get("new-routing-mark")))
        throw TScriptError{"input does not match any value of new-routing-mark"};
    if (menu == "/ip firewall mangle" && item.Has("layer7-protocol") &&
        !M.Holds("/ip firewall layer7-protocol", "name", item.Get("layer7-protocol")))
        throw TScriptError{"input does not match any value of layer7-protocol"};
    M.Added.push_back(M.Insert(std::move(item)));
    if (M.Watch)
        M.Watch->Added();
    return Make(TValue::Id, M.Added.back().Id);
}

void TRunner::Remove(const std::string& menu, const std::string& id) {
    const TRouterItem& item = Item(menu, id);
    const std::string name = item.Value("name");
    if ((menu == "/queue tree" && M.Holds("/queue tree", "parent", name)) ||
        (menu == "/queue type" && M.Holds("/queue tree", "queue", name)) ||
        (menu == "/ip firewall layer7-protocol" && M.Holds("/ip firewall mangle", "layer7-protocol", name)))
        throw TScriptError{"failure: " + name + " is in use"};
    M.Erase(item);
}

TValue TRunner::Found(std::vector<TValue> ids) const {
    return ids.empty() && M.Reading.FindNothingGivesNothing ? TValue{} : ArrayOf(std::move(ids));
}

TValue TRunner::FindItems(const std::string& menu, const TCommand& command) {
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

TValue TRunner::Get(const std::string& menu, const TCommand& command) {
    if (menu == "/system resource" || menu == "/system clock") {
        const std::string& name = Word(command, 0);
        return Str(name == "version" ? M.Version : name == "date" ? M.Date : M.Time);
    }
    const std::vector<std::string> ids = Ids(Arg(command, 0));
    if (ids.empty())
        throw TScriptError{"no such item"};
    const TRouterItem& item = Item(menu, ids.front());
    if (!command.Positional(1)) { // every property the item has, by name
        TValue all = ArrayOf({});
        for (const auto& [name, value] : item.Params)
            all.Keys.push_back(name), all.Items.push_back(Str(value));
        if (menu == "/ip route" && !item.Has("distance"))
            all.Keys.push_back("distance"), all.Items.push_back(Str(item.Value("distance")));
        return all;
    }
    const std::string name = ToText(Arg(command, 1));
    return item.Has(name) || name == "distance" ? Str(item.Value(name)) : TValue{};
}

} // namespace RouterScript
