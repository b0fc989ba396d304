#include "tab_page.h"

#include <utility>

#include "app_state.h"

namespace {

constexpr MessageText kFailed{"Failed", "Failed"};

}  // namespace

TabPage::TabPage(Camera& camera, dialog::TextLookup texts, const char* section,
                 std::span<const form::Row> rows, std::vector<const fields::RecordFields*> records)
    : m_camera(camera),
      m_texts(std::move(texts)),
      m_section(section),
      m_form(rows, std::move(records)) {
    hide();
}

void TabPage::Create(QWidget* parent, int userType) {
    setParent(parent);
    m_form.Build(this, [this](int id, QWidget* control) { AddItem(id, control); });
    m_form.Localise(m_texts, m_section);
    SetUserType(userType);
    OnInitPage();
}

void TabPage::SetUserType(int userType) {
    m_userType = userType;
    m_form.SetUserType(userType);
}

void TabPage::ShowPage(bool show) {
    if (show == !isHidden()) return;
    setVisible(show);
    if (show)
        OnShowPage();
    else
        OnHidePage();
}

QString TabPage::Text(const char* key, const char* fallback) const {
    return m_texts(m_section, key, QString::fromUtf8(fallback));
}

void TabPage::Prompt(const MessageText& message) { ShowPrompt(m_texts, this, m_section, message); }

void TabPage::PromptFailed() { ShowPrompt(m_texts, this, "Default", kFailed); }

void TabPage::PromptProblem(const QString& problem) {
    dialog::ShowMessageBox({this, problem, QString::fromUtf8(kPromptTitle)});
}
