#include "dialog_encryption.h"

namespace {

using dialog::ControlKind;

constexpr dialog::ControlTemplate kControls[] = {
    {CDialogEncryption::kRefresh, ControlKind::Button, "Refresh", {120, 60, 62, 14}},
    {CDialogEncryption::kApply, ControlKind::Button, "Apply", {188, 60, 62, 14}},
};

constexpr dialog::DialogTemplate kTemplate{"", 380, 290, kControls};

constexpr int kWritingActions[] = {CDialogEncryption::kApply};

}  // namespace

CDialogEncryption::CDialogEncryption(CVireoApp& app) : TabPage(app, kTemplate, kWritingActions) {}
