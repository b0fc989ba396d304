// One page of the main window's tabs, built from its table of rows. The host
// creates it once, shows and hides it on tab changes (showing re-reads the
// camera) and tells it the user type of every login; rows for administrators
// only are read-only or disabled for a general user.
#pragma once

#include <QWidget>
#include <optional>

#include "camera.h"
#include "camera_audit.h"
#include "dialog_items.h"
#include "page_form.h"
#include "prompt.h"

class TabPage : public QWidget, public dialog::DialogItems {
    Q_OBJECT
public:
    TabPage(Camera& camera, dialog::TextLookup texts, const char* section,
            std::span<const form::Row> rows, std::vector<form::Record> records = {});

    // Builds the page inside `parent` and initialises it once.
    void Create(QWidget* parent, int userType);

    // The user type of the latest login; the page's writing actions follow it.
    virtual void SetUserType(int userType);
    int UserType() const { return m_userType; }

    // Tab switch: a page that becomes visible reads the camera again.
    void ShowPage(bool show);
    // Before the page is left: with changes not applied, asks whether to discard them.
    // False when the operator stays.
    bool MayLeave();

protected:
    virtual void OnInitPage() {}  // after the controls exist, localised, with the user type applied
    virtual void OnShowPage() {}
    virtual void OnHidePage() {}
    // Whether the operator changed something and has not applied it.
    virtual bool HasUnsavedEdits() const { return m_form.HasChanges(); }
    void OnCommand(int /*id*/) override {}

    // The audit trail keeps one record per press that reached the camera. A page's
    // OnCommand holds a PressRecord while it handles the press; the handler notes each
    // record an Apply sends (Sending, before Written) or its one other operation
    // (Performed), each returning the status it is given. The record is written when the
    // press is handled, after the page's own messages; one that cannot be written is said.
    class PressRecord {
    public:
        explicit PressRecord(TabPage& page);
        ~PressRecord();
        PressRecord(const PressRecord&) = delete;
        PressRecord& operator=(const PressRecord&) = delete;

    private:
        TabPage& m_page;
    };
    int Sending(int record, form::RecordBytes bytes, int status);
    int Performed(petrel::audit::Event event, const char* operation, int status,
                  std::vector<petrel::audit::Change> changes = {});

    QString Text(const char* key, const char* fallback) const;
    // A "Prompt" box with the page's message, or with the shared "Failed". A failure
    // `status` of the library is named under the message. A failure or problem met
    // after the camera left says "Camera disconnected." instead.
    void Prompt(const MessageText& message);
    void Prompt(const char* section, const MessageText& message, int status = STATUS_OK);
    void PromptFailed(int status = kExportMissing);
    void PromptProblem(const QString& problem);
    // A Yes/No question under `title`, answers in the page's language; true for Yes.
    bool Ask(const QString& question, const char* title,
             dialog::MessageIcon icon = dialog::MessageIcon::None);
    // A message in the program's own words, under the program's name rather than "Prompt".
    void PromptPlain(const char* text);

    Camera& m_camera;
    dialog::TextLookup m_texts;
    const char* m_section;
    form::PageForm m_form;

private:
    // Says the camera is disconnected when it is; true when it did, or when the camera
    // was given up, which the operator was told then.
    bool PromptedGone();

    int m_userType = 0;
    // Noted by the press being handled, written when it is.
    std::optional<CameraAudit::Operation> m_pressed;
    bool m_pressing = false;

    void WritePressed();
};
