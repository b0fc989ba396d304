#include "prompt.h"

#include "vireo_app.h"

void ShowPrompt(CVireoApp& app, QWidget* parent, const char* section, const MessageText& message)
{
    dialog::ShowMessageBox({parent, app.GetString(section, message.key, QString::fromUtf8(message.fallback)),
                            QString::fromUtf8(kPromptTitle), dialog::MessageButtons::Ok,
                            dialog::MessageIcon::None});
}

void RegisterMessages(CVireoApp& app, const char* section, std::span<const MessageText> messages)
{
    for (const auto& message : messages)
        app.GetString(section, message.key, QString::fromUtf8(message.fallback));
}
