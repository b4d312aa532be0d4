#include "routerscript/Shapes.h"

#include "generator/QvVorrel.h"

#include <algorithm>

// A router of the release the target is for, holding the interfaces and
// addresses the lines name, as a cafe's router does: the LAN's network, and
// each line a PPPoE client or, with a fixed address, a default route through
// the first address of its network, one line after another as a failover.
void Prepare(TRouterModel& router, const std::vector<TWanInput>& inputs, const std::string& lan, TRouterOs target) {
    router.Version = target == TRouterOs::V5 ? "5.26" : "7.16 (stable)";
    router.Add("/system package", {{"name", "ipv6"}}); // v6 has IPv6 by it; v7 by its release alone
    router.Add("/interface", {{"name", Gbk(lan)}});
    router.Add("/ip address", {{"address", "192.168.1.1/24"}, {"interface", Gbk(lan)}});
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        const std::string name = Gbk(inputs[i].Name), ip = Gbk(inputs[i].Ip);
        router.Add("/interface", {{"name", name}});
        router.Add("/ip address", {{"address", ip + "/24"}, {"interface", name}});
        if (name.starts_with("pppoe"))
            router.Add("/interface pppoe-client", {{"name", name}});
        else
            router.Add("/ip route", {{"distance", std::to_string(i + 1)},
                                     {"dst-address", "0.0.0.0/0"},
                                     {"gateway", ip.substr(0, ip.rfind('.')) + ".1"}});
    }
}

std::vector<TWanInput> PppoeLines(int count) {
    std::vector<TWanInput> inputs;
    for (int i = 0; i < count; ++i)
        inputs.push_back({"pppoe-out" + std::to_string(i), "100.64.0." + std::to_string(i), 100, 20});
    return inputs;
}

// The v6/v7 script for the lines, as the windows hand them over.
std::string Generated(const std::vector<TWanInput>& lines) {
    auto wans = MakeWans(lines);
    TQvVorrel generator;
    generator.Target = TRouterOs::V6V7;
    generator.Generate("192.168.1.200", wans, "bridge", 150);
    return generator.ScriptText();
}

// What a cafe's router holds beside Qostrel: a policy route for the owner's
// PC, a packet mark for the cashier's PC and its queue, the server's address in
// a list of the operator's, two simple queues, a PPP line's dynamic rule.
std::vector<TRouterItem> AddOwnConfiguration(TRouterModel& router) {
    return {router.Add("/ip firewall mangle", {{"action", "mark-routing"},
                                               {"chain", "prerouting"},
                                               {"new-routing-mark", "owner"},
                                               {"src-address", "192.168.1.10"}}),
            router.Add("/ip firewall mangle", {{"action", "mark-packet"},
                                               {"chain", "forward"},
                                               {"new-packet-mark", "cashier"},
                                               {"src-address", "192.168.1.11"}}),
            router.Add("/ip firewall mangle", {{"action", "change-mss"}, {"chain", "forward"}}, true),
            router.Add("/queue tree", {{"name", "cashier"}, {"packet-mark", "cashier"}, {"parent", "global"}}),
            router.Add("/ip firewall address-list", {{"address", "192.168.1.200"}, {"list", "vip"}}),
            router.Add("/queue simple", {{"name", "owner"}, {"target", "192.168.1.10/32"}}),
            router.Add("/queue simple", {{"name", "cashier"}, {"target", "192.168.1.11/32"}})};
}

// Load balancing by PCC over the lines, as the usual recipe writes it: a
// connection mark a line, chosen by PCC for a connection from the LAN or set
// by the line a connection came in on, and a routing mark a line whose
// default route goes through it, and through another line as a backup.
void AddPcc(TRouterModel& router, int lines) {
    const bool v7 = !router.Version.starts_with("6.");
    for (int i = 0; i < lines; ++i) {
        const std::string line = "pppoe-out" + std::to_string(i), mark = line + "_conn", table = "to_" + line;
        const std::string pcc = "both-addresses:" + std::to_string(lines) + "/" + std::to_string(i);
        router.Add("/ip firewall mangle", {{"action", "mark-connection"},
                                           {"chain", "prerouting"},
                                           {"comment", "PCC " + line},
                                           {"connection-mark", "no-mark"},
                                           {"in-interface", "bridge"},
                                           {"new-connection-mark", mark},
                                           {"per-connection-classifier", pcc}});
        router.Add("/ip firewall mangle", {{"action", "mark-connection"},
                                           {"chain", "prerouting"},
                                           {"connection-mark", "no-mark"},
                                           {"in-interface", line},
                                           {"new-connection-mark", mark}});
        for (const char* chain : {"prerouting", "output"})
            router.Add(
                "/ip firewall mangle",
                {{"action", "mark-routing"}, {"chain", chain}, {"connection-mark", mark}, {"new-routing-mark", table}});
        if (v7)
            router.Add("/routing table", {{"name", table}});
        router.Add("/ip route",
                   {{"dst-address", "0.0.0.0/0"}, {"gateway", line}, {v7 ? "routing-table" : "routing-mark", table}});
        router.Add("/ip route", {{"distance", "2"}, // the other line as the backup
                                 {"dst-address", "0.0.0.0/0"},
                                 {"gateway", "pppoe-out" + std::to_string((i + 1) % lines)},
                                 {v7 ? "routing-table" : "routing-mark", table}});
    }
}

