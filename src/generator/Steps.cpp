#include "generator/RouterOsSources.h"
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

// The runs of steps of one kind, as the report reads them: {first step;kind}
// of each, the kind its place in TStepKind.
std::string Runs(const TScriptSteps& steps) {
    std::string runs = "{";
    for (std::size_t at = 0; at < steps.Steps.size(); ++at) {
        const TStepKind kind = steps.Steps[at].Kind;
        if (at > 0 && steps.Steps[at - 1].Kind == kind)
            continue;
        runs += (runs.size() > 1 ? ";{" : "{") + std::to_string(at + 1) + ";" +
                std::to_string(static_cast<std::size_t>(kind)) + "}";
    }
    return runs + "}";
}

} // namespace

void AppendReport(TScriptWriter& lines, const TScriptSteps& steps, std::size_t lineCount) {
    static const TEntryText report{RouterOsSource::Report};
    std::size_t checks = 0;
    while (checks < steps.Steps.size() && steps.Steps[checks].Kind <= TStepKind::Routes)
        ++checks;
    // The online rule, then per line 4 jumps and 47 marking rules; 2 roots and
    // 36 queues a line. The report adds the rules that route by the marks.
    const std::string last = std::to_string(steps.Steps.size()), checkCount = std::to_string(checks),
                      lineText = std::to_string(lineCount), ruleCount = std::to_string(1 + 51 * lineCount),
                      queueCount = std::to_string(2 + 36 * lineCount), runs = Runs(steps);
    AppendEntry(lines, report,
                {{"{LAST}", last},
                 {"{CHECKS}", checkCount},
                 {"{RUNS}", runs},
                 {"{LINES}", lineText},
                 {"{RULES}", ruleCount},
                 {"{QUEUES}", queueCount}});
}
