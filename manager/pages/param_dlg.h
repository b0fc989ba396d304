// Camera settings page. Its lists and check boxes come with their own issue; the
// buttons and their access rule are in place.
#pragma once

#include "tab_page.h"

class CParamDlg : public TabPage {
    Q_OBJECT
public:
    static constexpr int kRefresh = 1020;
    static constexpr int kApply = 1021;

    explicit CParamDlg(CVireoApp& app);
};
