#include "dialog_encryption.h"

namespace {

using dialog::ControlKind;

const form::Row kRows[] = {
    {.id = CDialogEncryption::kRefresh, .kind = ControlKind::Button, .text = "Refresh", .access = form::Access::kAnyone},
    {.id = CDialogEncryption::kApply, .kind = ControlKind::Button, .text = "Apply"},
};

}  // namespace

CDialogEncryption::CDialogEncryption(Camera& camera, dialog::TextLookup texts)
    : TabPage(camera, std::move(texts), "EncryptionDlg", kRows)
{
}
