#include "vireo_dlg.h"

#include "about_dlg.h"
#include "app_state.h"
#include "art.h"
#include "login_dlg.h"
#include "petrel_exports.h"
#include "tab_control.h"
#include "vireo_app.h"

#include <QAction>
#include <QLabel>

namespace {

using dialog::ControlKind;

constexpr const char* kSection = "VireoDlg";

constexpr dialog::ControlTemplate kControls[] = {
    {CVireoDlg::kBanner, ControlKind::Picture, "", {0, 0, 392, 43}},
    {CVireoDlg::kTabs, ControlKind::Tabs, "", {0, 45, 392, 319}},
    {dialog::IDCANCEL, ControlKind::Button, "Exit", {327, 368, 63, 14}},
    {CVireoDlg::kReconnect, ControlKind::Button, "Reconnect", {1, 368, 64, 14}},
};

constexpr dialog::DialogTemplate kTemplate{"Vireo", 392, 387, kControls};

constexpr dialog::LocalisedItem kLocalised[] = {
    {CVireoDlg::kReconnect, "BtnReConnect"},
    {dialog::IDCANCEL, "BtnCancel"},
};

struct TabCaption {
    const char* key;
    const char* fallback;
};

// In tab order; a general user gets the first three.
constexpr TabCaption kTabCaptions[] = {
    {"CameraInfo", "Camera Info"},        {"ParamSet", "Camera Settings"}, {"NetworkSet", "WiFi&&Bluetooth"},
    {"Encryption", "AES256 Encryption"}, {"Passwords", "Change Password"},
};
constexpr int kGeneralUserTabs = 3;

}  // namespace

CVireoDlg::CVireoDlg(CVireoApp& app, QWidget* parent)
    : dialog::Dialog(kTemplate, parent),
      m_app(app),
      m_cameraInfo(app),
      m_cameraSettings(app),
      m_password(app),
      m_network(app),
      m_encryption(app),
      m_hIcon(VireoIcon())
{
}

dialog::TabControl& CVireoDlg::Tabs() const
{
    return *static_cast<dialog::TabControl*>(Item(kTabs));
}

std::array<TabPage*, 5> CVireoDlg::Pages()
{
    return {&m_cameraInfo, &m_cameraSettings, &m_password, &m_network, &m_encryption};
}

TabPage* CVireoDlg::PageOfTab(int index)
{
    const std::array<TabPage*, 5> byTab{&m_cameraInfo, &m_cameraSettings, &m_network, &m_encryption, &m_password};
    return index >= 0 && index < static_cast<int>(byTab.size()) ? byTab[static_cast<std::size_t>(index)] : nullptr;
}

void CVireoDlg::OnInitDialog()
{
    // X11 windows have no system menu of their own: the window's context menu holds About.
    m_about = new QAction(QStringLiteral("About Vireo(&A)..."), this);
    m_about->setShortcut(QKeySequence::HelpContents);
    connect(m_about, &QAction::triggered, this, [this] { OnAbout(); });
    addAction(m_about);
    setContextMenuPolicy(Qt::ActionsContextMenu);

    setWindowIcon(m_hIcon);
    setWindowTitle(QStringLiteral("Vireo %1 %2").arg(m_app.GetVersionText(), QString()));

    if (auto* sync = PETREL_EXPORT(m_app, SyncDateTime))
        sync(m_app.m_hDevice);

    auto& tabs = Tabs();
    const int tabCount = g_nUserType != kGeneralUser ? static_cast<int>(std::size(kTabCaptions)) : kGeneralUserTabs;
    for (int i = 0; i < tabCount; ++i)
        tabs.InsertTab(m_app.GetString(kSection, kTabCaptions[i].key, QString::fromUtf8(kTabCaptions[i].fallback)));
    tabs.SetCurSel(0);

    const QRect pageRect = tabs.PageRect();
    for (TabPage* page : Pages())
        page->Create(&tabs, pageRect, g_nUserType);
    ShowOnly(&m_cameraInfo);

    Localise(m_app.Texts(), kSection, kLocalised);
    auto* banner = static_cast<QLabel*>(Item(kBanner));
    banner->setPixmap(VireoBanner(banner->size()));
}

void CVireoDlg::ShowOnly(TabPage* shown)
{
    for (TabPage* page : Pages())
        page->ShowPage(false);
    if (shown != nullptr)
        shown->ShowPage(true);
}

void CVireoDlg::OnSelChange(int id)
{
    if (id == kTabs)
        ShowOnly(PageOfTab(Tabs().CurSel()));
}

void CVireoDlg::OnCommand(int id)
{
    if (id == kReconnect)
        OnReconnect();
    else
        dialog::Dialog::OnCommand(id);
}

void CVireoDlg::OnReconnect()
{
    hide();
    CLoginDlg login(m_app, this);
    if (login.DoModal() != dialog::IDOK) {
        EndDialog(dialog::IDCANCEL);  // the program ends with the main window
        return;
    }
    Tabs().SetCurSel(0);
    // The tab set stays, but no page may keep the previous login's rights.
    for (TabPage* page : Pages())
        page->SetUserType(g_nUserType);
    m_cameraInfo.Refresh();
    m_password.Reset();
    ShowOnly(&m_cameraInfo);
    show();
}

void CVireoDlg::OnAbout()
{
    CAboutDlg about(m_app, this);
    about.DoModal();
}
