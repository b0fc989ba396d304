#include "dialog_network.h"

#include <QRegularExpression>
#include <span>

#include "record_fields.h"

namespace {

using dialog::ControlKind;
using form::Access;
using Page = CDialogNetWork;

// The Activate entries are the only looked-up texts, and they are the settings page's.
constexpr const char* kSection = "ParamDlg";
constexpr const char* kMessageSection = "Default";

enum Record { kNetwork, kUniversal, kAccessPoint, kStation, kPairing, kBluetooth, kCellular };

// The record holds the number of connections less one.
const fields::CodeOption kConnectionLimits[] = {{0, "1"}, {1, "2"}, {2, "3"}, {3, "4"}, {4, "5"}};
// Israel and Italy share a code: the camera's 25 shows as Israel.
const fields::CodeOption kServerAreas[] = {
    {0, "China"},           {1, "America"},      {2, "Argentina"},    {3, "Australia"},
    {4, "Bahamas"},         {5, "Bangladesh"},   {6, "Belgium"},      {7, "Brazil"},
    {8, "Cambodia"},        {9, "Canada"},       {10, "Chile"},       {11, "Colombia"},
    {12, "Congo"},          {13, "Costa Rica"},  {14, "El Salvador"}, {15, "Finland"},
    {16, "France"},         {17, "Germany"},     {18, "Guatemale"},   {19, "Honduras"},
    {20, "HongKong"},       {21, "Hungary"},     {22, "India"},       {23, "Indonesia"},
    {24, "Ireland"},        {25, "Israel"},      {25, "Italy"},       {26, "Ivory Coast"},
    {27, "Kazakhstan"},     {28, "Netherlands"}, {29, "New Zealand"}, {30, "Nigeria"},
    {31, "Malaysia"},       {32, "Mexico"},      {33, "Myanmar"},     {34, "Panama"},
    {35, "Philippines"},    {36, "Poland"},      {37, "Russia"},      {38, "Singapore"},
    {39, "South Africa"},   {40, "South Korea"}, {41, "Spain"},       {42, "Sri Lanka"},
    {43, "Sweden"},         {44, "Switzerland"}, {45, "TaiWan"},      {46, "Tgailand"},
    {47, "United Kingdom"}, {48, "Vitenam"},     {49, "User-Defined"}};

// clang-format off
const form::Row kRows[] = {
    {.kind = ControlKind::GroupBox, .text = "Network Setting", .columns = 3},
    {.id = Page::kDeviceName, .text = "Device Name:", .record = kNetwork, .field = "deviceName"},
    {.id = Page::kProtocol, .kind = ControlKind::DropList, .text = "Protocol:", .record = kNetwork, .field = "protocol", .access = Access::kAnyone},
    {.id = Page::kEquipmentNo, .text = "Equipment No.:", .record = kNetwork, .field = "equipmentNo"},
    {.id = Page::kServerIp, .kind = ControlKind::IpAddress, .text = "Server IP:", .record = kNetwork, .field = "serverIp", .access = Access::kAnyone},
    {.id = Page::kServerPort, .text = "Server Port:", .record = kNetwork, .field = "serverPort"},
    {.id = Page::kServerUrl, .text = "Server URL:", .record = kNetwork, .field = "serverUrl", .hidden = true},
    {.id = Page::kServerArea, .kind = ControlKind::DropList, .text = "Server Area:", .record = kNetwork, .field = "serverArea", .options = kServerAreas, .hidden = true},
    {.id = Page::kServerPassword, .text = "Password:", .record = kNetwork, .field = "serverPassword", .hidden = true},
    {.id = Page::kNetworkRefresh, .kind = ControlKind::Button, .text = "Refresh", .access = Access::kAnyone, .inGroup = true},
    {.id = Page::kNetworkApply, .kind = ControlKind::Button, .text = "Apply", .inGroup = true},

    {.kind = ControlKind::GroupBox, .text = "WiFi", .columns = 3},
    {.id = Page::kWifiActivate, .kind = ControlKind::DropList, .text = "Activate:", .record = kUniversal, .field = "wifiActivate", .access = Access::kAnyone, .lookUpOptions = true},
    {.id = Page::kWifiMode, .kind = ControlKind::DropList, .text = "Mode:", .record = kUniversal, .field = "wifiMode", .access = Access::kAnyone},
    {.id = Page::kConnectTimeout, .kind = ControlKind::DropList, .text = "Connect Timeout:", .record = kUniversal, .field = "connectTimeout", .access = Access::kAnyone},
    {.id = Page::kMacAddress, .text = "Mac Address:", .record = kUniversal, .field = "macAddress"},
    {.id = Page::kCameraIp, .kind = ControlKind::IpAddress, .text = "Camera IP:", .record = kUniversal, .field = "cameraIp", .access = Access::kAnyone},
    {.id = Page::kGateway, .kind = ControlKind::IpAddress, .text = "Gateway:", .record = kUniversal, .field = "gateway", .access = Access::kAnyone},
    {.kind = ControlKind::GroupBox, .text = "AP Mode", .inGroup = true},
    // SSIDs: the record takes 47 bytes, the operator types at most 15 characters.
    {.id = Page::kApSsid, .text = "SSID:", .record = kAccessPoint, .field = "ssid", .maxCharacters = 15},
    {.id = Page::kApPassword, .text = "Password:", .record = kAccessPoint, .field = "password"},
    {.id = Page::kBand, .kind = ControlKind::DropList, .text = "Frequency Range:", .record = kAccessPoint, .field = "band", .access = Access::kAnyone},
    {.id = Page::kChannel, .kind = ControlKind::DropList, .text = "Channel:", .record = kAccessPoint, .field = "channel", .access = Access::kAnyone, .pageList = true},
    {.id = Page::kConnectionLimit, .kind = ControlKind::DropList, .text = "Connection Limit:", .record = kAccessPoint, .field = "connectionLimit", .access = Access::kAnyone, .options = kConnectionLimits},
    {.kind = ControlKind::GroupBox, .text = "STA Mode", .inGroup = true},
    {.id = Page::kAutoGetIp, .kind = ControlKind::DropList, .text = "Auto Get IP:", .record = kStation, .field = "autoGetIp", .access = Access::kAnyone},
    {.id = Page::kStaSsid, .text = "SSID:", .record = kStation, .field = "ssid", .maxCharacters = 15},
    {.id = Page::kStaPassword, .text = "Password:", .record = kStation, .field = "password"},
    {.kind = ControlKind::GroupBox, .text = "P2P Mode", .inGroup = true},
    {.id = Page::kPinCode, .text = "PIN Code:", .record = kPairing, .field = "p2pCode"},
    {.id = Page::kWifiRefresh, .kind = ControlKind::Button, .text = "Refresh", .access = Access::kAnyone, .inGroup = true},
    {.id = Page::kWifiApply, .kind = ControlKind::Button, .text = "Apply", .inGroup = true},

    {.kind = ControlKind::GroupBox, .text = "Bluetooth", .columns = 3},
    {.id = Page::kBtActivate, .kind = ControlKind::DropList, .text = "Activate:", .record = kBluetooth, .field = "btActivate", .access = Access::kAnyone, .lookUpOptions = true},
    {.id = Page::kBtAddress, .text = "Address:", .record = kBluetooth, .field = "btAddress"},
    {.id = Page::kPairName, .text = "Pair Name:", .record = kBluetooth, .field = "pairName"},
    {.id = Page::kPairMac, .text = "Pair Mac:", .record = kBluetooth, .field = "pairMac"},
    {.id = Page::kHeartRateLow, .text = "Heart  Rate:", .record = kBluetooth, .field = "heartRateLow", .spoken = "Lowest Heart Rate"},
    {.id = Page::kHeartRateHigh, .text = "\u2014\u2014", .record = kBluetooth, .field = "heartRateHigh", .spoken = "Highest Heart Rate"},
    {.id = Page::kBluetoothRefresh, .kind = ControlKind::Button, .text = "Refresh", .access = Access::kAnyone, .inGroup = true},
    {.id = Page::kBluetoothApply, .kind = ControlKind::Button, .text = "Apply", .inGroup = true},

    // Read with the page, never shown.
    {.id = Page::kActivate4G, .kind = ControlKind::DropList, .text = "Activate:", .record = kCellular, .field = "activate4G", .lookUpOptions = true, .hidden = true},
    {.id = Page::kSimPin, .text = "SIM PIN:", .record = kCellular, .field = "simPin", .hidden = true},
    {.id = Page::kApn, .text = "APN:", .record = kCellular, .field = "apn", .hidden = true},
    {.id = Page::kApnUserName, .text = "APN UserName:", .record = kCellular, .field = "apnUserName", .hidden = true},
    {.id = Page::kApnPassword, .text = "APN PassWord:", .record = kCellular, .field = "apnPassword", .hidden = true},
};
// clang-format on

constexpr MessageText kFailed{"Failed", "Failed"};
constexpr MessageText kNetworkApplied{"Success_NI", "Network Settings set successfully."};
constexpr MessageText kWifiApplied{"Success_WIFI", "Wifi Settings set successfully."};
constexpr MessageText kBluetoothApplied{"Success_BT", "Bluetooth Settings set successfully."};
constexpr MessageText kHeartRateRange{"HeartRateRange", "Heart Rate 0-255!"};
constexpr MessageText kUniversalReadFailed{"GetWifiUniversalFailed", "GetWifiUniversal Failed"};
constexpr MessageText kAccessPointReadFailed{"GetApSettingFailed", "Get AP Setting Failed"};
constexpr MessageText kStationReadFailed{"GetStaSettingFailed", "Get STA Setting Failed"};
constexpr MessageText kPairingReadFailed{"GetP2pPinFailed", "Get P2P PIN Failed"};
constexpr MessageText kUniversalWriteFailed{"SetWifiUniversalFailed",
                                            "WifiUniversal Setting Failed"};
constexpr MessageText kAccessPointWriteFailed{"SetApSettingFailed", "AP Setting Failed"};
constexpr MessageText kStationWriteFailed{"SetStaSettingFailed", "STA Setting Failed"};
constexpr MessageText kPairingWriteFailed{"SetP2pPinFailed", "Set P2P PIN Failed"};
constexpr MessageText kMessages[] = {
    kNetworkApplied,         kWifiApplied,         kBluetoothApplied,
    kHeartRateRange,         kUniversalReadFailed, kAccessPointReadFailed,
    kStationReadFailed,      kPairingReadFailed,   kUniversalWriteFailed,
    kAccessPointWriteFailed, kStationWriteFailed,  kPairingWriteFailed,
};
// Not among the page's keys: a translation may still carry them (dialog::Translated).
constexpr const char* kNotConnected = "Camera Not Connected";
constexpr const char* kPairingCodeRule = "P2P Code must be 8 digits";
constexpr const char* kAutoChannel = "Auto";

bool IsHeartRate(const QString& text) {
    bool number = false;
    const int rate = text.toInt(&number);
    return number && rate >= 0 && rate <= 255;
}

}  // namespace

