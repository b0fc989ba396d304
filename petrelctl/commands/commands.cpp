#include <sstream>

#include "commands/command_set.h"
#include "records/records.h"

namespace petrelctl {

const std::vector<Command>& Commands() {
    constexpr int kAny = -1;
    using petrel::audit::Event;
    constexpr auto kChange = Event::kChange, kSecret = Event::kSecretChange,
                   kAction = Event::kAction;
    static const std::vector<Command> kCommands = {
        {"list", "", "list cameras on USB and camera disks: place, serial number, bar code", 0, 0,
         RunList, nullptr, false, false},
        {"info", "", "show model, bar code, firmware version and USB strings", 0, 0, RunInfo,
         nullptr, true, false},
        {"login", "", "check the password of --level on the camera", 0, 0, RunLogin},
        {"clock", "", "show the camera's clock", 0, 0, RunClock},
        {"clock set", "YYYY-MM-DD HH:MM:SS", "set the camera's clock", 1, 2, RunClockSet,
         CheckClockSet, true, true, kAction},
        {"clock sync", "", "set the camera's clock to this computer's local time", 0, 0,
         RunClockSync, nullptr, true, true, kAction},
        {"identity", "", "show model, version, bar code, MAC, user/device id, unit, watermark", 0,
         0, RunShowRecords<IdentityRecords>},
        {"identity set", "NAME=VALUE...", "change identity fields", 1, kAny,
         RunChangeRecords<IdentityRecords>, CheckRecordArguments<IdentityRecords>, true, true,
         kChange},
        {"battery", "", "show the battery charge", 0, 0, RunBattery},
        {"disk", "", "show storage capacity, free space and lock state", 0, 0, RunDisk},
        {"settings", "", "show every setting with its code and the allowed codes", 0, 0,
         RunShowRecords<SettingsRecords>},
        {"settings set", "NAME=VALUE...", "change settings (a code or its text)", 1, kAny,
         RunChangeRecords<SettingsRecords>, CheckRecordArguments<SettingsRecords>, true, true,
         kChange},
        {"network", "", "show the management platform settings", 0, 0,
         RunShowRecords<NetworkRecords>},
        {"network set", "NAME=VALUE...", "change management platform settings", 1, kAny,
         RunChangeRecords<NetworkRecords>, CheckRecordArguments<NetworkRecords>, true, true,
         kChange},
        {"wifi", "", "show WiFi, access point, station, pairing code and channels", 0, 0,
         RunShowRecords<WifiRecords>},
        {"wifi set", "NAME=VALUE...", "change WiFi settings (ap.NAME, sta.NAME for the modes)", 1,
         kAny, RunChangeRecords<WifiRecords>, CheckRecordArguments<WifiRecords>, true, true,
         kChange},
        {"bluetooth", "", "show the Bluetooth settings", 0, 0, RunShowRecords<BluetoothRecords>},
        {"bluetooth set", "NAME=VALUE...", "change Bluetooth settings", 1, kAny,
         RunChangeRecords<BluetoothRecords>, CheckRecordArguments<BluetoothRecords>, true, true,
         kChange},
        {"4g", "", "show the cellular data settings", 0, 0, RunShowRecords<Mobile4GRecords>},
        {"4g set", "NAME=VALUE...", "change cellular data settings", 1, kAny,
         RunChangeRecords<Mobile4GRecords>, CheckRecordArguments<Mobile4GRecords>, true, true,
         kChange},
        {"encryption", "", "show the recording encryption and its AES key", 0, 0,
         RunShowRecords<EncryptionRecords>},
        {"encryption set", "NAME=VALUE...", "change the recording encryption", 1, kAny,
         RunChangeRecords<EncryptionRecords>, CheckRecordArguments<EncryptionRecords>, true, true,
         kChange},
        {"change-password", "0|1 [NEW]", "set the password of a level (NEW or PETREL_NEW_PASSWORD)",
         1, 2, RunChangePassword, nullptr, true, true, kSecret},
        {"lock", "", "lock the camera's storage with the administrator password", 0, 0, RunLock,
         nullptr, true, true, kAction},
        {"unlock", "", "unlock the camera's storage", 0, 0, RunUnlock, nullptr, true, true,
         kAction},
        {"format", "", "format the camera's storage (asks, or --yes)", 0, 0, RunFormat, nullptr,
         true, true, kAction},
        {"reset", "", "restore the camera's default settings (asks, or --yes)", 0, 0, RunReset,
         nullptr, true, true, kAction},
        {"backup", "FILE|DIR",
         "save every setting as JSON (a directory: BARCODE-SERIAL.json in it)", 1, 1, RunBackup,
         CheckBackup},
        {"restore", "FILE", "give the camera the settings of a backup (--dry-run shows them)", 1, 1,
         RunApply, CheckApply, true, true, kChange},
        {"apply", "PROFILE", "give the camera the settings a profile names (--dry-run)", 1, 1,
         RunApply, CheckApply, true, true, kChange},
        {"mass-storage", "", "switch the camera to removable-disk mode", 0, 0, RunMassStorage,
         nullptr, true, true, kAction},
        {"offload", "DEST", "copy every recording to DEST/SERIAL/TIME, verified, with a manifest",
         1, 1, RunOffload, CheckOffload, true, true, kAction, 2},
        {"history", "",
         "show what was changed on which camera, when, by whom (--camera, --since, --until)", 0, 0,
         RunHistory, CheckHistory, false, false},
        {"watch", "--apply PROFILE|--sync-clock|--offload DEST",
         "provision or offload every camera plugged in, once each, until interrupted", 0, 0,
         RunWatch, CheckWatch, false},
    };
    return kCommands;
}

const Command* FindCommand(std::vector<std::string>& words) {
    const Command* found = nullptr;
    std::size_t foundLength = 0;
    for (const auto& command : Commands()) {
        std::istringstream name(command.name);
        std::size_t length = 0;
        bool matches = true;
        for (std::string word; matches && name >> word; ++length) {
            matches = length < words.size() && words[length] == word;
        }
        if (matches && length > foundLength) {
            found = &command;
            foundLength = length;
        }
    }
    words.erase(words.begin(), words.begin() + static_cast<std::ptrdiff_t>(foundLength));
    return found;
}

}  // namespace petrelctl
