#include "vireo_dlg.h"

#include <QAction>
#include <QBoxLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "about_dlg.h"
#include "app_state.h"
#include "art.h"
#include "login_dlg.h"
#include "record_fields.h"
#include "tab_control.h"
#include "text8.h"
#include "vireo_app.h"

namespace {

using dialog::ControlKind;

constexpr const char* kSection = "VireoDlg";

constexpr dialog::ControlTemplate kControls[] = {
    {CVireoDlg::kBanner, ControlKind::Picture, "", {0, 0, 392, 43}},
    {CVireoDlg::kCameraLine, ControlKind::Label, "", {4, 45, 384, 10}},
    {CVireoDlg::kTabs, ControlKind::Tabs, "", {0, 45, 392, 319}},
    {dialog::IDCANCEL, ControlKind::Button, "Exit", {327, 368, 63, 14}},
    {CVireoDlg::kReconnect, ControlKind::Button, "Reconnect", {1, 368, 64, 14}},
};

constexpr dialog::DialogTemplate kTemplate{"Vireo", 392, 387, kControls};

constexpr dialog::LocalisedItem kLocalised[] = {
    {CVireoDlg::kReconnect, "BtnReConnect"},
    {dialog::IDCANCEL, "BtnCancel"},
};

constexpr int kGeneralUserTabs = 3;  // a general user gets the first three tabs

// Camera info buttons after which the camera may carry another bar code or user name.
constexpr int kIdentityChangers[] = {CSysManagerDlg::kApply, CSysManagerDlg::kDefaultSettings};

QString ReadUserName(Camera& camera) {
    fields::CarrierTexts carrier{};
    if (PETREL_CALL(camera, GetUserDevID, carrier.userId, carrier.userName, carrier.deviceId) !=
        STATUS_OK)
        return {};
    return dialog::FromText8(carrier.userName, sizeof carrier.userName);
}

QString OrDash(const QString& text) { return text.isEmpty() ? QStringLiteral("-") : text; }

}  // namespace

CVireoDlg::CVireoDlg(CVireoApp& app, QWidget* parent)
    : dialog::Dialog(kTemplate, parent),
      m_app(app),
      m_cameraInfo(app, app.Texts()),
      m_cameraSettings(app, app.Texts()),
      m_network(app, app.Texts()),
      m_encryption(app, app.Texts()),
      m_password(app, app.Texts()),
      m_tabs{{{&m_cameraInfo, "CameraInfo", "Camera Info"},
              {&m_cameraSettings, "ParamSet", "Camera Settings"},
              {&m_network, "NetworkSet", "WiFi&&Bluetooth"},
              {&m_encryption, "Encryption", "AES256 Encryption"},
              {&m_password, "Passwords", "Change Password"}}},
      m_hIcon(VireoIcon()) {
    // A window of its own, minimisable and in the task bar, not a dialog of a hidden leader.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
}

dialog::TabControl& CVireoDlg::Tabs() const {
    return *static_cast<dialog::TabControl*>(Item(kTabs));
}

std::array<TabPage*, CVireoDlg::kPageCount> CVireoDlg::Pages() {
    std::array<TabPage*, kPageCount> pages{};
    for (std::size_t i = 0; i < pages.size(); ++i) pages[i] = m_tabs[i].page;
    return pages;
}

TabPage* CVireoDlg::PageOfTab(int index) {
    return index >= 0 && index < kPageCount ? Pages()[static_cast<std::size_t>(index)] : nullptr;
}

void CVireoDlg::OnInitDialog() {
    // X11 windows have no system menu of their own: the window's context menu holds About.
    m_about = new QAction(QStringLiteral("About Vireo(&A)..."), this);
    m_about->setShortcut(QKeySequence::HelpContents);
    connect(m_about, &QAction::triggered, this, [this] { OnAbout(); });
    addAction(m_about);
    setContextMenuPolicy(Qt::ActionsContextMenu);

    setWindowIcon(m_hIcon);
    PETREL_CALL(m_app, SyncDateTime);  // silently; the camera's clock follows this computer's
    ShowCamera();

    auto& tabs = Tabs();
    const std::size_t tabCount = g_nUserType != kGeneralUser ? kPageCount : kGeneralUserTabs;
    for (std::size_t i = 0; i < tabCount; ++i)
        tabs.InsertTab(
            m_app.GetString(kSection, m_tabs[i].key, QString::fromUtf8(m_tabs[i].fallback)));
    tabs.SetCurSel(0);

    for (TabPage* page : Pages()) page->Create(&tabs, g_nUserType);
    ShowOnly(&m_cameraInfo);
    // Connected after the page's own handler, so this runs once the page is done.
    for (int id : kIdentityChangers)
        connect(static_cast<QPushButton*>(m_cameraInfo.Item(id)), &QPushButton::clicked, this,
                [this] { ShowCamera(); });

    Localise(m_app.Texts(), kSection, kLocalised);
    LayOut();
}

