#include "tab_page.h"

#include "app_state.h"

TabPage::TabPage(CVireoApp& app, const dialog::DialogTemplate& layout, std::span<const int> writingActions)
    : dialog::ChildPage(layout), m_app(app), m_writingActions(writingActions)
{
}

void TabPage::Create(QWidget* parent, const QRect& place, int userType)
{
    m_userType = userType;
    dialog::ChildPage::Create(parent, place);
}

void TabPage::OnInitDialog()
{
    SetUserType(m_userType);
    OnInitPage();
}

void TabPage::SetUserType(int userType)
{
    m_userType = userType;
    for (const int id : m_writingActions)
        EnableItem(id, userType == kAdministrator);
}

void TabPage::ShowPage(bool show)
{
    if (show == !isHidden())
        return;
    setVisible(show);
    if (show)
        OnShowPage();
    else
        OnHidePage();
}
