#pragma once

#include "model/QvVariant.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The row that shows a line in the main window's list; only the windows know
// what it is. The line links to it but never owns it.
class TWanListItem;

// One WAN line of the cafe: four script variables named after the line.
class TQvWan final {
public:
    // Declared in creation order; destroyed in reverse.
    TQvVariant RxVar;   // upload Mbps
    TQvVariant TxVar;   // download Mbps
    TQvVariant IpVar;   // IP address of the WAN interface
    TQvVariant NameVar; // interface name on the router
    std::vector<std::string> Lines;
    TWanListItem* ListItem = nullptr;

    void SetVarNames(const std::string& prefix);
    void Assign(const std::string& interfaceName, const std::string& ip, std::int32_t uploadMbps,
                std::int32_t downloadMbps);
    void RenderLines();
};

// The main window's lines in order; removing a line frees it.
using TQvWanList = std::vector<std::unique_ptr<TQvWan>>;
