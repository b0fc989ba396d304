// Camera info page: the camera's identity and the maintenance actions.
#pragma once

#include "tab_page.h"

class CSysManagerDlg : public TabPage {
    Q_OBJECT
public:
    static constexpr int kModel = 1103;
    static constexpr int kVersion = 1105;
    static constexpr int kRefresh = 1106;
    static constexpr int kApply = 1107;
    static constexpr int kDefaultSettings = 1108;
    static constexpr int kLockMemory = 1109;
    static constexpr int kFormatDisk = 1110;

    CSysManagerDlg(Camera& camera, dialog::TextLookup texts);

    // Reads the camera into the fields; a field whose export fails keeps its text.
    void Refresh();

protected:
    void OnInitPage() override;
    void OnShowPage() override;
    void OnCommand(int id) override;
};
