#include "ui/InputCheck.h"

#include "model/GbkCodec.h"
#include "model/InputRules.h"

TMessage HintMessage(std::string_view text) {
    return {TMessage::Hint, "提示", std::string(text)};
}

TMessage ErrorMessage(std::string_view text) {
    return {TMessage::Error, std::string(kApplicationTitle), std::string(text)};
}

bool TInputCheck::Refuse(std::optional<TControl> focus, std::string_view message) const {
    Window.ShowMessage(HintMessage(message));
    if (focus)
        Window.Focus(*focus);
    return false;
}

std::optional<std::string> TInputCheck::RequiredText(TControl edit, std::string_view emptyMessage,
                                                     std::string_view field, TIfEmpty ifEmpty) const {
    const std::string text = Window.Text(edit);
    const std::string_view trimmed = TrimText(text);
    if (trimmed.empty()) {
        if (ifEmpty == EmptyEdit)
            Window.SetText(edit, trimmed);
        Refuse(edit, emptyMessage);
        return std::nullopt;
    }
    auto gbk = Utf8ToGbk(trimmed);
    if (!gbk)
        Refuse(edit, std::string(field) + "含有GBK无法表示的字符");
    return gbk;
}

std::optional<std::int32_t> TInputCheck::Integer(TControl edit, bool trimmed) const {
    const std::string text = Window.Text(edit);
    return ParseIntText(trimmed ? TrimText(text) : std::string_view(text));
}
