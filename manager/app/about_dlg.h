#pragma once

#include "modal_dialog.h"

class CVireoApp;

// The about box of the main window's menu.
class CAboutDlg : public dialog::Dialog {
    Q_OBJECT
public:
    static constexpr int kIcon = 1010;
    static constexpr int kText = 1011;

    explicit CAboutDlg(CVireoApp& app, QWidget* parent = nullptr);

protected:
    void OnInitDialog() override;

private:
    CVireoApp& m_app;
};
