// A page described as a table of rows: each row one control with its label, the
// record field it shows and who may change it. The form builds the page with Qt
// layouts, localises and fills it, and moves records into and out of it, so a
// page file holds its table and only its real rules.
#pragma once

#include <QString>
#include <functional>
#include <span>
#include <vector>

#include "control_template.h"
#include "field_spec.h"
#include "text_lookup.h"

class QLabel;
class QWidget;

namespace form {

enum class Access {
    kAnyone,         // both user types may use it
    kAdministrator,  // read-only or disabled for a general user
    kNobody,         // shown, never changed
};

inline constexpr int kFirstEntry = -1;  // a list's initial selection when no code is given

struct Row {
    int id = dialog::kNoId;
    dialog::ControlKind kind = dialog::ControlKind::Edit;
    const char* key = nullptr;  // language key of its label or caption; null: not looked up
    const char* text = "";      // default label; caption of group boxes and buttons
    int record = 0;             // which of the page's records `field` belongs to
    const char* field = nullptr;
    Access access = Access::kAdministrator;
    std::span<const fields::CodeOption> options =
        {};                      // a list's entries when not the field's codes
    bool lookUpOptions = false;  // option texts are language keys too
    int initialCode = kFirstEntry;
    int maxCharacters = 0;   // what an edit takes; 0: no limit beyond the field's
    bool hidden = false;     // exists, takes part in reads and writes, never shown
    int columns = 1;         // group boxes: label and control pairs per line
    bool newColumn = false;  // group boxes: starts a new column of groups
    int labelId = dialog::kNoId;
    // Buttons: at the foot of the group above, not in the page's button bar.
    // Group boxes: inside the group above, beside its other inner groups.
    bool inGroup = false;
};

// How a list shows a code that is not among its entries.
QString UnknownCodeText(const dialog::TextLookup& texts, int code);

// Registers a control with the page under its id.
using AddControl = std::function<void(int id, QWidget* control)>;

class PageForm {
public:
    // Resolves every bound row's field; throws std::out_of_range for a field its record lacks.
    PageForm(std::span<const Row> rows, std::vector<const fields::RecordFields*> records);

    // Creates the rows' controls and labels in `page`, in reading order, scrolling when tall.
    void Build(QWidget* page, const AddControl& add);
    // Looks up labels, captions and option texts, fills the lists and selects their initial
    // entries.
    void Localise(const dialog::TextLookup& texts, const char* section);
    void SetUserType(int userType);

    // Shows the record's fields in their controls.
    void Show(int record, const void* bytes);
    // Writes the controls into the record's fields; false, with `problem` naming the
    // field and its limit, when a text does not fit, and nothing is then to be sent.
    bool Collect(int record, void* bytes, QString& problem) const;

    // What the label of control `id` says, without its colon: also its accessible name.
    QString LabelOf(int id) const;

private:
    struct Bound {
        const Row* row;
        const fields::FieldSpec* field;
        QWidget* control = nullptr;
        QLabel* label = nullptr;
        int listed = 0;  // a list's own entries; any after them stand for unknown codes
    };

    void FillList(Bound& bound, const dialog::TextLookup& texts, const char* section);
    const Bound& Find(int id) const;

    std::vector<Bound> m_rows;
    dialog::TextLookup m_texts;
    QString m_textTooLong;
    QString m_numberRange;
};

}  // namespace form
