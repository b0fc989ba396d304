#include "sys_manager_dlg.h"

#include "text8.h"

#include <array>

namespace {

using dialog::ControlKind;
using form::Access;
using Page = CSysManagerDlg;

constexpr const char* kSection = "SysManagerDlg";

const form::Row kRows[] = {
    {.kind = ControlKind::GroupBox, .key = "GroupDevInfo", .text = "Device Info"},
    {.id = Page::kModel, .kind = ControlKind::Edit, .key = "StModelNo", .text = "Model No.:", .access = Access::kNobody},
    {.id = Page::kVersion, .kind = ControlKind::Edit, .key = "StDevVer", .text = "Firmware Version:", .access = Access::kNobody},
    {.id = Page::kRefresh, .kind = ControlKind::Button, .key = "BtRefresh", .text = "Refresh", .access = Access::kAnyone},
    {.id = Page::kApply, .kind = ControlKind::Button, .key = "BtApply", .text = "Apply"},
    {.id = Page::kDefaultSettings, .kind = ControlKind::Button, .key = "BtDefSet", .text = "Default Settings"},
    {.id = Page::kLockMemory, .kind = ControlKind::Button, .key = "LockMemory", .text = "Lock Memory"},
    {.id = Page::kFormatDisk, .kind = ControlKind::Button, .text = "Format Disk"},
};

}  // namespace

CSysManagerDlg::CSysManagerDlg(Camera& camera, dialog::TextLookup texts)
    : TabPage(camera, std::move(texts), kSection, kRows)
{
}

void CSysManagerDlg::OnInitPage()
{
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
    if (PETREL_CALL(m_camera, GetModelID, model.data()) == STATUS_OK)
        SetItemText(kModel, dialog::FromText8(model.data(), model.size()));
    std::array<char, 128> version{};
    if (PETREL_CALL(m_camera, GetDeviceVersion, version.data()) == STATUS_OK)
        SetItemText(kVersion, dialog::FromText8(version.data(), version.size()));
}