CDialogNetWork::CDialogNetWork(Camera& camera, dialog::TextLookup texts)
    : TabPage(camera, std::move(texts), kSection, kRows,
              {{&fields::NetworkFields(), "RecordNetwork", "Network Setting"},
               {&fields::WifiUniversalFields(), "RecordWifi", "WiFi"},
               {&fields::WifiApFields(), "RecordAccessPoint", "AP Mode"},
               {&fields::WifiStaFields(), "RecordStation", "STA Mode"},
               {&fields::PairingCodeFields(), "RecordPairing", "P2P Mode"},
               {&fields::BluetoothFields(), "RecordBluetooth", "Bluetooth"},
               {&fields::Mobile4GFields(), "Record4G", "4G Setting"}}) {}

void CDialogNetWork::OnInitPage() {
    RegisterMessages(m_texts, kMessageSection, kMessages);
    RebuildChannels();
    RefreshAll();
}

void CDialogNetWork::OnShowPage() { RefreshAll(); }

void CDialogNetWork::OnCommand(int id) {
    switch (id) {
        case kNetworkRefresh:
            RefreshNetwork();
            break;
        case kNetworkApply:
            ApplyNetwork();
            break;
        case kWifiRefresh:
            RefreshWifi(true);
            break;
        case kWifiApply:
            ApplyWifi();
            break;
        case kBluetoothRefresh:
            RefreshBluetooth();
            break;
        case kBluetoothApply:
            ApplyBluetooth();
            break;
        default:
            break;
    }
}

