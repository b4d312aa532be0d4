#pragma once

// The RouterOS release the script is written for. V5 is the script as it has
// always been; the later targets change only the few texts that those releases
// refuse or read differently.
enum class TRouterOs {
    V5, // RouterOS v5
    V6, // RouterOS v6.x and v7.0 to v7.9
    V7, // RouterOS v7.10 and later: ISO dates
};
