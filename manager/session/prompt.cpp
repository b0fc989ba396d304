#include "prompt.h"

void ShowPrompt(const dialog::TextLookup& texts, QWidget* parent, const char* section,
                const MessageText& message, const QString& detail) {
    dialog::MessageRequest request{parent,
                                   texts(section, message.key, QString::fromUtf8(message.fallback)),
                                   dialog::Translated(texts, kPromptTitle)};
    request.detail = detail;
    dialog::ShowMessageBox(request);
}

void RegisterMessages(const dialog::TextLookup& texts, const char* section,
                      std::span<const MessageText> messages) {
    for (const auto& message : messages)
        texts(section, message.key, QString::fromUtf8(message.fallback));
}
