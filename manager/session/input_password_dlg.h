// Asks for the administrator password for one protected action of a page. Only
// the length is checked here; the camera judges the password itself.
#pragma once

#include <array>

#include "modal_dialog.h"
#include "text_lookup.h"

class CDialogInputPassword : public dialog::Dialog {
    Q_OBJECT
public:
    static constexpr int kLabel = 1112;
    static constexpr int kPassword = 1023;
    static constexpr int kOk = 1090;

    explicit CDialogInputPassword(dialog::TextLookup texts, QWidget* parent = nullptr);

    // After IDOK: the entered password, terminated 8-bit text.
    const char* Password() const { return m_password.data(); }

protected:
    void OnInitDialog() override;
    void OnCommand(int id) override;

private:
    dialog::TextLookup m_texts;
    std::array<char, 32> m_password{};
};
