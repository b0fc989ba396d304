// Encryption page: whether the camera encrypts its recordings, its stream or both,
// and the 32-character AES key it uses; read on every showing, written on Apply.
#pragma once

#include "tab_page.h"

class CDialogEncryption : public TabPage {
    Q_OBJECT
public:
    static constexpr int kDataEncryption = 1199;
    static constexpr int kDecryptionPlayback = 1200;
    static constexpr int kAesKey = 1201;
    static constexpr int kAesKeyLabel = 1214;
    static constexpr int kRefresh = 1020;
    static constexpr int kApply = 1021;

    CDialogEncryption(Camera& camera, dialog::TextLookup texts);

    void Refresh();

protected:
    void OnInitPage() override;
    void OnShowPage() override;
    void OnCommand(int id) override;

private:
    void Apply();
};
