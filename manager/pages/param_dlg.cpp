#include "param_dlg.h"

namespace {

using dialog::ControlKind;

constexpr dialog::ControlTemplate kControls[] = {
    {CParamDlg::kRefresh, ControlKind::Button, "Refresh", {243, 268, 62, 14}},
    {CParamDlg::kApply, ControlKind::Button, "Apply", {311, 268, 62, 14}},
};

constexpr dialog::DialogTemplate kTemplate{"", 380, 290, kControls};

constexpr int kWritingActions[] = {CParamDlg::kApply};

}  // namespace

CParamDlg::CParamDlg(CVireoApp& app) : TabPage(app, kTemplate, kWritingActions) {}