void CDialogNetWork::OnSelChange(int id) {
    if (id == kBand) RebuildChannels();
}

void CDialogNetWork::RefreshAll() {
    RefreshNetwork();
    RefreshWifi(false);
    RefreshBluetooth();
    Refresh4G();
}

void CDialogNetWork::RefreshNetwork() {
    NetworkInfo info{};
    if (!m_form.Read(kNetwork, PETREL_CALL(m_camera, GetNetworkInfo, &info), info))
        PromptPlain(kNotConnected);
}

void CDialogNetWork::ApplyNetwork() {
    NetworkInfo info{};
    if (Collected(kNetwork, info))
        Report(kNetwork, info, PETREL_CALL(m_camera, SetNetworkInfo, &info), kNetworkApplied);
}

void CDialogNetWork::RefreshWifi(bool reportFailures) {
    static constexpr WifiRead kReads[] = {
        {&CDialogNetWork::ReadUniversal, kUniversalReadFailed},
        {&CDialogNetWork::ReadAccessPoint, kAccessPointReadFailed},
        {&CDialogNetWork::ReadStation, kStationReadFailed},
        {&CDialogNetWork::ReadPairingCode, kPairingReadFailed},
    };
    for (const WifiRead& step : kReads) {
        if (!(this->*step.read)() && reportFailures) {
            PromptDefault(step.failure);
            return;
        }
    }
}

