// A page described as a table of rows: each row one control with its label, the
// record field it shows and who may change it. The form builds the page with Qt
// layouts, localises and fills it, and moves records into and out of it, so a
// page file holds its table and only its real rules.
#pragma once

#include <QString>
#include <QVariant>
#include <functional>
#include <span>
#include <vector>

#include "control_template.h"
#include "field_spec.h"
#include "text_lookup.h"

class QLabel;
class QLineEdit;
class QWidget;

namespace form {

enum class Access {
    kAnyone,         // both user types may use it
    kAdministrator,  // read-only or disabled for a general user
    kNobody,         // shown, never changed
};

inline constexpr int kFirstEntry = -1;  // a list's initial selection when no code is given

// One of the records a page reads and writes, and what the operator calls it.
struct Record {
    const fields::RecordFields* fields;
    const char* key;   // language key of its name, section "Default"
    const char* name;  // its name in messages
};

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
    int maxCharacters = 0;   // what the operator may type; 0: what the field takes
    bool hidden = false;     // exists, takes part in reads and writes, never shown
    int columns = 1;         // group boxes: label and control pairs per line
    bool newColumn = false;  // group boxes: starts a new column of groups
    int labelId = dialog::kNoId;
    // Buttons: at the foot of the group above, not in the page's button bar.
    // Group boxes: inside the group above, beside its other inner groups.
    bool inGroup = false;
    const char* whenEmpty = nullptr;  // edits: shown for an empty camera text (written back empty)
    bool pageList = false;            // lists: the page fills the entries; the form selects them
    const char* spoken = nullptr;     // its name for screen readers when its label does not say it
};

// How a list shows a code that is not among its entries.
QString UnknownCodeText(const dialog::TextLookup& texts, int code);

// Registers a control with the page under its id.
using AddControl = std::function<void(int id, QWidget* control)>;

// The bytes of one record object, as the form reads and writes them.
struct RecordBytes {
    template <typename Record>
    RecordBytes(Record& record)  // NOLINT(google-explicit-constructor): any record will do
        : data(reinterpret_cast<unsigned char*>(&record)), size(sizeof record) {}
    // Copies, not a record of their own bytes.
    RecordBytes(RecordBytes&) = default;
    RecordBytes(const RecordBytes&) = default;
    unsigned char* data;
    std::size_t size;
};

// The form keeps the bytes of each record as last read beside the controls. A write
// starts from them and takes from the controls only the fields the operator changed,
// so a typing limit, a list without the camera's code or an odd flag byte never
// changes what the camera holds; a record that was not read is not written.
class PageForm {
public:
    // Resolves every bound row's field; throws std::out_of_range for a field its record lacks.
    PageForm(std::span<const Row> rows, std::vector<Record> records);

    // Creates the rows' controls and labels in `page`, in reading order, scrolling when tall.
    void Build(QWidget* page, const AddControl& add);
    // Looks up labels, captions and option texts, fills the lists and selects their initial
    // entries.
    void Localise(const dialog::TextLookup& texts, const char* section);
    void SetUserType(int userType);

    // The outcome of reading `record`: on success its fields are shown and its bytes kept;
    // otherwise its controls are cleared and a note on the page says it was not read.
    // True on success.
    bool Read(int record, int status, RecordBytes bytes);
    // Nothing read before counts any more (a new login, perhaps to another camera).
    void Forget();

    // The record as read, with the fields whose controls the operator changed taken from
    // them. False, with `problem` naming the record or the field, when the record was not
    // read or a changed value does not fit; nothing is then to be sent.
    bool Collect(int record, RecordBytes bytes, QString& problem) const;
    // The camera took `bytes` for `record`: they are what the controls now stand for.
    void Written(int record, RecordBytes bytes);

    // The message naming every one of `records` that was not read, empty when all were.
    QString NotRead(std::span<const int> records) const;

    // Whether the operator changed a control of a record that was read and has not written it.
    bool HasChanges() const;

    // What the label of control `id` says, without its colon: also its accessible name.
    QString LabelOf(int id) const;

private:
    struct Bound {
        const Row* row;
        const fields::FieldSpec* field;
        QWidget* control = nullptr;
        QLabel* label = nullptr;
        int listed = 0;       // a list's own entries; any after them stand for other codes
        int typingLimit = 0;  // characters the operator may type; 0: no limit
        QVariant shown = {};  // the control's value as the camera's bytes were shown
    };
    enum class ReadState { kNotYet, kRead, kFailed };
    struct Held {
        Record record;
        ReadState state = ReadState::kNotYet;
        std::vector<unsigned char> bytes = {};
        QString name = {};
    };

    void LimitTyping(Bound& bound, QLineEdit* edit);
    void FillList(Bound& bound, const dialog::TextLookup& texts, const char* section);
    void ShowField(Bound& bound, const unsigned char* at);
    void ClearField(Bound& bound);
    bool CollectField(const Bound& bound, unsigned char* at, QString& problem) const;
    void ShowNote();
    const Bound& Find(int id) const;

    std::vector<Bound> m_rows;
    std::vector<Held> m_records;
    dialog::TextLookup m_texts;
    QLabel* m_note = nullptr;
    QString m_noteText;
    QString m_notRead;
    QString m_textTooLong;
    QString m_textLength;
    QString m_textCharacters;
    QString m_numberRange;
};

}  // namespace form
