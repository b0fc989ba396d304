// Encryption page: how the camera encrypts its recordings. Its fields come with
// their own issue; the buttons and their access rule are in place.
#pragma once

#include "tab_page.h"

class CDialogEncryption : public TabPage {
    Q_OBJECT
public:
    static constexpr int kRefresh = 1020;
    static constexpr int kApply = 1021;

    CDialogEncryption(Camera& camera, dialog::TextLookup texts);
};