// A router shape of two lines (one for defconf) on a release: the default
// configuration; a cafe's router with its own items, FastTrack on and an own
// rule of it off, and an own winbox; PCC; PCC whose routes name the PPPoE
// peers' addresses; equal-cost routes; a failover by address gateways; a line
// down.
std::vector<TWanInput> BuildShape(const std::string& shape, TRouterModel& router, const char* version) {
    const std::vector<TWanInput> fixed = {{"ether2", "58.61.10.2", 100, 20}, {"ether3", "58.61.20.2", 100, 20}};
    const auto prepare = [&](const std::vector<TWanInput>& lines) {
        Prepare(router, lines, "bridge", TRouterOs::V6V7);
        router.Version = version;
        return lines;
    };
    if (shape == "defconf") { // one DHCP line, FastTrack on
        prepare({fixed[0]});
        router.Add("/ip dhcp-client", {{"gateway", "58.61.10.1"}, {"interface", "ether2"}});
        router.Add("/ip firewall filter", {{"action", "fasttrack-connection"}, {"chain", "forward"}});
        return {fixed[0]};
    }
    if (shape == "failover") // by address gateways
        return prepare(fixed);
    prepare(PppoeLines(2));
    if (shape == "cafe") {
        AddOwnConfiguration(router);
        router.Add("/ip firewall filter",
                   {{"action", "fasttrack-connection"}, {"chain", "forward"}, {"comment", "defconf: fasttrack"}});
        router.Add("/ip firewall filter",
                   {{"action", "fasttrack-connection"}, {"chain", "forward"}, {"disabled", "yes"}});
        router.Add("/ip firewall layer7-protocol", {{"name", "winbox"}, {"regexp", "^own"}});
    }
    if (shape == "pcc" || shape == "peers")
        AddPcc(router, 2);
    if (shape == "peers") // each line a /32 whose network is its PPPoE peer, the routes' gateway
        for (int i = 0; i < 2; ++i) {
            const std::string line = "pppoe-out" + std::to_string(i), peer = "10.9.9." + std::to_string(i);
            for (auto* address : router.In("/ip address"))
                if (address->Get("interface") == line) {
                    router.Set(*router.Item(address->Id), "address", "100.64.0." + std::to_string(i) + "/32");
                    router.Set(*router.Item(address->Id), "network", peer);
                }
            for (auto* route : router.In("/ip route"))
                if (route->Get("gateway") == line)
                    router.Set(*router.Item(route->Id), "gateway", peer);
        }
    if (shape == "equal")
        for (const char* gateway : {"pppoe-out0", "pppoe-out1"})
            router.Add("/ip route", {{"dst-address", "0.0.0.0/0"}, {"gateway", gateway}});
    if (shape == "down")
        router.Erase(*router.In("/ip address").back());
    if (shape == "ipv6") { // on the second line, with IPv6 FastTrack
        router.Add("/ipv6 route", {{"dst-address", "::/0"}, {"gateway", "fe80::1%pppoe-out1"}});
        router.Add("/ipv6 firewall filter", {{"action", "fasttrack-connection"}, {"chain", "forward"}});
    }
    if (shape == "noipv6") // v6 with its ipv6 package disabled
        router.Set(*router.Item(router.In("/system package")[0]->Id), "disabled", "yes");
    return PppoeLines(2);
}

// Every item as a router prints it: by id, its values sorted, none empty and
// no disabled=no.
std::string Items(const TRouterModel& router) {
    std::string items;
    for (const auto& [menu, list] : router.Menus)
        for (const TRouterItem& item : list) {
            auto params = item.Params;
            std::erase_if(params, [](const auto& param) {
                return param.second.empty() || (param.first == "disabled" && param.second == "no");
            });
            std::ranges::sort(params);
            items += menu + ' ' + item.Id;
            for (const auto& [name, value] : params)
                items += ' ' + name + '=' + value;
            items += '\n';
        }
    return items;
}
