#include "login_dlg.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

#include "app_state.h"
#include "art.h"
#include "audit_notice.h"
#include "prompt.h"
#include "text8.h"
#include "vireo_app.h"

namespace {

using dialog::ControlKind;

constexpr const char* kSection = "LoginDlg";

constexpr dialog::ControlTemplate kControls[] = {
    {CLoginDlg::kBanner, ControlKind::Picture, "", {0, 0, 230, 50}},
    {CLoginDlg::kCameraLabel, ControlKind::RightLabel, "Camera", {8, 60, 50, 12}, false},
    {CLoginDlg::kCamera, ControlKind::DropList, "", {62, 59, 160, 60}, false},
    {CLoginDlg::kUserTypeLabel, ControlKind::RightLabel, "User Type", {8, 60, 50, 12}},
    {CLoginDlg::kUserType, ControlKind::DropList, "", {62, 59, 110, 60}},
    {CLoginDlg::kPasswordLabel, ControlKind::RightLabel, "Password", {8, 79, 50, 12}},
    {CLoginDlg::kPassword, ControlKind::PasswordEdit, "", {62, 78, 110, 13}},
    {CLoginDlg::kLogin, ControlKind::DefaultButton, "Login", {62, 98, 110, 15}},
    {dialog::IDCANCEL, ControlKind::Button, "Cancel", {176, 98, 46, 15}, false},
};

constexpr dialog::DialogTemplate kTemplate{"Login", 230, 122, kControls};

constexpr dialog::LocalisedItem kLocalised[] = {
    {CLoginDlg::kCameraLabel, "StCamera"},     {CLoginDlg::kUserTypeLabel, "StUserType"},
    {CLoginDlg::kPasswordLabel, "StPassword"}, {CLoginDlg::kLogin, "BtnLogin"},
    {dialog::IDCANCEL, "BtnCancel"},
};

constexpr MessageText kShortPassword{"Msg1", "Please enter 6-character password."};
constexpr MessageText kVersionMismatch{"Msg2", "Firmware version mismatch."};
constexpr MessageText kConnectionFailed{"Msg3", "Connection Failed."};
constexpr MessageText kWrongPassword{"Msg4", "Wrong login password."};
constexpr MessageText kLockedOut{"Msg5", "Wrong login password, please login in 3 minutes."};
constexpr MessageText kMessages[] = {kShortPassword, kVersionMismatch, kConnectionFailed,
                                     kWrongPassword, kLockedOut};

// Each label names its control to screen readers and gives it the label's mnemonic.
constexpr std::pair<int, int> kLabelled[] = {
    {CLoginDlg::kCameraLabel, CLoginDlg::kCamera},
    {CLoginDlg::kUserTypeLabel, CLoginDlg::kUserType},
    {CLoginDlg::kPasswordLabel, CLoginDlg::kPassword},
};

// Controls below the camera row, moved down to make room for it.
constexpr int kBelowCameraRow[] = {CLoginDlg::kUserTypeLabel, CLoginDlg::kUserType,
                                   CLoginDlg::kPasswordLabel, CLoginDlg::kPassword,
                                   CLoginDlg::kLogin,         dialog::IDCANCEL};

// What the password box holds, as the terminated 8-bit text the camera receives.
using PasswordBuffer = std::array<char, 32>;

}  // namespace

CLoginDlg::CLoginDlg(CVireoApp& app, QWidget* parent)
    : dialog::Dialog(kTemplate, parent), m_app(app) {}

void CLoginDlg::OnInitDialog() {
    LimitText(kPassword, kPasswordLength);
    AddListEntry(kUserType, dialog::Translated(m_app.Texts(), "General User"), kGeneralUser);
    AddListEntry(kUserType, dialog::Translated(m_app.Texts(), "Administrator"), kAdministrator);
    SelectListIndex(kUserType, g_nLastUserType == kAdministrator ? kAdministrator : kGeneralUser);
    SetItemText(kPassword, dialog::FromText8(g_szLastPassword, sizeof g_szLastPassword));
    setWindowIcon(VireoIcon());
    setWindowTitle(dialog::Translated(m_app.Texts(), "Login-Vireo %1 %2")
                       .arg(m_app.GetVersionText(), QString()));
    for (const auto& [label, control] : kLabelled)
        static_cast<QLabel*>(Item(label))->setBuddy(Item(control));
    Localise(m_app.Texts(), kSection, kLocalised);
    RegisterMessages(m_app.Texts(), kSection, kMessages);
    auto* banner = static_cast<QLabel*>(Item(kBanner));
    ShowBanner(banner, banner->size(), m_app.Texts());
    OfferCameras();
    // Cameras plugged in or pulled out while the login is open show in its list at once.
    connect(&m_watch, &CameraWatch::Changed, this, [this] { OfferCameras(); });
    // The operator types the password first, also at Reconnect where it is filled in.
    static_cast<QLineEdit*>(Item(kPassword))->selectAll();
    Item(kPassword)->setFocus();
}

