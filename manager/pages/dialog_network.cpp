#include "dialog_network.h"

namespace {

using dialog::ControlKind;
using form::Access;
using Page = CDialogNetWork;

const form::Row kRows[] = {
    {.kind = ControlKind::GroupBox, .text = "Network Setting"},
    {.id = Page::kNetworkRefresh, .kind = ControlKind::Button, .text = "Refresh", .access = Access::kAnyone},
    {.id = Page::kNetworkApply, .kind = ControlKind::Button, .text = "Apply"},
    {.kind = ControlKind::GroupBox, .text = "WiFi"},
    {.id = Page::kWifiRefresh, .kind = ControlKind::Button, .text = "Refresh", .access = Access::kAnyone},
    {.id = Page::kWifiApply, .kind = ControlKind::Button, .text = "Apply"},
    {.kind = ControlKind::GroupBox, .text = "Bluetooth"},
    {.id = Page::kBluetoothRefresh, .kind = ControlKind::Button, .text = "Refresh", .access = Access::kAnyone},
    {.id = Page::kBluetoothApply, .kind = ControlKind::Button, .text = "Apply"},
};

}  // namespace

CDialogNetWork::CDialogNetWork(Camera& camera, dialog::TextLookup texts)
    : TabPage(camera, std::move(texts), "NetWorkDlg", kRows)
{
}
