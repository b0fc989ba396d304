// Network page: the camera's platform connection, WiFi (universal settings, access
// point, station, pairing code) and Bluetooth, each group with its own Refresh and
// Apply; the cellular settings are read along but never shown.
#pragma once

#include <cstdint>

#include "tab_page.h"

class CDialogNetWork : public TabPage {
    Q_OBJECT
public:
    // Platform connection.
    static constexpr int kDeviceName = 1173;
    static constexpr int kProtocol = 1193;
    static constexpr int kEquipmentNo = 1066;
    static constexpr int kServerIp = 1163;
    static constexpr int kServerPort = 1197;
    static constexpr int kServerUrl = 1191;
    static constexpr int kServerArea = 1194;
    static constexpr int kServerPassword = 1198;
    static constexpr int kNetworkRefresh = 1020;
    static constexpr int kNetworkApply = 1021;
    // WiFi.
    static constexpr int kWifiActivate = 1166;
    static constexpr int kWifiMode = 1042;
    static constexpr int kConnectTimeout = 1044;
    static constexpr int kMacAddress = 1064;
    static constexpr int kCameraIp = 1164;
    static constexpr int kGateway = 1204;
    static constexpr int kApSsid = 1031;
    static constexpr int kApPassword = 1165;
    static constexpr int kBand = 1055;
    static constexpr int kChannel = 1056;
    static constexpr int kConnectionLimit = 1169;
    static constexpr int kAutoGetIp = 1043;
    static constexpr int kStaSsid = 1184;
    static constexpr int kStaPassword = 1185;
    static constexpr int kPinCode = 1167;
    static constexpr int kWifiRefresh = 1093;
    static constexpr int kWifiApply = 1108;
    // Bluetooth.
    static constexpr int kBtActivate = 1171;
    static constexpr int kBtAddress = 1170;
    static constexpr int kPairName = 1195;
    static constexpr int kPairMac = 1201;
    static constexpr int kHeartRateLow = 1199;
    static constexpr int kHeartRateHigh = 1203;
    static constexpr int kBluetoothRefresh = 1177;
    static constexpr int kBluetoothApply = 1176;
    // Cellular, never shown.
    static constexpr int kActivate4G = 1168;
    static constexpr int kSimPin = 1172;
    static constexpr int kApn = 1180;
    static constexpr int kApnUserName = 1181;
    static constexpr int kApnPassword = 1190;

    CDialogNetWork(Camera& camera, dialog::TextLookup texts);

protected:
    void OnInitPage() override;
    void OnShowPage() override;
    void OnCommand(int id) override;
    void OnSelChange(int id) override;

private:
    // One read of the WiFi Refresh, and what its failure says.
    struct WifiRead {
        bool (CDialogNetWork::*read)();
        MessageText failure;
    };

    void RefreshAll();
    void RefreshNetwork();
    void ApplyNetwork();
    void RefreshWifi(bool reportFailures);
    void ApplyWifi();
    bool ReadUniversal();
    bool ReadAccessPoint();
    bool ReadStation();
    bool ReadPairingCode();
    void RefreshBluetooth();
    void ApplyBluetooth();
    void Refresh4G();
    void RebuildChannels();

    // Fills `record` from the page; a record not read or a value that does not fit is reported.
    bool Collected(int record, form::RecordBytes bytes);
    // Reports `failure` unless `status` is success; on success the bytes are the camera's.
    bool Sent(int record, form::RecordBytes bytes, int status, const MessageText& failure);
    void Report(int record, form::RecordBytes bytes, int status, const MessageText& success);
    void PromptDefault(const MessageText& message);

    WifiChannelInfo m_channelInfo{};
    std::uint8_t m_lastChannel24G = 0;
    std::uint8_t m_lastChannel5G = 0;
    int m_cameraBand = -1;  // 0 for 2.4 GHz, 1 for 5 GHz, as last read; -1 unread
};
