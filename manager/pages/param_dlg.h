// Camera settings page: every byte of the settings block as a list or a check box,
// read whole on Refresh and written back on Apply with what the operator changed.
#pragma once

#include <cstddef>

#include "tab_page.h"

class CParamDlg : public TabPage {
    Q_OBJECT
public:
    static constexpr int kRefresh = 1020;
    static constexpr int kApply = 1021;

    // The control of the settings byte at `offset`.
    static constexpr int SettingId(std::size_t offset) { return 2000 + static_cast<int>(offset); }

    CParamDlg(Camera& camera, dialog::TextLookup texts);

    void Refresh();

protected:
    void OnShowPage() override;
    void OnCommand(int id) override;

private:
    void Apply();
};
