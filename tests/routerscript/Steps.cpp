#include "routerscript/Runner.h"

#include <algorithm>

// The step protocol of Qostrel's v6/v7 scripts, as an import or a paste runs
// them. After the header's `:global` lines the script is a chain of top-level
// `{ … }` blocks, the steps: each tests `$QvStep` against its predecessor's
// number before any change, changes nothing outside that test, and sets its
// own number; a stop (`:error`) never follows an add of its block. The
// console takes each top-level command whole, a block of at most
// kMaxBlockBytes.

namespace {

using namespace RouterScript;

// A step's first command after its `:global` lines tests $QvStep: its gate.
const TCommand* GateOf(const TScript& block) {
    for (const TCommand& command : block.Commands) {
        if (command.Verb == ":global" && !command.Positional(1))
            continue;
        const TArg* condition = command.Positional(0);
        if (command.Verb != ":if" || !condition || condition->Value.Kind != TExpr::Binary ||
            condition->Value.Name != "=" || condition->Value.Parts[0].Name != "QvStep")
            return nullptr;
        return &command;
    }
    return nullptr;
}

// Watches one top-level command run.
class TStepProtocol final : public TRunWatch {
public:
    TStepProtocol(TRouterModel& model, std::size_t step, const TCommand* gate) : M(model), Step(step), Gate(gate) {}

    void Changing() override {
        if (Step && !InGate)
            Fail("a change outside its step's gate", "");
        if (Step && Step == M.AbortStep)
            throw TRefused{};
    }
    void Added() override { AddedInBlock = true; }
    void Setting(const std::string& name, const TRouterValue& value, std::string_view source) override {
        if (name != "QvStep" || !Step)
            return;
        if (value != Num(std::int64_t(Step)))
            Fail("a step sets a number not its own", source);
        if (Step == M.AbortStep)
            throw TRefused{};
        ++M.StepsRun;
    }
    void Stopping(std::string_view source) override {
        if (AddedInBlock)
            Fail("a stop after an add", source);
    }
    void Branch(const TCommand& condition, bool entering) override {
        if (&condition == Gate)
            InGate = entering;
    }

private:
    TRouterModel& M;
    std::size_t Step; // 0 outside the steps
    const TCommand* Gate;
    bool InGate = false;
    bool AddedInBlock = false;
};

} // namespace

void TRouterModel::Import(std::string_view script) {
    // Each command typed at the prompt, a `{ … }` block whole.
    struct TChunk {
        std::string Text;
        bool Block;
        std::size_t Bytes;
    };
    std::vector<TChunk> chunks;
    int depth = 0;
    for (const TScriptLine& line : LogicalLines(script)) {
        const std::size_t first = line.Text.find_first_not_of(' ');
        if (depth == 0 && (first == std::string::npos || line.Text[first] == '#'))
            continue;
        if (depth == 0)
            chunks.push_back({line.Text, line.Text == "{", line.Bytes});
        else
            chunks.back().Text += "\n" + line.Text, chunks.back().Bytes += line.Bytes;
        depth = BraceDepthAfter(line.Text, depth);
    }
    if (depth != 0)
        Fail("{ without }", script.substr(script.size() - 2));
    const bool blocks = std::ranges::any_of(chunks, [](const TChunk& chunk) { return chunk.Block; });
    std::size_t steps = 0;
    std::string menu = "/";
    for (const TChunk& chunk : chunks) {
        if (chunk.Block && chunk.Bytes - 2 > kMaxBlockBytes)
            Fail("a block of " + std::to_string(chunk.Bytes - 2) + " bytes", chunk.Text);
        const TScript parsed = Parse(chunk.Text, true);
        const TCommand* gate = nullptr;
        std::size_t step = 0;
        if (chunk.Block) {
            TDeclared scopes;
            CheckDeclared(parsed, scopes);
            if ((gate = GateOf(*parsed.Commands.at(0).Block))) {
                if (gate->Positional(0)->Value.Parts[1].Value != Num(std::int64_t(steps)))
                    Fail("a step must test its predecessor's number first", gate->Source);
                step = ++steps;
            }
        } else if (blocks && std::ranges::any_of(parsed.Commands,
                                                 [](const TCommand& command) { return command.Verb != ":global"; })) {
            Fail("a change outside the steps", chunk.Text);
        }
        TStepProtocol protocol(*this, step, gate);
        Watch = &protocol;
        std::string blockMenu = "/"; // a block names its menus itself
        TRunner runner(*this, chunk.Block ? blockMenu : menu, !chunk.Block);
        bool failed = true;
        try {
            runner.Run(parsed);
            failed = false;
        } catch (const TScriptError& error) {
            Errors.push_back(error.Message);
        } catch (const TRefused&) {
            Errors.push_back("refused in step " + std::to_string(step));
        }
        Watch = nullptr;
        if (failed && !Pasted)
            return;
    }
}
