#include "routerscript/PacketWalk.h"

#include <set>
#include <stdexcept>
#include <string_view>
#include <utility>

using RouterScript::InPrefix;

TMangleWalk::TMangleWalk(const TRouterModel& router, std::string family) : Router(router), Family(std::move(family)) {
    for (const TRouterItem* rule : router.In(Family + " firewall mangle"))
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
        else if (name == "connection-state") // "established,related": one of them
            holds = ("," + wanted + ",").find("," + packet.Fields.at("connection-state") + ",") != std::string::npos;
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
    if (Family == "/ip") // IPv6 packets go to the internet, or come with their way out
        for (const TRouterItem* address : Router.In("/ip address"))
            if (InPrefix(destination, address->Get("address")))
                return void(packet.Fields["out-interface"] = address->Get("interface"));
    // Default routes only: every other destination is the internet.
    for (const std::string& table : {packet.RoutingMark.empty() ? "main" : packet.RoutingMark, std::string("main")}) {
        std::vector<std::string> best;
        std::int64_t distance = 256;
        for (const TRouterItem* route : Router.In(Family + " route")) {
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
    packet.Fields["connection-state"] = packet.ConnectionMark.empty() ? "new" : "established";
    std::size_t tested = Hook("prerouting", packet);
    if (packet.Fields["dst-address-type"] == "local")
        return tested + Hook("input", packet);
    for (const TRouterItem* rule : Router.In(Family + " firewall nat"))
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
    packet.Fields["connection-state"] = packet.ConnectionMark.empty() ? "new" : "established";
    std::size_t tested = Hook("output", packet);
    Route(packet);
    return tested + Hook("postrouting", packet);
}
