#pragma once

// The RouterOS release the script is written for. V5 is the script as it has
// always been. V6V7 serves every v6 and v7 release: what those releases read
// differently is decided on the router when the script runs.
enum class TRouterOs {
    V5,   // RouterOS v5
    V6V7, // RouterOS v6 and v7
};
