#include "prompt.h"

void ShowPrompt(const dialog::TextLookup& texts, QWidget* parent, const char* section,
                const MessageText& message) {
    dialog::ShowMessageBox(
        {parent, texts(section, message.key, QString::fromUtf8(message.fallback)),
         QString::fromUtf8(kPromptTitle), dialog::MessageButtons::Ok, dialog::MessageIcon::None});
}

void RegisterMessages(const dialog::TextLookup& texts, const char* section,
                      std::span<const MessageText> messages) {
    for (const auto& message : messages)
        texts(section, message.key, QString::fromUtf8(message.fallback));
}
