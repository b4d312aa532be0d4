#include "generator/Sections.h"

// The chain of steps of the v6/v7 script and its last block, the report.

void TScriptSteps::Begin(const TScriptWriter& lines, TStepKind kind, std::initializer_list<std::string_view> globals) {
    if (!Enabled)
        return;
    End(lines);
    Steps.push_back({kind, lines.Size(), lines.Size(), {}});
    Open = true;
    Declare(globals);
}

void TScriptSteps::Declare(std::span<const std::string_view> globals) {
    if (!Enabled)
        return;
    for (const std::string_view global : globals) {
        Steps.back().Globals += ":global ";
        Steps.back().Globals += global;
        Steps.back().Globals += "\r\n";
    }
}

void TScriptSteps::End(const TScriptWriter& lines) {
    if (Open)
        Steps.back().Last = lines.Size();
    Open = false;
}

void TScriptSteps::Wrap(std::vector<std::string>& entries) const {
    if (Steps.empty())
        return;
    std::vector<std::string> wrapped;
    wrapped.reserve(entries.size());
    std::size_t next = 0;
    for (std::size_t number = 1; number <= Steps.size(); ++number) {
        const TStep& step = Steps[number - 1];
        for (; next < step.First; ++next)
            wrapped.push_back(std::move(entries[next]));
        // A step with no entries of its own still takes its number.
        std::string block = "{\r\n:global QvStep\r\n:if ($QvStep = " + std::to_string(number - 1) + ") do={\r\n";
        block += step.Globals;
        for (; next < step.Last; ++next) {
            block += entries[next];
            block += "\r\n";
        }
        block += ":set QvStep " + std::to_string(number) + "\r\n}\r\n}";
        wrapped.push_back(std::move(block));
    }
    for (; next < entries.size(); ++next)
        wrapped.push_back(std::move(entries[next]));
    entries = std::move(wrapped);
}

namespace {

// The report, after the last step. Only a complete run sets the last step's
// number: then it confirms what was created, counted against what the clearing
// left. Otherwise it names the step that stopped. It removes the helper
// globals either way.
constexpr std::string_view kReport = R"~({
#核对创建的数量，报告结果，删除脚本的辅助全局变量
:global QvStep
:global QvTypes0
:global QvMangle0
:global QvTree0
:global QvRouted
:if ($QvStep = {LAST}) do={
:local QvTypes ([:len [/queue type find]] - $QvTypes0)
:local QvMangle ([:len [/ip firewall mangle find dynamic=no]] - $QvMangle0)
:local QvTree ([:len [/queue tree find]] - $QvTree0)
:local QvRules ({RULECOUNT} + (17 * $QvRouted))
:if ($QvRouted > 0) do={:set QvRules ($QvRules + 32)}
:local QvCounts ("{TYPES}" . $QvTypes . "/{TYPECOUNT}{RULES}" . $QvMangle . "/" . $QvRules . "{QUEUES}" . $QvTree . "/{QUEUECOUNT}")
:if (($QvTypes = {TYPECOUNT}) && ($QvMangle = $QvRules) && ($QvTree = {QUEUECOUNT})) do={:local QvMsg ("Qostrel: {DONE}" . $QvCounts . "{KEPT}" . $QvMangle0 . "{KEPTRULES}" . $QvTree0 . "{KEPTQUEUES}{FOLLOWER}{ROUTED}" . $QvRouted . "{ROUTEDOF}"); :put $QvMsg; :log info $QvMsg} else={:put ("Qostrel: {MISMATCH}" . $QvCounts); :log error ("Qostrel: {MISMATCH}" . $QvCounts)}
} else={
:local QvAt ($QvStep + 1)
:local QvWhat ""
{WHAT}:local QvMsg ("Qostrel: {STOPPED}" . $QvAt . "{OF}" . $QvWhat)
:if ($QvAt <= {CHECKS}) do={:set QvMsg ($QvMsg . "{UNCHANGED}")} else={:set QvMsg ($QvMsg . "{PARTLY}")}
:put $QvMsg
:log error $QvMsg
}
:foreach QvName in={"QvStep"{HELPERS}} do={/system script environment remove [find name=$QvName]}
})~";

struct TKindText {
    std::string_view Before, After; // around "eth" and the line's number, for a per-line kind
    bool PerLine;
};