bool CDialogNetWork::ReadUniversal() {
    WifiUniversal universal{};
    return m_form.Read(kUniversal, PETREL_CALL(m_camera, GetWifiUniversal, &universal), universal);
}

bool CDialogNetWork::ReadAccessPoint() {
    // On failure the channel lists stay as they were.
    PETREL_CALL(m_camera, GetWifiChannelInfo, &m_channelInfo);
    WifiApSetting accessPoint{};
    const bool read = m_form.Read(
        kAccessPoint, PETREL_CALL(m_camera, GetWifiApSetting, &accessPoint), accessPoint);
    m_cameraBand = read ? (accessPoint.band != 0 ? 1 : 0) : -1;
    if (read) (accessPoint.band != 0 ? m_lastChannel5G : m_lastChannel24G) = accessPoint.channel;
    RebuildChannels();
    return read;
}

bool CDialogNetWork::ReadStation() {
    WifiStaSetting station{};
    return m_form.Read(kStation, PETREL_CALL(m_camera, GetWifiStaSetting, &station), station);
}

bool CDialogNetWork::ReadPairingCode() {
    fields::PairingCode code{};
    return m_form.Read(kPairing, PETREL_CALL(m_camera, GetP2pCode, code.p2pCode), code);
}

void CDialogNetWork::ApplyWifi() {
    // Everything is checked before the first record goes out, so a refusal leaves the camera as
    // it was.
    constexpr int kWritten[] = {kUniversal, kAccessPoint, kStation, kPairing};
    if (const QString unread = m_form.NotRead(kWritten); !unread.isEmpty()) {
        PromptProblem(unread);
        return;
    }
    static const QRegularExpression kEightDigits(QStringLiteral("^[0-9]{8}$"));
    if (!kEightDigits.match(GetItemText(kPinCode)).hasMatch()) {
        PromptPlain(kPairingCodeRule);
        return;
    }
    WifiUniversal universal{};
    WifiApSetting accessPoint{};
    WifiStaSetting station{};
    fields::PairingCode code{};
    if (!Collected(kUniversal, universal) || !Collected(kAccessPoint, accessPoint) ||
        !Collected(kStation, station) || !Collected(kPairing, code))
        return;
    if (Sent(kUniversal, universal, PETREL_CALL(m_camera, SetWifiUniversal, &universal),
             kUniversalWriteFailed) &&
        Sent(kAccessPoint, accessPoint, PETREL_CALL(m_camera, SetWifiApSetting, &accessPoint),
             kAccessPointWriteFailed) &&
        Sent(kStation, station, PETREL_CALL(m_camera, SetWifiStaSetting, &station),
             kStationWriteFailed) &&
        Sent(kPairing, code, PETREL_CALL(m_camera, SetP2pCode, code.p2pCode), kPairingWriteFailed))
        PromptDefault(kWifiApplied);
}

