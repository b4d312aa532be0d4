#pragma once

#include "routerscript/Router.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

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
// connection's hash. An IPv6 packet ("/ipv6") walks the /ipv6 menus: to the
// internet by default routes only, through an interface or a link-local
// %interface.
// A packet whose connection has no mark yet is its connection's first.
class TMangleWalk {
public:
    explicit TMangleWalk(const TRouterModel& router, std::string family = "/ip");
    // The packet's marks and out-interface after the walk; returns the rules it was tested against.
    std::size_t Walk(TPacket& packet) const;
    std::size_t WalkOutput(TPacket& packet) const;

private:
    const TRouterModel& Router;
    const std::string Family;
    std::map<std::string, std::vector<const TRouterItem*>> Chains;
    std::size_t Hook(const std::string& hook, TPacket& packet) const;
    void Route(TPacket& packet) const;
    std::string InterfaceOf(const std::string& gateway) const; // empty for none
};