const TKindText& TextOf(TStepKind kind) {
    static const TKindText texts[] = {
        {"检查路由器版本和服务器地址", "", false},
        {"检查LAN网卡和路由器上原有的mangle规则", "", false},
        {"检查WAN线路", "", false},
        {"检查路由器上原有的连接标记和每条WAN线路的网关", "", false},
        {"导入地址列表、端口映射和在线统计，备份旧设置", "", false},
        {"安装让Network跟随WAN地址的计划任务", "", false},
        {"清除旧的mangle规则、队列和PCQ类型", "", false},
        {"添加PCQ类型", "", false},
        {"禁用FastTrack，添加在线规则", "", false},
        {"添加跳转规则", "", false},
        {"添加WAN线路", "的mangle规则和路由", true},
        {"添加按线路路由的mangle规则", "", false},
        {"添加队列树的根", "", false},
        {"添加WAN线路", "的队列", true},
    };
    return texts[static_cast<std::size_t>(kind)];
}

// One line per run of steps of one kind: what the step does, with the line's
// eth name worked out from the step's number.
std::string WhatTable(const TScriptSteps& steps) {
    std::string table;
    for (std::size_t first = 0; first < steps.Steps.size();) {
        const TStepKind kind = steps.Steps[first].Kind;
        std::size_t last = first;
        while (last + 1 < steps.Steps.size() && steps.Steps[last + 1].Kind == kind)
            ++last;
        const TKindText& text = TextOf(kind);
        const std::string from = std::to_string(first + 1), to = std::to_string(last + 1);
        table +=
            first == last ? ":if ($QvAt = " + from + ")" : ":if (($QvAt >= " + from + ") && ($QvAt <= " + to + "))";
        if (text.PerLine)
            table += " do={:set QvWhat (\"" + RouterString(text.Before) + "eth\" . ($QvAt - " + from + ") . \"" +
                     RouterString(text.After) + "\")}\r\n";
        else
            table += " do={:set QvWhat \"" + RouterString(text.Before) + "\"}\r\n";
        first = last + 1;
    }
    return table;
}

} // namespace

void AppendReport(TScriptWriter& lines, const TScriptSteps& steps, std::size_t lineCount) {
    static const TEntryText report{kReport};
    static const std::string types = RouterString("PCQ类型 "), rules = RouterString("，mangle规则 "),
                             queues = RouterString("，队列 "), done = RouterString("流控设置完成："),
                             mismatch = RouterString("创建的数量与应有的不符，请检查："),
                             stopped = RouterString("脚本在第"),
                             followerIs = RouterString("。计划任务Qostrel_Network每分钟让Network地址列表跟随 "),
                             followerOf = RouterString(" 个WAN网卡的IP地址"), of = RouterString("步停止："),
                             kept = RouterString("。保留了路由器上原有的 "),
                             keptRules = RouterString(" 条mangle规则和 "), keptQueues = RouterString(" 个队列树队列"),
                             routed = RouterString("。"),
                             routedOf = RouterString(" 条WAN线路的连接固定从各自的线路进出"),
                             unchanged = RouterString("。路由器的设置没有改动。请按上面的提示改正后重新粘贴"),
                             partly = RouterString("。旧的流控设置可能已部分清除。请按上面的错误信息改正后重新粘贴，"
                                                   "脚本会先清理再重建");
    std::size_t checks = 0;
    while (checks < steps.Steps.size() && steps.Steps[checks].Kind <= TStepKind::Routes)
        ++checks;
    std::string helpers;
    for (const std::string_view helper : steps.Helpers) {
        helpers += ";\"";
        helpers += helper;
        helpers += '"';
    }
    // The online rule, then per line 4 jumps and 47 marking rules; 32 rules
    // that route by the marks and 17 for each line with a way out, as the
    // script counts them; 2 roots and 36 queues a line; 26 PCQ types.
    const std::string last = std::to_string(steps.Steps.size()), checkCount = std::to_string(checks),
                      ruleCount = std::to_string(1 + 51 * lineCount), queueCount = std::to_string(2 + 36 * lineCount);
    AppendEntry(lines, report,
                {{"{LAST}", last},
                 {"{TYPES}", types},
                 {"{RULES}", rules},
                 {"{QUEUES}", queues},
                 {"{DONE}", done},
                 {"{MISMATCH}", mismatch},
                 {"{TYPECOUNT}", "26"},
                 {"{RULECOUNT}", ruleCount},
                 {"{QUEUECOUNT}", queueCount},
                 {"{WHAT}", WhatTable(steps)},
                 {"{STOPPED}", stopped},
                 {"{OF}", of},
                 {"{CHECKS}", checkCount},
                 {"{UNCHANGED}", unchanged},
                 {"{PARTLY}", partly},
                 {"{HELPERS}", helpers},
                 {"{KEPT}", kept},
                 {"{KEPTRULES}", keptRules},
                 {"{KEPTQUEUES}", keptQueues},
                 {"{FOLLOWER}", followerIs + std::to_string(lineCount) + followerOf},
                 {"{ROUTED}", routed},
                 {"{ROUTEDOF}", routedOf}});
}
