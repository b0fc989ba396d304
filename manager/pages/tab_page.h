// One page of the main window's tabs. The host creates it once, shows and hides
// it on tab changes (showing re-reads the camera), and tells it the user type of
// every login; the page's writing actions are enabled for administrators only.
#pragma once

#include "child_page.h"

#include <span>

class CVireoApp;

class TabPage : public dialog::ChildPage {
    Q_OBJECT
public:
    TabPage(CVireoApp& app, const dialog::DialogTemplate& layout, std::span<const int> writingActions);

    void Create(QWidget* parent, const QRect& place, int userType);

    // The user type of the latest login; the page's writing actions follow it.
    virtual void SetUserType(int userType);
    int UserType() const { return m_userType; }

    // Tab switch: a page that becomes visible reads the camera again.
    void ShowPage(bool show);

protected:
    virtual void OnInitPage() {}  // after the controls exist and the user type is applied
    virtual void OnShowPage() {}
    virtual void OnHidePage() {}

    CVireoApp& m_app;

private:
    void OnInitDialog() final;

    std::span<const int> m_writingActions;
    int m_userType = 0;
};
