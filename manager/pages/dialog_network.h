// Network page: platform, WiFi and Bluetooth settings. Its fields come with their
// own issue; the three groups' buttons and their access rule are in place.
#pragma once

#include "tab_page.h"

class CDialogNetWork : public TabPage {
    Q_OBJECT
public:
    static constexpr int kNetworkRefresh = 1020;
    static constexpr int kNetworkApply = 1021;
    static constexpr int kWifiRefresh = 1093;
    static constexpr int kWifiApply = 1108;
    static constexpr int kBluetoothRefresh = 1177;
    static constexpr int kBluetoothApply = 1176;

    CDialogNetWork(Camera& camera, dialog::TextLookup texts);
};