void CLoginDlg::OfferCameras() {
    // The camera chosen stays chosen while it stays plugged in.
    const int chosen = ListSelection(kCamera);
    const QString chosenNode =
        chosen >= 0 ? m_cameras[static_cast<std::size_t>(chosen)].node : QString();
    m_cameras = m_app.FindCameras(m_cameras);
    ResetList(kCamera);
    int selection = 0;
    for (std::size_t i = 0; i < m_cameras.size(); ++i) {
        const int index = static_cast<int>(i);
        AddListEntry(kCamera, CameraSummary(m_cameras[i], m_app.Texts()), index);
        if (!chosenNode.isEmpty() && m_cameras[i].node == chosenNode) selection = index;
    }
    SelectListIndex(kCamera, selection);
    ShowCameraRow(m_cameras.size() > 1);  // nothing to choose: the login looks as it always did
}

void CLoginDlg::ShowCameraRow(bool shown) {
    if (shown != IsItemShown(kCamera)) {
        const int row = Item(kPasswordLabel)->y() - Item(kUserTypeLabel)->y();
        const QPoint step(0, shown ? row : -row);
        for (int id : kBelowCameraRow) Item(id)->move(Item(id)->pos() + step);
        setFixedSize(width(), height() + step.y());
        ShowItem(kCameraLabel, shown);
        ShowItem(kCamera, shown);
    }
    if (!shown) return;
    // The list as wide as its longest entry, the window and its banner with it.
    auto* list = static_cast<QComboBox*>(Item(kCamera));
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    const int wider = std::max(0, list->sizeHint().width() - list->width());
    if (wider == 0) return;
    list->resize(list->width() + wider, list->height());
    setFixedSize(width() + wider, height());
    auto* banner = static_cast<QLabel*>(Item(kBanner));
    banner->resize(width(), banner->height());
    ShowBanner(banner, banner->size(), m_app.Texts());
}

void CLoginDlg::OnCommand(int id) {
    if (id == kLogin)
        OnLogin();
    else
        dialog::Dialog::OnCommand(id);
}

void CLoginDlg::OnLogin() {
    const QString typed = GetItemText(kPassword);
    if (typed.size() < kPasswordLength) {
        ShowPrompt(m_app.Texts(), this, kSection, kShortPassword);
        return;
    }
    PasswordBuffer password{};
    dialog::CopyText8(password.data(), password.size(), typed);
    const int chosen = ListSelection(kUserType);

    // With one camera or none, whichever is found at this press, as before.
    const int chosenCamera = ListSelection(kCamera);
    const int connected =
        m_app.ConnectCamera(m_cameras.size() > 1 && chosenCamera >= 0
                                ? &m_cameras[static_cast<std::size_t>(chosenCamera)]
                                : nullptr);
    if (connected == CVireoApp::kVersionMismatch) {
        ShowPrompt(m_app.Texts(), this, kSection, kVersionMismatch);
        return;
    }
    if (connected != CVireoApp::kConnected) {
        ShowPrompt(m_app.Texts(), this, kSection, kConnectionFailed);
        return;
    }

    g_nUserType = chosen == kAdministrator ? kAdministrator : kGeneralUser;
    g_nLastUserType = static_cast<std::uint8_t>(g_nUserType);

    const int status = PETREL_CALL(m_app, VerifiPassword, password.data(), g_nUserType);
    RememberPassword(password.data(), std::strlen(password.data()));
    if (m_app.GivenUp()) return;  // the operator was told the camera stopped answering

    if (status == STATUS_OK) {
        EndDialog(dialog::IDOK);
        return;
    }
    ShowPrompt(m_app.Texts(), this, kSection,
               status == STATUS_PASSWORD_LOCKED ? kLockedOut : kWrongPassword);
    RecordRefusedLogin(m_app, m_app.Texts(), this, status);
}
