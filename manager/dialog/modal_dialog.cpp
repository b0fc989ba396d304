#include "modal_dialog.h"

#include <QEventLoop>

#include "busy_cursor.h"
#include "dialog_units.h"

namespace dialog {

Dialog::Dialog(const DialogTemplate& layout, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromUtf8(layout.caption));
    setFixedSize(ToPixels(layout.width, layout.height, BaseUnitsOf(font())));
    BuildControls(this, layout.controls);
}

int Dialog::DoModal() {
    InitialiseOnce();
    m_result = 0;
    setWindowModality(Qt::ApplicationModal);
    show();
    // Our own loop rather than exec(): a window that hides itself for a while
    // (the main window during Reconnect) keeps running until EndDialog.
    OperatorCursor waitingForTheOperator;
    QEventLoop loop;
    m_modalLoop = &loop;
    loop.exec(QEventLoop::DialogExec);
    m_modalLoop = nullptr;
    return m_result;
}

void Dialog::Open() {
    InitialiseOnce();
    m_result = 0;
    show();
}

void Dialog::EndDialog(int result) {
    m_result = result;
    done(result);
    if (m_modalLoop != nullptr) m_modalLoop->quit();
}

void Dialog::OnCommand(int id) {
    if (id == IDOK || id == IDCANCEL) EndDialog(id);
}

void Dialog::reject() { OnCommand(IDCANCEL); }

void Dialog::InitialiseOnce() {
    if (m_initialised) return;
    m_initialised = true;
    OnInitDialog();
}

}  // namespace dialog
