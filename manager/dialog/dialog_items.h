// The controls of one window, built from its template and addressed by their ids.
// Windows and pages inherit this next to their Qt base, so their code reads in
// terms of controls and ids and tests can drive them the same way.
#pragma once

#include <QString>
#include <cstdint>
#include <map>
#include <span>

#include "control_template.h"
#include "text_lookup.h"

class QWidget;

namespace dialog {

// A new control of `kind` showing `text` (captions keep their '&' markers).
QWidget* CreateControl(ControlKind kind, const QString& text, QWidget* parent);

// Sets the caption of a label, button or group box, or the text of an edit.
void SetControlText(QWidget* control, const QString& text);

class DialogItems {
public:
    virtual ~DialogItems() = default;

    QWidget* Item(int id) const;  // throws std::out_of_range for an id the window lacks

    // Captions of labels, buttons, check boxes and group boxes keep their '&' markers
    // here; edits and lists give their plain text.
    void SetItemText(int id, const QString& text);
    QString GetItemText(int id) const;

    void EnableItem(int id, bool enable);
    bool IsItemEnabled(int id) const;
    void ShowItem(int id, bool show);
    bool IsItemShown(int id) const;  // not hidden; says nothing about the window itself

    void LimitText(int id, int maxCharacters);
    void SetReadOnly(int id, bool readOnly);
    bool IsReadOnly(int id) const;

    void ResetList(int id);
    int AddListEntry(int id, const QString& text, int value);  // returns the entry's index
    int ListCount(int id) const;
    QString ListEntryText(int id, int index) const;
    int ListEntryValue(int id, int index) const;
    void SelectListIndex(int id, int index);
    int ListSelection(int id) const;          // -1 without a selection
    int SelectedListValue(int id) const;      // -1 without a selection
    bool SelectListValue(int id, int value);  // false (selection kept) when no entry has it

    void SetCheck(int id, bool checked);
    bool IsChecked(int id) const;

    void SetAddress(int id, std::uint32_t address);
    std::uint32_t GetAddress(int id) const;

    // Sets each control's caption to the lookup of its key, its current caption as fallback.
    void Localise(const TextLookup& lookup, const char* section,
                  std::span<const LocalisedItem> items);

protected:
    // Creates the template's controls as children of `parent`, placed in dialog units of its font.
    void BuildControls(QWidget* parent, std::span<const ControlTemplate> controls);
    // Makes `widget` control `id`: its presses and selection changes reach this window.
    void AddItem(int id, QWidget* widget);

    virtual void OnCommand(int id) = 0;      // a button was pressed
    virtual void OnSelChange(int /*id*/) {}  // the operator chose another entry or tab

private:
    template <typename Control>
    Control* As(int id) const;

    std::map<int, QWidget*> m_items;
};

}  // namespace dialog
