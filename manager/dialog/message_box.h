// Modal message boxes that return the button pressed. Tests replace the handler
// to see which text and title a window shows and to answer without a modal loop.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace dialog {

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { None, Warning };
enum class MessageAnswer { Ok, Yes, No };

struct MessageRequest {
    QWidget* parent = nullptr;
    QString text;
    QString title;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    QString detail = {};  // a second, smaller line under the text; empty: none
    // YesNo: captions of the two buttons when not "Yes" and "No" (a choice such as Discard / Stay).
    QString yesText = {};
    QString noText = {};
};

using MessageBoxHandler = std::function<MessageAnswer(const MessageRequest&)>;

MessageAnswer ShowMessageBox(const MessageRequest& request);

// Installs `handler` (an empty one restores the real message box) and returns the previous one.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

}  // namespace dialog
