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
#include "audit_notice.h"
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
    {CVireoDlg::kReconnectCamera, ControlKind::Button, "Reconnect", {327, 45, 63, 14}, false},
    {CVireoDlg::kTabs, ControlKind::Tabs, "", {0, 45, 392, 319}},
    {dialog::IDCANCEL, ControlKind::Button, "Exit", {327, 368, 63, 14}},
    {CVireoDlg::kReconnect, ControlKind::Button, "Reconnect", {1, 368, 64, 14}},
};

constexpr dialog::DialogTemplate kTemplate{"Vireo", 392, 387, kControls};

constexpr dialog::LocalisedItem kLocalised[] = {
    {CVireoDlg::kReconnect, "BtnReConnect"},
    {CVireoDlg::kReconnectCamera, "BtnReConnect"},
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
    m_about = new QAction(dialog::Translated(m_app.Texts(), "About Vireo(&A)..."), this);
    m_about->setShortcut(QKeySequence::HelpContents);
    connect(m_about, &QAction::triggered, this, [this] { OnAbout(); });
    addAction(m_about);
    setContextMenuPolicy(Qt::ActionsContextMenu);

    setWindowIcon(m_hIcon);
    // From the first call on, the clock sync below included.
    connect(&m_app.Worker(), &CameraWorker::GaveUp, this, [this] { ShowGivenUp(); });
    // Silently: the camera's clock follows this computer's.
    RecordOperation(
        m_app, m_app.Texts(), this,
        {petrel::audit::Event::kAction, "clock sync", PETREL_CALL(m_app, SyncDateTime)});
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
    connect(&m_watch, &CameraWatch::Changed, this, [this] { FollowCamera(); });
}

void CVireoDlg::LayOut() {
    auto* banner = static_cast<QLabel*>(Item(kBanner));
    ShowBanner(banner, banner->size(), m_app.Texts());
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
    cameraLine->addWidget(Item(kCameraLine), 1);
    cameraLine->addWidget(Item(kReconnectCamera));
    // As tall with its button as without: the tabs do not jump when it shows.
    Item(kCameraLine)->setMinimumHeight(Item(kReconnectCamera)->sizeHint().height());
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
    ShowBanner(banner, QSize(size.width(), banner->height()), m_app.Texts());
}

void CVireoDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        event->accept();
    else
        dialog::Dialog::keyPressEvent(event);
}

void CVireoDlg::ShowCamera() {
    if (m_app.GivenUp()) return;  // it stays said, until the camera is reconnected
    m_camera = m_app.ConnectedCamera();
    ReadIdentity(m_app, m_app.Connection(), m_camera);
    const QString userName = ReadUserName(m_app);
    setWindowTitle(
        QStringLiteral("Vireo %1 %2")
            .arg(m_app.GetVersionText(), CameraSummary(m_camera, m_app.Texts(), userName)));
    const QString line =
        m_app.GetString(kSection, "StCamera",
                        "Connected camera: bar code %2, serial number %3, user name %4, on %1");
    SetItemText(kCameraLine,
                line.arg(CarrierText(m_camera, m_app.Texts()), OrDash(m_camera.barCode),
                         OrDash(m_camera.serial), OrDash(userName)));
    m_cameraAway = false;
    m_cameraBack.reset();
    Item(kCameraLine)->setStyleSheet({});
    ShowItem(kReconnectCamera, false);
    Tabs().setEnabled(true);
}

void CVireoDlg::FollowCamera() {
    // Hidden, the window is at a login that connects afresh.
    if (isHidden() || (!m_cameraAway && m_app.StillAttached())) return;
    m_cameraAway = true;
    // Back is the same serial number on either carrier (the disk after "Open File Explorer").
    m_cameraBack.reset();
    for (const FoundCamera& attached : AttachedCameras())
        if (!m_camera.serial.isEmpty() && attached.serial == m_camera.serial)
            m_cameraBack = attached;
    ShowCameraAway();
}

void CVireoDlg::ShowCameraAway() {
    const QString camera = CameraSummary(m_camera, m_app.Texts());
    const QString line =
        m_cameraBack ? m_app.GetString(kSection, "StCameraBack",
                                       "Camera disconnected: %1. It is attached again: press "
                                       "Reconnect to go on.")
                     : m_app.GetString(kSection, "StCameraGone",
                                       "Camera disconnected: %1. Plug it in again to go on.");
    ShowTrouble(line.arg(camera));
}

void CVireoDlg::ShowGivenUp() {
    if (m_camera.node.isEmpty()) m_camera = m_app.ConnectedCamera();  // before it was named
    // Still attached: one press reconnects it.
    m_cameraBack = m_camera;
    ShowTrouble(m_app
                    .GetString(kSection, "StCameraStopped",
                               "The camera stopped answering: %1. The connection was closed: "
                               "press Reconnect to go on.")
                    .arg(CameraSummary(m_camera, m_app.Texts())));
}

void CVireoDlg::ShowTrouble(const QString& line) {
    // Nothing is written to a camera that is not there, nor to one before it is reconnected.
    Tabs().setEnabled(false);
    SetItemText(kCameraLine, line);
    Item(kCameraLine)->setStyleSheet(QStringLiteral("color: #b00020; font-weight: bold;"));
    ShowItem(kReconnectCamera, m_cameraBack.has_value());
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
    // Reconnecting reads every page afresh: changes not applied are asked about first.
    if (id == kReconnect || id == kReconnectCamera) {
        if (TabPage* page = PageOfTab(Tabs().CurSel()); page != nullptr && !page->MayLeave())
            return;
    }
    if (id == kReconnect)
        OnReconnect();
    else if (id == kReconnectCamera)
        OnReconnectCamera();
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
    AfterLogin();
    show();
}

void CVireoDlg::OnReconnectCamera() {
    if (m_cameraBack && m_app.ConnectCamera(&*m_cameraBack) == CVireoApp::kConnected) {
        const int checked = PETREL_CALL(m_app, VerifiPassword, g_szLastPassword, g_nUserType);
        if (checked == STATUS_OK) {
            AfterLogin();
            return;
        }
        if (m_app.GivenUp()) return;  // the line says so, with Reconnect beside it
        RecordRefusedLogin(m_app, m_app.Texts(), this, checked);
    }
    OnReconnect();
}

void CVireoDlg::AfterLogin() {
    Tabs().SetCurSel(0);
    // The tab set stays, but no page may keep the previous login's rights.
    for (TabPage* page : Pages()) page->SetUserType(g_nUserType);
    m_cameraInfo.Refresh();
    m_password.Reset();
    ShowCamera();
    ShowOnly(&m_cameraInfo);
}

void CVireoDlg::OnAbout() {
    CAboutDlg about(m_app, this);
    about.DoModal();
}
