#include "generator/RouterOsSources.h"
#include "generator/Sections.h"

#include "model/GbkCodec.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <map>
#include <set>
#include <stdexcept>
#include <utility>

// The v6/v7 script after its header: a chain of steps, built from one table.
// A step is a top-level block of routeros/step.rsc; the console reads and runs
// each on its own, so no step grows with the number of lines.

namespace {

namespace Rsc = RouterOsSource;

// One row a run of steps, in script order: a new step is its .rsc file and a
// row here. A row that takes lines has a step for each LinesPerStep of them;
// one that takes none has one step. A step is its row's First pieces (its
// first step only), Head, Each once a line, and Last (its last step only),
// each a routeros/*.rsc file, and is known by them (StepOf).
struct TStepRow {
    std::string_view Name = {};   // in the report of a stop, UTF-8
    std::string_view OfLine = {}; // a step a line: the name is Name, the line (eth0), OfLine
    std::size_t LinesPerStep = 0;
    std::vector<std::string_view> First = {}, Head = {}, Each = {}, Last = {};
    std::size_t Rules = 0, Queues = 0; // mangle rules and queues each line adds
    std::size_t SixRules = 0;          // IPv6 mangle rules each line adds, where the router has IPv6
    bool EvenWithoutLines = false;     // one step when there are no lines
    bool OnlyChecks = false;           // changes nothing on the router
};

const std::vector<TStepRow>& StepTable() {
    static const std::vector<TStepRow> table = {
        {.Name = "检查路由器版本和服务器地址", .Head = {Rsc::ReleaseCheck, Rsc::SixCheck}, .OnlyChecks = true},
        {.Name = "检查LAN网卡和路由器上原有的mangle规则",
         .Head = {Rsc::OwnedMangle, Rsc::ConfigCheck, Rsc::SixOwn},
         .OnlyChecks = true},
        {.Name = "检查WAN线路",
         .LinesPerStep = 8,
         .Each = {Rsc::LineCheckAdd},
         .Last = {Rsc::LineCheck},
         .OnlyChecks = true},
        {.Name = "检查路由器上原有的连接标记和每条WAN线路的网关",
         .Head = {Rsc::DefaultRoutes, Rsc::ConnectionMarks, Rsc::WaysOut, Rsc::RouteCode},
         .OnlyChecks = true},
        {.Name = "安装撤销脚本Qostrel_Remove", .Head = {Rsc::RemoveInstall}},
        {.Name = "安装撤销脚本Qostrel_Remove", .Head = {Rsc::RemoveAppend}},
        {.Name = "导入地址列表、端口映射和在线统计，备份旧设置",
         .Head = {Rsc::FollowerStop, Rsc::Cleanup, Rsc::ServerList, Rsc::PortForwards, Rsc::Winbox, Rsc::OnlineCounter,
                  Rsc::Backup}},
        {.Name = "导入地址列表、端口映射和在线统计，备份旧设置",
         .LinesPerStep = 32,
         .Head = {Rsc::WanListHeading},
         .Each = {Rsc::WanAddress}},
        {.Name = "安装让Network跟随WAN地址的计划任务",
         .LinesPerStep = 32,
         .First = {Rsc::FollowerHead},
         .Each = {Rsc::FollowerLine},
         .Last = {Rsc::Follower},
         .EvenWithoutLines = true},
        {.Name = "清除旧的mangle规则、队列和PCQ类型",
         .Head = {Rsc::ClearingMangle, Rsc::QueueRows, Rsc::ClearingTree, Rsc::ClearingTypes, Rsc::ClearingCheck,
                  Rsc::CountsBefore}},
        {.Name = "添加PCQ类型", .Head = {Rsc::PcqTypes}},
        {.Name = "禁用FastTrack，添加在线规则和IPv6的分类",
         .Head = {Rsc::Fasttrack, Rsc::OnlineRule, Rsc::SixStart},
         .Rules = 1,
         .SixRules = 15},
        {.Name = "添加跳转规则",
         .LinesPerStep = 32,
         .First = {Rsc::JumpHeading},
         .Head = {Rsc::JumpsMenu},
         .Each = {Rsc::Jumps},
         .Rules = 2},
        {.Name = "添加WAN线路",
         .OfLine = "的mangle规则和路由",
         .LinesPerStep = 1,
         .First = {Rsc::MarkingHeading},
         .Each = {Rsc::Marking},
         .Rules = 49,
         .SixRules = 30},
        {.Name = "添加按线路路由的mangle规则", .Head = {Rsc::Routing}},
        {.Name = "添加队列树的根", .Head = {Rsc::QueueRoots}, .Queues = 2},
        {.Name = "添加WAN线路",
         .OfLine = "的队列",
         .LinesPerStep = 1,
         .First = {Rsc::TreeHeading},
         .Each = {Rsc::QueueTree},
         .Queues = 36},
    };
    return table;
}

// A step as planned: its row and the lines [First, Last) it takes.
struct TPlannedStep {
    const TStepRow* Row;
    std::size_t First, Last;
    bool FirstOfRow, LastOfRow;
};

std::vector<TPlannedStep> Plan(std::size_t lineCount) {
    std::vector<TPlannedStep> steps;
    for (const TStepRow& row : StepTable()) {
        if (row.LinesPerStep == 0) {
            steps.push_back({&row, 0, 0, true, true});
            continue;
        }
        if (lineCount == 0 && row.EvenWithoutLines)
            steps.push_back({&row, 0, 0, true, true});
        for (std::size_t first = 0; first < lineCount; first += row.LinesPerStep) {
            const std::size_t last = std::min(first + row.LinesPerStep, lineCount);
            steps.push_back({&row, first, last, first == 0, last == lineCount});
        }
    }
    return steps;
}

std::string LineName(std::size_t line) {
    return "eth" + std::to_string(line);
}

// A step's name in the report, as the escapes of a quoted string.
std::string StepName(const TPlannedStep& step) {
    const TStepRow& row = *step.Row;
    const std::string name =
        std::string(row.Name) + (row.OfLine.empty() ? "" : LineName(step.First) + std::string(row.OfLine));
    return EscapeScriptString(FixedGbk(name));
}

// Each source converted once; a source is known by where its text lies.
const TEntryText& Text(std::string_view source, TTextKind kind = TTextKind::Console) {
    static std::map<std::pair<const char*, TTextKind>, TEntryText> texts;
    auto found = texts.find({source.data(), kind});
    if (found == texts.end())
        found = texts.emplace(std::pair{source.data(), kind}, TEntryText(source, kind)).first;
    return found->second;
}

// Qostrel's mark, as the program tests a comment for it: "Qostrel" alone or
// followed by a space and what the comment says; and the same or no comment
// at all, as earlier versions left list entries, schedulers and scripts.
// POSIX regular expressions, as the script writes them in a quoted string.
constexpr std::string_view kMarked = R"(^Qostrel( |\$))";
constexpr std::string_view kMarkedOrBare = R"(^(Qostrel( |\$)|\$))";
// The end of the comment of a FastTrack rule that an import disabled: the
// record, in the rule itself, that Qostrel_Remove enables it again.
constexpr std::string_view kFastTrackTag = " [Qostrel]";
// The menus of FastTrack's rules: IPv4's, and IPv6's from 7.18 on.
constexpr std::string_view kFilter = "/ip firewall filter", kSixFilter = "/ipv6 firewall filter";
// A line's connection marks, each after "<interface>_": ICMP and DNS, the
// server, the twelve classes, and connections to the router itself. Each has
// a chain "Qostrel_<mark>" that routes it by its line's table.
constexpr std::string_view kLineMarks = "icmp_connect,Server_Conn,1_Conn,2_Conn,3_Conn,4_Conn,5_Conn,6_Conn,7_Conn,8_"
                                        "Conn,-1_Conn,-2_Conn,-3_Conn,0_Conn,In_Conn";

// Qostrel's shaping removed, whatever version made it: its mangle rules,
// routes and tables, queue tree and queue types. The same code serves the
// import's clearing and Qostrel_Remove, as the router stores it; the import
// finds its mangle rules in its checks already.
std::string StoredClearing() {
    const TNameFill fills[] = {{"{LINEMARKS}", kLineMarks}, {"{MARKED}", kMarked}};
    std::string clearing;
    for (const std::string_view piece :
         {Rsc::OwnedMangle, Rsc::ClearingMangle, Rsc::QueueRows, Rsc::ClearingTree, Rsc::ClearingTypes}) {
        if (!clearing.empty())
            clearing += "\r\n";
        Text(piece, TTextKind::Code).AppendTo(clearing, fills);
    }
    return clearing;
}

// Qostrel_Remove's code as two quoted values in export layout, split at the
// line nearest its middle: one step holds too little for the whole of it.
std::pair<std::string, std::string> RemoveSource() {
    const std::string cleanup =
        Text(Rsc::Cleanup, TTextKind::Code).Fill({{"{MARKED}", kMarked}, {"{MARKEDORBARE}", kMarkedOrBare}});
    // Quoted inside the stored code, on one line: that code is quoted again.
    const auto fastTrackBack = [](std::string_view menu) {
        std::string quoted = EscapeScriptString(
            Text(Rsc::FasttrackBackSource, TTextKind::Code).Fill({{"{TAG}", kFastTrackTag}, {"{MENU}", menu}}));
        for (std::size_t at; (at = quoted.find("\\0D\\0A")) != std::string::npos;)
            quoted.replace(at, 6, "\\r\\n");
        return quoted;
    };
    const std::string code = Text(Rsc::Remove, TTextKind::Code)
                                 .Fill({{"{CLEARING}", StoredClearing()},
                                        {"{CLEANUP}", cleanup},
                                        {"{FASTBACK}", fastTrackBack(kFilter)},
                                        {"{SIXFASTBACK}", fastTrackBack(kSixFilter)},
                                        {"{MARKEDORBARE}", kMarkedOrBare}});
    const std::size_t half = code.find("\r\n", code.size() / 2) + 2;
    return {StoredCode(code.substr(0, half)), StoredCode(code.substr(half))};
}

bool IsNameChar(char ch) {
    return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9') || ch == '_';
}

// Every helper global the program declares, in the order it first does: the
// report removes them all.
std::string HelperGlobals() {
    std::vector<std::string> names;
    const auto scan = [&](std::string_view source) {
        constexpr std::string_view declare = ":global Qv";
        for (std::size_t at = source.find(declare); at != std::string_view::npos; at = source.find(declare, at + 1)) {
            std::size_t end = at + 8;
            while (end < source.size() && IsNameChar(source[end]))
                ++end;
            const std::string name(source.substr(at + 8, end - at - 8));
            if (std::ranges::find(names, name) == names.end())
                names.push_back(name);
        }
    };
    scan(Rsc::StepsStart);
    scan(Rsc::Step);
    for (const TStepRow& row : StepTable())
        for (const auto* pieces : {&row.First, &row.Head, &row.Each, &row.Last})
            for (const std::string_view piece : *pieces)
                scan(piece);
    scan(Rsc::Report);
    std::string list;
    for (const std::string& name : names)
        list += (list.empty() ? "" : ",") + name;
    return list;
}

// A step's own lines as its block holds them. Each piece declares at its top
// the globals it takes; the step declares them once, below its heading, with
// the header's globals it uses. Its lines are indented; comments start their
// line, and a line that goes on another stays as export layout writes it.
std::string StepBody(const std::string& pieces, const std::vector<std::string>& headerGlobals) {
    // The header's globals the step uses, in the header's order: a name after
    // a $ that is not escaped.
    std::set<std::string_view> used;
    for (std::size_t at = pieces.find('$'); at != std::string::npos; at = pieces.find('$', at + 1)) {
        std::size_t end = at + 1;
        while (end < pieces.size() && IsNameChar(pieces[end]))
            ++end;
        if (at == 0 || pieces[at - 1] != '\\')
            used.insert(std::string_view(pieces).substr(at + 1, end - at - 1));
    }
    std::vector<std::string> declared;
    for (const std::string& name : headerGlobals)
        if (used.contains(name))
            declared.push_back(Text(Rsc::Global).Fill({{"{NAME}", name}}));
    // The pieces' own declarations join them; every other line is kept.
    std::vector<std::string_view> kept;
    for (std::size_t start = 0; start <= pieces.size();) {
        const std::size_t end = std::min(pieces.find("\r\n", start), pieces.size());
        const std::string_view line(pieces.data() + start, end - start);
        const bool declaration = line.starts_with(":global ") && line.find(' ', 8) == std::string_view::npos;
        if (!declaration)
            kept.push_back(line);
        else if (std::ranges::find(declared, line) == declared.end())
            declared.emplace_back(line);
        start = end + 2;
    }
    // A heading the step opens with stands above its declarations; blank
    // lines before its first statement go.
    const auto statement =
        std::ranges::find_if(kept, [](std::string_view line) { return !line.empty() && !line.starts_with('#'); });
    std::vector<std::string_view> lines;
    std::ranges::copy_if(kept.begin(), statement, std::back_inserter(lines),
                         [](std::string_view line) { return !line.empty(); });
    lines.insert(lines.end(), declared.begin(), declared.end());
    lines.insert(lines.end(), statement, kept.end());
    std::string body;
    bool goesOn = false;
    for (std::size_t at = 0; at < lines.size(); ++at) {
        const std::string_view line = lines[at];
        const std::size_t first = line.find_first_not_of(' ');
        const bool indent = !goesOn && first != std::string_view::npos && line[first] != '#';
        body.append(at == 0 ? "" : "\r\n").append(indent ? "    " : "").append(line);
        goesOn = line.ends_with('\\');
    }
    return body;
}

} // namespace

