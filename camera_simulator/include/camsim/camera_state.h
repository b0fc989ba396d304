// Everything a simulated camera knows, as plain data. The camera model reads and
// changes it while answering commands; tests read and change it through Camera.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <string>

namespace camsim {

using Bytes6 = std::array<std::uint8_t, 6>;

// Calendar time as the camera keeps it (full year, month 1-12, ...).
struct DateTime {
    int year = 2024;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    bool operator==(const DateTime&) const = default;
};

// Password checks: after `maxAttempts` wrong answers in a row the camera refuses
// every check (verdict 0xFF) for `duration`; a right password resets the count.
struct LockoutPolicy {
    unsigned maxAttempts = 5;
    std::chrono::milliseconds duration = std::chrono::seconds(180);
};

struct CameraState {
    // Identity.
    std::string modelId = "BWC_X1";
    std::string version = "FW_2.4.1_API_1.0.8_B0420";
    std::string barCode = "BC0000000001";
    std::string manufacturer = "Petrel Devices";
    std::string product = "Body Camera";
    std::string serial = "SN0000000001";
    std::string macAddress = "0A1B2C3D4E5F";

    // Passwords of level 0 (general user) and level 1 (administrator), plain text.
    std::array<std::string, 2> passwords{"123456", "888888"};
    LockoutPolicy lockout;

    // The settings block and the records, byte for byte as they travel.
    std::array<std::uint8_t, 51> sysParam{6, 0, 2, 3, 1, 4, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0,  0,
                                          0, 1, 5, 1, 2, 1, 5, 1, 1, 0, 0, 0, 0, 1, 1, 24, 1,
                                          3, 5, 0, 0, 0, 0, 0, 2, 0, 1, 1, 0, 5, 0, 1, 1,  0};
    std::array<std::uint8_t, 106> networkInfo{};
    std::array<std::uint8_t, 67> wifiUniversal{};
    std::array<std::uint8_t, 83> wifiApSetting{};
    std::array<std::uint8_t, 81> wifiStaSetting{};
    // 2.4 GHz list (14 bytes) then 5 GHz list (25 bytes); 0 is automatic, 0xFF ends a list.
    std::array<std::uint8_t, 39> wifiChannelInfo{
        0,    1,    2,    3,    4,    5,    6,    7,    8,    9,    10,   11,   0xFF,
        0xFF, 0,    36,   40,   44,   48,   149,  153,  157,  161,  165,  0xFF, 0xFF,
        0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    std::array<std::uint8_t, 99> bluetoothInfo{};
    std::array<std::uint8_t, 81> mobile4GInfo{};
    std::array<std::uint8_t, 8> summerTime{};  // wire order

    // Who carries the camera; userId and deviceId held unmasked.
    std::string userId;
    std::string deviceId;
    std::string userName;
    std::string unitNumber;
    std::string unitName;

    std::string waterMark = "BWC";
    std::string p2pCode = "12345678";

    // Recording encryption and the key text served in chunks (at most 480 bytes).
    std::uint8_t dataEncryption = 0;
    std::uint8_t decryptionPlayback = 0;
    std::string aesKey = "00000000000000000000000000000000";
    std::string rsaAesKey;
    // A faulty camera: every key chunk says more follow, so a series never ends.
    bool keyChunksNeverLast = false;

    // Clock: `clock` is the time the camera showed when it was last set; it runs on
    // from there (GetTime adds the time elapsed since).
    DateTime clock;

    std::uint16_t batteryPercent = 87;
    std::uint32_t diskTotalMb = 30528;
    std::uint32_t diskFreeMb = 21004;
    std::uint32_t timeoutMs = 30000;  // GetTimeOut; SendHeartbeat replaces it

    bool storageLocked = false;
    std::string lockPassword;  // last text sent with the lock exchange

    // Last values of the fire-and-forget commands, for tests to look at.
    std::array<std::uint8_t, 4> lastLed{};
    std::array<std::uint8_t, 4> lastBuzzer{};
    std::uint8_t systemType = 0;

    unsigned formatCount = 0;
    unsigned resetCount = 0;

    // How long the camera is away after CameraReboot.
    std::chrono::milliseconds rebootDelay = std::chrono::seconds(1);
};

// The password verdict and connection key the camera holds for its current
// connection; derived by the camera itself on an accepted check.
struct SessionState {
    int verifiedLevel = -1;
    Bytes6 connectionKey{};
    unsigned failedChecks = 0;
    bool lockedOut = false;
};

}  // namespace camsim
