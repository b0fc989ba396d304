#include "sys_manager_dlg.h"

#include "petrel_exports.h"
#include "text8.h"
#include "vireo_app.h"

#include <array>

namespace {

using dialog::ControlKind;
using Page = CSysManagerDlg;

constexpr const char* kSection = "SysManagerDlg";

constexpr dialog::ControlTemplate kControls[] = {
    {Page::kGroupDevInfo, ControlKind::GroupBox, "Device Info", {7, 7, 366, 58}},
    {Page::kModelLabel, ControlKind::RightLabel, "Model No.:", {14, 22, 74, 10}},
    {Page::kModel, ControlKind::Edit, "", {92, 20, 120, 13}},
    {Page::kVersionLabel, ControlKind::RightLabel, "Firmware Version:", {14, 42, 74, 10}},
    {Page::kVersion, ControlKind::Edit, "", {92, 40, 270, 13}},
    {Page::kRefresh, ControlKind::Button, "Refresh", {7, 74, 68, 14}},
    {Page::kApply, ControlKind::Button, "Apply", {81, 74, 68, 14}},
    {Page::kDefaultSettings, ControlKind::Button, "Default Settings", {155, 74, 72, 14}},
    {Page::kLockMemory, ControlKind::Button, "Lock Memory", {233, 74, 68, 14}},
    {Page::kFormatDisk, ControlKind::Button, "Format Disk", {307, 74, 66, 14}},
};

constexpr dialog::DialogTemplate kTemplate{"", 380, 290, kControls};

constexpr int kWritingActions[] = {Page::kApply, Page::kDefaultSettings, Page::kLockMemory, Page::kFormatDisk};

constexpr dialog::LocalisedItem kLocalised[] = {
    {Page::kGroupDevInfo, "GroupDevInfo"}, {Page::kModelLabel, "StModelNo"}, {Page::kVersionLabel, "StDevVer"},
    {Page::kRefresh, "BtRefresh"},         {Page::kApply, "BtApply"},        {Page::kDefaultSettings, "BtDefSet"},
};

}  // namespace

CSysManagerDlg::CSysManagerDlg(CVireoApp& app) : TabPage(app, kTemplate, kWritingActions) {}

void CSysManagerDlg::OnInitPage()
{
    Localise(m_app.Texts(), kSection, kLocalised);
    SetItemText(kLockMemory, m_app.GetString(kSection, "LockMemory", GetItemText(kLockMemory)));
    SetReadOnly(kModel, true);
    SetReadOnly(kVersion, true);
    Refresh();
}

void CSysManagerDlg::OnShowPage()
{
    Refresh();
}

void CSysManagerDlg::OnCommand(int id)
{
    if (id == kRefresh)
        Refresh();
}

void CSysManagerDlg::Refresh()
{
    std::array<char, 64> model{};
    if (auto* getModel = PETREL_EXPORT(m_app, GetModelID); getModel && getModel(m_app.m_hDevice, model.data()) == STATUS_OK)
        SetItemText(kModel, dialog::FromText8(model.data(), model.size()));
    std::array<char, 128> version{};
    if (auto* getVersion = PETREL_EXPORT(m_app, GetDeviceVersion);
        getVersion && getVersion(m_app.m_hDevice, version.data()) == STATUS_OK)
        SetItemText(kVersion, dialog::FromText8(version.data(), version.size()));
}