std::size_t StepOf(std::string_view source, std::size_t lineCount, std::size_t line) {
    const std::vector<TPlannedStep> steps = Plan(lineCount);
    for (std::size_t at = 0; at < steps.size(); ++at) {
        const TStepRow& row = *steps[at].Row;
        const bool runs =
            std::ranges::any_of(std::array{&row.First, &row.Head, &row.Each, &row.Last}, [&](auto* pieces) {
                return std::ranges::any_of(*pieces, [&](std::string_view piece) { return piece == source; });
            });
        if (runs && (row.LinesPerStep == 0 || line < steps[at].Last))
            return at + 1;
    }
    return 0;
}

void AppendSteps(TScriptWriter& lines, const THeaderNames& names, std::size_t lineCount) {
    static const std::string helperGlobals = HelperGlobals();
    static const std::string backupSource = StoredSource(Rsc::BackupSource),
                             followerSource = StoredSource(Rsc::FollowerSource, {{"{MARKEDORBARE}", kMarkedOrBare}}),
                             routeSix = StoredSource(Rsc::RouteV6), routeSeven = StoredSource(Rsc::RouteV7),
                             stopCode = StoredSource(Rsc::StopSource), sixStart = StoredSource(Rsc::SixStartSource),
                             sixLine = StoredSource(Rsc::SixLineSource),
                             fastTrack =
                                 StoredSource(Rsc::FasttrackSource, {{"{TAG}", kFastTrackTag}, {"{MENU}", kFilter}}),
                             sixFastTrack =
                                 StoredSource(Rsc::FasttrackSource, {{"{TAG}", kFastTrackTag}, {"{MENU}", kSixFilter}}),
                             sixOwn = StoredSource(Rsc::SixOwnSource, {{"{MARKED}", kMarked}});
    static const auto [removeSource, removeRest] = RemoveSource();
    std::vector<std::string> headerGlobals = {std::string(names.Server)};
    for (std::size_t line = 0; line < lineCount; ++line)
        for (const char* suffix : {"", "ip", "Rx", "Tx"})
            headerGlobals.push_back(LineName(line) + suffix);
    for (const std::string_view name : {names.Lan, names.Clients, names.RateTx, names.RateRx})
        headerGlobals.emplace_back(name);

    // Each entry in the router's export layout where a line is long.
    const auto append = [&](const TEntryText& text, std::initializer_list<TNameFill> fills) {
        std::string& entry = lines.Next();
        entry.clear();
        text.AppendTo(entry, std::span(fills.begin(), fills.size()));
        WrapLongLines(entry);
    };
    const std::vector<TPlannedStep> steps = Plan(lineCount);
    append(Text(Rsc::StepsStart), {{"{FIRST}", steps.empty() ? "" : StepName(steps.front())}});
    std::size_t checks = 0, rules = 0, queues = 0, sixRules = 0;
    for (std::size_t at = 0; at < steps.size(); ++at) {
        const TPlannedStep& step = steps[at];
        const TStepRow& row = *step.Row;
        const std::size_t taken = row.LinesPerStep == 0 ? 1 : step.Last - step.First;
        rules += row.Rules * taken;
        sixRules += row.SixRules * taken;
        queues += row.Queues * taken;
        checks += row.OnlyChecks;
        std::string pieces;
        const auto add = [&](std::string_view piece, std::size_t line) {
            const std::string name = LineName(line), index = std::to_string(line);
            const TNameFill fills[] = {{"{SERVER}", names.Server},
                                       {"{LAN}", names.Lan},
                                       {"{RATERX}", names.RateRx},
                                       {"{RATETX}", names.RateTx},
                                       {"{CLIENTS}", names.Clients},
                                       {"{TODAY}", "$QvToday"},
                                       {"{MARKED}", kMarked},
                                       {"{MARKEDORBARE}", kMarkedOrBare},
                                       {"{LINEMARKS}", kLineMarks},
                                       {"{STOPCODE}", stopCode},
                                       {"{REMOVESOURCE}", removeSource},
                                       {"{REMOVEREST}", removeRest},
                                       {"{BACKUPSOURCE}", backupSource},
                                       {"{FOLLOWERSOURCE}", followerSource},
                                       {"{ROUTESIX}", routeSix},
                                       {"{ROUTESEVEN}", routeSeven},
                                       {"{SIXSTART}", sixStart},
                                       {"{SIXLINE}", sixLine},
                                       {"{FASTTRACK}", fastTrack},
                                       {"{SIXFASTTRACK}", sixFastTrack},
                                       {"{SIXOWN}", sixOwn},
                                       {"{W}", name},
                                       {"{INDEX}", index}};
            if (!pieces.empty())
                pieces += "\r\n";
            Text(piece).AppendTo(pieces, fills);
        };
        for (const std::string_view piece : step.FirstOfRow ? row.First : std::vector<std::string_view>{})
            add(piece, step.First);
        for (const std::string_view piece : row.Head)
            add(piece, step.First);
        for (std::size_t line = step.First; line < step.Last; ++line)
            for (const std::string_view piece : row.Each)
                add(piece, line);
        for (const std::string_view piece : step.LastOfRow ? row.Last : std::vector<std::string_view>{})
            add(piece, step.First);
        const std::string previous = std::to_string(at), number = std::to_string(at + 1),
                          next = at + 1 < steps.size() ? StepName(steps[at + 1]) : "",
                          body = StepBody(pieces, headerGlobals);
        append(Text(Rsc::Step), {{"{PREVIOUS}", previous}, {"{NUMBER}", number}, {"{NEXT}", next}, {"{BODY}", body}});
    }
    const std::string last = std::to_string(steps.size()), checkCount = std::to_string(checks),
                      lineText = std::to_string(lineCount), ruleCount = std::to_string(rules),
                      queueCount = std::to_string(queues), sixRuleCount = std::to_string(sixRules);
    append(Text(Rsc::Report), {{"{LAST}", last},
                               {"{CHECKS}", checkCount},
                               {"{LINES}", lineText},
                               {"{RULES}", ruleCount},
                               {"{QUEUES}", queueCount},
                               {"{SIXRULES}", sixRuleCount},
                               {"{GLOBALS}", helperGlobals},
                               {"{MARKED}", kMarked}});
    append(Text(Rsc::Ok), {});
}