void CDialogNetWork::RefreshBluetooth() {
    BluetoothInfo info{};
    m_form.Read(kBluetooth, PETREL_CALL(m_camera, GetBluetoothInfo, &info), info);
}

void CDialogNetWork::ApplyBluetooth() {
    if (!IsHeartRate(GetItemText(kHeartRateLow)) || !IsHeartRate(GetItemText(kHeartRateHigh))) {
        PromptDefault(kHeartRateRange);
        return;
    }
    BluetoothInfo info{};
    if (Collected(kBluetooth, info))
        Report(kBluetooth, info, PETREL_CALL(m_camera, SetBluetoothInfo, &info), kBluetoothApplied);
}

void CDialogNetWork::Refresh4G() {
    Mobile4GInfo info{};
    m_form.Read(kCellular, PETREL_CALL(m_camera, Get4GInfo, &info), info);
}

void CDialogNetWork::RebuildChannels() {
    const bool fiveGhz = SelectedListValue(kBand) > 0;  // none selected when unread: 2.4 GHz
    const std::span<const std::uint8_t> list =
        fiveGhz ? std::span<const std::uint8_t>(m_channelInfo.channels5G)
                : std::span<const std::uint8_t>(m_channelInfo.channels24G);
    ResetList(kChannel);
    for (const std::uint8_t channel : list.first(static_cast<std::size_t>(
             PetrelChannelCount(list.data(), static_cast<int>(list.size())))))
        AddListEntry(kChannel,
                     channel == PETREL_CHANNEL_AUTO ? dialog::Translated(m_texts, kAutoChannel)
                                                    : QString::number(channel),
                     channel);
    SelectListIndex(kChannel, 0);
    const std::uint8_t last = fiveGhz ? m_lastChannel5G : m_lastChannel24G;
    // The channel the camera uses stays even when it does not list it, so Apply keeps it.
    const bool camerasBand = m_cameraBand == (fiveGhz ? 1 : 0);
    if (!SelectListValue(kChannel, last) && (last != PETREL_CHANNEL_AUTO || camerasBand))
        SelectListIndex(kChannel, AddListEntry(kChannel,
                                               last == PETREL_CHANNEL_AUTO
                                                   ? dialog::Translated(m_texts, kAutoChannel)
                                                   : form::UnknownCodeText(m_texts, last),
                                               last));
}

bool CDialogNetWork::Collected(int record, form::RecordBytes bytes) {
    QString problem;
    if (m_form.Collect(record, bytes, problem)) return true;
    PromptProblem(problem);
    return false;
}

bool CDialogNetWork::Sent(int record, form::RecordBytes bytes, int status,
                          const MessageText& failure) {
    if (status == STATUS_OK) {
        m_form.Written(record, bytes);
        return true;
    }
    Prompt(kMessageSection, failure, status);
    return false;
}

void CDialogNetWork::Report(int record, form::RecordBytes bytes, int status,
                            const MessageText& success) {
    if (Sent(record, bytes, status, kFailed)) PromptDefault(success);
}

void CDialogNetWork::PromptDefault(const MessageText& message) {
    ShowPrompt(m_texts, this, kMessageSection, message);
}
