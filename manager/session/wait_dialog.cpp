#include "wait_dialog.h"

#include "prompt.h"

std::unique_ptr<QProgressDialog> MakeWaitDialog(const dialog::TextLookup& texts,
                                                const QString& text, QWidget* parent,
                                                WaitCancel cancel) {
    const QString cancelText = cancel == WaitCancel::Offered
                                   ? texts("Default", "BtnCancel", QStringLiteral("Cancel"))
                                   : QString();
    auto wait = std::make_unique<QProgressDialog>(text, cancelText, 0, 0, parent);
    if (cancel == WaitCancel::None) wait->setCancelButton(nullptr);
    wait->setWindowTitle(dialog::Translated(texts, kPromptTitle));
    wait->setWindowModality(Qt::ApplicationModal);
    wait->setMinimumDuration(0);
    return wait;
}
