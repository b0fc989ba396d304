#include "dialog_network.h"

namespace {

using dialog::ControlKind;
using Page = CDialogNetWork;

constexpr dialog::ControlTemplate kControls[] = {
    {dialog::kNoId, ControlKind::GroupBox, "Network Setting", {7, 7, 366, 86}},
    {Page::kNetworkRefresh, ControlKind::Button, "Refresh", {255, 73, 54, 14}},
    {Page::kNetworkApply, ControlKind::Button, "Apply", {313, 73, 54, 14}},
    {dialog::kNoId, ControlKind::GroupBox, "WiFi", {7, 98, 366, 120}},
    {Page::kWifiRefresh, ControlKind::Button, "Refresh", {255, 198, 54, 14}},
    {Page::kWifiApply, ControlKind::Button, "Apply", {313, 198, 54, 14}},
    {dialog::kNoId, ControlKind::GroupBox, "Bluetooth", {7, 223, 366, 52}},
    {Page::kBluetoothRefresh, ControlKind::Button, "Refresh", {255, 255, 54, 14}},
    {Page::kBluetoothApply, ControlKind::Button, "Apply", {313, 255, 54, 14}},
};

constexpr dialog::DialogTemplate kTemplate{"", 380, 290, kControls};

constexpr int kWritingActions[] = {Page::kNetworkApply, Page::kWifiApply, Page::kBluetoothApply};

}  // namespace

CDialogNetWork::CDialogNetWork(CVireoApp& app) : TabPage(app, kTemplate, kWritingActions) {}
