#pragma once

#include <QDialog>

#include "control_template.h"
#include "dialog_items.h"

class QEventLoop;

namespace dialog {

// A top-level window built from a template. DoModal initialises it once and runs
// it until EndDialog; hiding the window meanwhile does not end the run. Open
// initialises and shows it without a modal loop.
class Dialog : public QDialog, public DialogItems {
    Q_OBJECT
public:
    explicit Dialog(const DialogTemplate& layout, QWidget* parent = nullptr);

    int DoModal();  // IDOK, IDCANCEL or what EndDialog was given
    void Open();
    void EndDialog(int result);
    int Result() const { return m_result; }  // 0 while the dialog has not ended

protected:
    virtual void OnInitDialog() {}
    void OnCommand(int id) override;  // IDOK and IDCANCEL end the dialog
    void reject() override;           // Escape and the close box count as IDCANCEL

private:
    void InitialiseOnce();

    bool m_initialised = false;
    int m_result = 0;
    QEventLoop* m_modalLoop = nullptr;
};

}  // namespace dialog
