#include "message_box.h"

#include <QMessageBox>
#include <QPushButton>
#include <utility>

#include "busy_cursor.h"

namespace dialog {
namespace {

MessageBoxHandler& InstalledHandler() {
    static MessageBoxHandler handler;
    return handler;
}

MessageAnswer RunQtMessageBox(const MessageRequest& request) {
    QMessageBox box(
        request.icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon,
        request.title, request.text, QMessageBox::NoButton, request.parent);
    box.setInformativeText(request.detail);
    if (request.buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        if (!request.yesText.isEmpty()) box.button(QMessageBox::Yes)->setText(request.yesText);
        if (!request.noText.isEmpty()) box.button(QMessageBox::No)->setText(request.noText);
        return box.exec() == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return MessageAnswer::Ok;
}

}  // namespace

MessageAnswer ShowMessageBox(const MessageRequest& request) {
    OperatorCursor waitingForTheOperator;
    const auto& handler = InstalledHandler();
    return handler ? handler(request) : RunQtMessageBox(request);
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
    return std::exchange(InstalledHandler(), std::move(handler));
}

}  // namespace dialog
