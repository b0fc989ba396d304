// Message boxes of the program: the text comes from the language document, the
// title "Prompt" from a translation's unlisted texts (dialog::Translated).
#pragma once

#include <QString>
#include <span>

#include "message_box.h"
#include "text_lookup.h"

class QWidget;

struct MessageText {
    const char* key;
    const char* fallback;
};

inline constexpr const char* kPromptTitle = "Prompt";

// `detail`, when not empty, is a smaller second line (the library's name of a failure).
void ShowPrompt(const dialog::TextLookup& texts, QWidget* parent, const char* section,
                const MessageText& message, const QString& detail = {});

// Looks up every message of a window once, so a new language file lists them all.
void RegisterMessages(const dialog::TextLookup& texts, const char* section,
                      std::span<const MessageText> messages);