void CVireoDlg::LayOut() {
    auto* banner = static_cast<QLabel*>(Item(kBanner));
    banner->setPixmap(VireoBanner(banner->size()));
    banner->setScaledContents(false);
    banner->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Item(kReconnect));
    buttons->addStretch(1);
    buttons->addWidget(Item(dialog::IDCANCEL));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(banner);
    auto* cameraLine = new QHBoxLayout;
    cameraLine->setContentsMargins(6, 0, 6, 0);
    cameraLine->addWidget(Item(kCameraLine));
    column->addLayout(cameraLine);
    column->addWidget(&Tabs(), 1);
    column->addLayout(buttons);
    buttons->setContentsMargins(6, 0, 6, 6);

    // Resizable, and never taller than the screen it opens on (a 1366x768 laptop at 120 dpi).
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    QSize size = sizeHint() + QSize(48, 24);  // room for the scroll bars a tall page may still need
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableSize() - QSize(0, 40));
    resize(size);
    banner->setMinimumWidth(0);
    banner->setPixmap(VireoBanner(QSize(size.width(), banner->height())));
}

void CVireoDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        event->accept();
    else
        dialog::Dialog::keyPressEvent(event);
}

void CVireoDlg::ShowCamera() {
    FoundCamera camera = m_app.ConnectedCamera();
    ReadIdentity(m_app, m_app.Connection(), camera);
    const QString userName = ReadUserName(m_app);
    setWindowTitle(
        QStringLiteral("Vireo %1 %2")
            .arg(m_app.GetVersionText(), CameraSummary(camera, m_app.Texts(), userName)));
    const QString line =
        m_app.GetString(kSection, "StCamera",
                        "Connected camera: bar code %2, serial number %3, user name %4, on %1");
    SetItemText(kCameraLine, line.arg(CarrierText(camera, m_app.Texts()), OrDash(camera.barCode),
                                      OrDash(camera.serial), OrDash(userName)));
}

void CVireoDlg::ShowOnly(TabPage* shown) {
    for (TabPage* page : Pages()) page->ShowPage(false);
    if (shown != nullptr) shown->ShowPage(true);
}

void CVireoDlg::OnSelChange(int id) {
    if (id != kTabs) return;
    // Leaving a page with changes not applied asks first; staying keeps its tab.
    for (int tab = 0; tab < Tabs().TabCount(); ++tab) {
        if (TabPage* page = PageOfTab(tab); tab != Tabs().CurSel() && !page->MayLeave()) {
            Tabs().SetCurSel(tab);
            return;
        }
    }
    ShowOnly(PageOfTab(Tabs().CurSel()));
}

void CVireoDlg::OnCommand(int id) {
    if (id == kReconnect)
        OnReconnect();
    else
        dialog::Dialog::OnCommand(id);
}

void CVireoDlg::OnReconnect() {
    hide();
    CLoginDlg login(m_app, this);
    if (login.DoModal() != dialog::IDOK) {
        EndDialog(dialog::IDCANCEL);  // the program ends with the main window
        return;
    }
    Tabs().SetCurSel(0);
    // The tab set stays, but no page may keep the previous login's rights.
    for (TabPage* page : Pages()) page->SetUserType(g_nUserType);
    m_cameraInfo.Refresh();
    m_password.Reset();
    ShowCamera();
    ShowOnly(&m_cameraInfo);
    show();
}

void CVireoDlg::OnAbout() {
    CAboutDlg about(m_app, this);
    about.DoModal();
}
