#pragma once

#include "generator/RouterOs.h"
#include "model/QvVariant.h"
#include "model/QvWan.h"

#include <cstdint>
#include <string>
#include <vector>

class TScriptWriter;

// Writes the RouterOS script that sets up the cafe's traffic shaping. The
// operator's input enters only the variable header; every later section refers
// to the globals by name, so the router works the values out itself.
class TQvVorrel final {
public:
    // Declared in creation order; destroyed in reverse.
    TQvVariant ServerVar;
    std::vector<std::string> Lines; // one entry per appended text; an entry may hold CR LF
    TQvVariant LanVar;
    TQvVariant ClientVar;
    TQvVariant RateRxVar;
    TQvVariant RateTxVar;
    // The router the next Generate writes for.
    TRouterOs Target = TRouterOs::V5;

    // Renames every line eth0, eth1, … by its place and refills Lines.
    void Generate(const std::string& serverIp, const TQvWanList& wanLines, const std::string& lanName,
                  std::int32_t clientCount);

    // The script as pasted into the router: every entry followed by CR LF.
    std::string ScriptText() const;

private:
    // Everything after the header names only the globals, so its text depends
    // on the target and the number of lines alone: the last one is kept, and
    // generating again for the same router and lines copies it.
    struct TSections {
        TRouterOs Target = TRouterOs::V5;
        std::size_t LineCount = 0;
        std::vector<std::string> Entries; // empty until the first Generate
    };
    TSections Sections;

    void AppendHeader(TScriptWriter& lines, const std::string& serverIp, const TQvWanList& wanLines,
                      const std::string& lanName, std::int32_t clientCount);
};
