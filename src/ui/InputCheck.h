#pragma once

#include "ui/WindowPorts.h"

#include <optional>
#include <string>
#include <string_view>

// A check of operator input in one of the windows: a failure shows one hint
// over the window and moves the focus to the edit at fault.
class TInputCheck final {
public:
    enum TIfEmpty { KeepEdit, EmptyEdit };

    explicit TInputCheck(TWindowPort& window) : Window(window) {}

    // Shows the hint and focuses the control, when there is one. Always false.
    bool Refuse(std::optional<TControl> focus, std::string_view message) const;

    // A text that must not be empty: the edit's text trimmed, as GBK bytes; or
    // nullopt once the operator has been told it is empty or names a character
    // GBK cannot hold. EmptyEdit clears blanks the operator typed.
    std::optional<std::string> RequiredText(TControl edit, std::string_view emptyMessage, std::string_view field,
                                            TIfEmpty ifEmpty) const;

    // An edit's text read by the integer text rule, trimmed first or not.
    std::optional<std::int32_t> Integer(TControl edit, bool trimmed) const;

private:
    TWindowPort& Window;
};

// An input hint: caption "提示", one OK button, no icon.
TMessage HintMessage(std::string_view text);
// The general error report: error icon, the application's title as caption.
TMessage ErrorMessage(std::string_view text);
