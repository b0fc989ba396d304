// Camera info page: the camera's identity and state, and the maintenance actions
// (clock, reset to defaults, memory lock, format, removable-disk mode).
#pragma once

#include <cstdint>

#include "tab_page.h"

class CSysManagerDlg : public TabPage {
    Q_OBJECT
public:
    static constexpr int kModel = 1103;
    static constexpr int kMacAddress = 1111;
    static constexpr int kDeviceId = 1112;
    static constexpr int kVersion = 1105;
    static constexpr int kUserId = 1113;
    static constexpr int kUserName = 1114;
    static constexpr int kBattery = 1115;
    static constexpr int kWatermark = 1116;
    static constexpr int kFreeSpace = 1117;
    static constexpr int kRefresh = 1106;
    static constexpr int kApply = 1107;
    static constexpr int kSyncTime = 1118;
    static constexpr int kDefaultSettings = 1108;
    static constexpr int kOpenExplorer = 1119;
    static constexpr int kFormatDisk = 1110;
    static constexpr int kLockMemory = 1109;

    CSysManagerDlg(Camera& camera, dialog::TextLookup texts);

    // Reads the camera into the fields; a field whose export fails is cleared.
    void Refresh();

protected:
    void OnInitPage() override;
    void OnShowPage() override;
    void OnCommand(int id) override;

private:
    void Apply();
    void SyncTime();
    void OpenExplorer();
    void ResetToDefaults();
    void ToggleMemoryLock();
    void FormatDisk();
    void SetLockState(std::int32_t state);
    // A shown-only field: `text` after a successful read, empty otherwise.
    void ShowRead(int id, int status, const QString& text);

    std::int32_t m_lockState = 0;  // as last known: nonzero locked
};
