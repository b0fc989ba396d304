#include "dialog_encryption.h"

#include "record_fields.h"

namespace {

using dialog::ControlKind;
using form::Access;
using Page = CDialogEncryption;

constexpr const char* kSection = "EncryptionDlg";
constexpr int kRecord = 0;

// clang-format off
const form::Row kRows[] = {
    {.id = Page::kDataEncryption, .kind = ControlKind::DropList, .text = "Data Encryption:", .field = "dataEncryption"},
    {.id = Page::kAesKey, .kind = ControlKind::Edit, .text = "AES Key:", .field = "aesKey", .labelId = Page::kAesKeyLabel},
    // Never shown, but carried from a read to the next write.
    {.id = Page::kDecryptionPlayback, .kind = ControlKind::DropList, .text = "Decryption Playback:", .field = "decryptionPlayback", .hidden = true},
    {.id = Page::kRefresh, .kind = ControlKind::Button, .text = "Refresh", .access = Access::kAnyone},
    {.id = Page::kApply, .kind = ControlKind::Button, .text = "Apply"},
};
// clang-format on

// Its own key: the login's "Msg2" already says "Firmware version mismatch.".
constexpr MessageText kShortKey{"Msg1", "Please enter 32-character AES key."};
constexpr MessageText kShortKeyMessages[] = {kShortKey};
// The settings page's confirmation, shared.
constexpr const char* kAppliedSection = "ParamDlg";
constexpr MessageText kApplied{"Msg1", "Set Successfully."};

}  // namespace

CDialogEncryption::CDialogEncryption(Camera& camera, dialog::TextLookup texts)
    : TabPage(camera, std::move(texts), kSection, kRows,
              {{&fields::EncryptionFields(), "RecordEncryption", "Encryption"}}) {}

void CDialogEncryption::OnInitPage() { RegisterMessages(m_texts, kSection, kShortKeyMessages); }

void CDialogEncryption::OnShowPage() { Refresh(); }

void CDialogEncryption::OnCommand(int id) {
    if (id == kRefresh)
        Refresh();
    else if (id == kApply)
        Apply();
}

void CDialogEncryption::Refresh() {
    fields::Encryption encryption{};
    m_form.Read(kRecord,
                PETREL_CALL(m_camera, GetEncryption, &encryption.dataEncryption,
                            &encryption.decryptionPlayback, encryption.aesKey),
                encryption);
}

void CDialogEncryption::Apply() {
    constexpr int kWritten[] = {kRecord};
    if (const QString unread = m_form.NotRead(kWritten); !unread.isEmpty()) {
        PromptProblem(unread);
        return;
    }
    if (GetItemText(kAesKey).size() < PETREL_AES_KEY_SIZE) {
        Prompt(kShortKey);
        return;
    }
    fields::Encryption encryption{};
    QString problem;
    if (!m_form.Collect(kRecord, encryption, problem)) {
        PromptProblem(problem);
        return;
    }
    if (const int status = PETREL_CALL(m_camera, SetEncryption, encryption.dataEncryption,
                                       encryption.decryptionPlayback, encryption.aesKey);
        status != STATUS_OK) {
        PromptFailed(status);
        return;
    }
    m_form.Written(kRecord, encryption);
    ShowPrompt(m_texts, this, kAppliedSection, kApplied);
}
