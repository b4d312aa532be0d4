#pragma once

#include "generator/Fixtures.h"
#include "routerscript/Router.h"

#include <string>
#include <vector>

// Routers as cafes run them, for the scripts to run on.

// A router of the release the target is for, holding the interfaces and
// addresses the lines name: the LAN's network, and each line a PPPoE client
// or, with a fixed address, a default route through the first address of its
// network, one line after another as a failover.
void Prepare(TRouterModel& router, const std::vector<TWanInput>& inputs, const std::string& lan, TRouterOs target);
// Lines pppoe-out0, pppoe-out1, … at 100.64.0.<n>, 100 Mbps down, 20 up.
std::vector<TWanInput> PppoeLines(int count);
// The v6/v7 script for the lines, as the windows hand them over.
std::string Generated(const std::vector<TWanInput>& lines);
// What a cafe's router holds beside Qostrel: a policy route for the owner's
// PC, a packet mark for the cashier's PC and its queue, the server's address in
// a list of the operator's, two simple queues, a PPP line's dynamic rule.
std::vector<TRouterItem> AddOwnConfiguration(TRouterModel& router);
// Load balancing by PCC over the lines pppoe-out<n>, as the usual recipe
// writes it.
void AddPcc(TRouterModel& router, int lines);
// A router shape of two lines (one for defconf) on a release: "defconf",
// "cafe", "pcc", "peers", "equal", "failover", "down", "ipv6" or "noipv6".
std::vector<TWanInput> BuildShape(const std::string& shape, TRouterModel& router, const char* version);
// Every item as a router prints it: by id, its values sorted, none empty and
// no disabled=no.
std::string Items(const TRouterModel& router);
