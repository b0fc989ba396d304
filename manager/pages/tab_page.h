// One page of the main window's tabs, built from its table of rows. The host
// creates it once, shows and hides it on tab changes (showing re-reads the
// camera) and tells it the user type of every login; rows for administrators
// only are read-only or disabled for a general user.
#pragma once

#include <QWidget>

#include "camera.h"
#include "dialog_items.h"
#include "page_form.h"
#include "prompt.h"

class TabPage : public QWidget, public dialog::DialogItems {
    Q_OBJECT
public:
    TabPage(Camera& camera, dialog::TextLookup texts, const char* section,
            std::span<const form::Row> rows, std::vector<const fields::RecordFields*> records = {});

    // Builds the page inside `parent` and initialises it once.
    void Create(QWidget* parent, int userType);

    // The user type of the latest login; the page's writing actions follow it.
    virtual void SetUserType(int userType);
    int UserType() const { return m_userType; }

    // Tab switch: a page that becomes visible reads the camera again.
    void ShowPage(bool show);

protected:
    virtual void OnInitPage() {}  // after the controls exist, localised, with the user type applied
    virtual void OnShowPage() {}
    virtual void OnHidePage() {}
    void OnCommand(int /*id*/) override {}

    QString Text(const char* key, const char* fallback) const;
    // A "Prompt" box with the page's message, or with the shared "Failed".
    void Prompt(const MessageText& message);
    void PromptFailed();
    void PromptProblem(const QString& problem);

    Camera& m_camera;
    dialog::TextLookup m_texts;
    const char* m_section;
    form::PageForm m_form;

private:
    int m_userType = 0;
};
