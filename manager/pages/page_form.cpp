#include "page_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "app_state.h"
#include "caption.h"
#include "dialog_items.h"
#include "ipv4_field.h"
#include "page_layout.h"

namespace form {
namespace {

using dialog::ControlKind;

constexpr const char* kCheckBoxCaption = "On";

bool IsButton(const Row& row) {
    return row.kind == ControlKind::Button || row.kind == ControlKind::DefaultButton;
}

// A dotted IPv4 text as a number; 0.0.0.0 for anything else.
std::uint32_t ParseAddress(const QString& dotted) {
    const QStringList parts = dotted.split(u'.');
    if (parts.size() != 4) return 0;
    std::uint32_t address = 0;
    for (const QString& part : parts) {
        bool number = false;
        const uint value = part.toUInt(&number);
        if (!number || value > 255 || part.size() > 3) return 0;
        address = address << 8 | value;
    }
    return address;
}

// The value a control holds, comparable with what it held when the camera's bytes were shown.
QVariant ValueOf(const QWidget* control) {
    if (const auto* edit = qobject_cast<const QLineEdit*>(control)) return edit->text();
    if (const auto* address = qobject_cast<const dialog::Ipv4Field*>(control))
        return address->Address();
    if (const auto* list = qobject_cast<const QComboBox*>(control)) return list->currentData();
    if (const auto* check = qobject_cast<const QCheckBox*>(control))
        return static_cast<int>(check->checkState());
    return {};
}

// Digits of the largest number a field takes: what its edit lets the operator type.
int DigitsOf(int maximum) { return static_cast<int>(QString::number(maximum).size()); }

// Only the characters of a field's class can be typed into its edit.
void AcceptOnly(QLineEdit* edit, const QString& characters) {
    edit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[%1]*").arg(QRegularExpression::escape(characters))),
        edit));
}

}  // namespace

QString UnknownCodeText(const dialog::TextLookup& texts, int code) {
    return texts("Default", "UnknownCode", QStringLiteral("Unknown (%1)")).arg(code);
}

PageForm::PageForm(std::span<const Row> rows, std::vector<Record> records) {
    for (const Row& row : rows) {
        const fields::FieldSpec* field = nullptr;
        if (row.field != nullptr)
            field = &fields::FindField(*records.at(static_cast<std::size_t>(row.record)).fields,
                                       row.field);
        m_rows.push_back({.row = &row, .field = field});
    }
    for (const Record& record : records) m_records.push_back({.record = record});
}

void PageForm::Build(QWidget* page, const AddControl& add) {
    auto* outer = new QVBoxLayout(page);
    m_note = new QLabel(page);
    m_note->setWordWrap(true);
    m_note->setTextFormat(Qt::PlainText);
    m_note->hide();
    outer->addWidget(m_note);
    auto* scroll = new PageScrollArea(page);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);  // the controls inside take the focus
    auto* content = new QWidget(scroll);
    RowLayout builder(content);
    QHBoxLayout* buttons = nullptr;

    for (Bound& bound : m_rows) {
        const Row& row = *bound.row;
        const QString text = QString::fromUtf8(row.text);
        if (row.kind == ControlKind::GroupBox) {
            auto* box = static_cast<QGroupBox*>(dialog::CreateControl(row.kind, text, content));
            builder.StartGroup(box, row);
            bound.control = box;
        } else if (IsButton(row) && row.inGroup) {
            bound.control = dialog::CreateControl(row.kind, text, content);
            builder.AddButton(bound.control);
        } else if (IsButton(row)) {
            if (buttons == nullptr) buttons = new QHBoxLayout;
            bound.control = dialog::CreateControl(row.kind, text, page);
            buttons->addWidget(bound.control);
        } else if (row.kind == ControlKind::Label) {
            bound.control = dialog::CreateControl(row.kind, text, content);
            builder.AddPair(nullptr, bound.control);
        } else {
            bound.control = dialog::CreateControl(
                row.kind, row.kind == ControlKind::CheckBox ? kCheckBoxCaption : "", content);
            if (auto* edit = qobject_cast<QLineEdit*>(bound.control)) LimitTyping(bound, edit);
            if (row.hidden) {
                bound.control->hide();
            } else {
                bound.label =
                    static_cast<QLabel*>(dialog::CreateControl(ControlKind::Label, text, content));
                bound.label->setBuddy(bound.control);
                builder.AddPair(bound.label, bound.control);
                if (row.labelId != dialog::kNoId) add(row.labelId, bound.label);
            }
        }
        if (row.id != dialog::kNoId) add(row.id, bound.control);
    }
    builder.Finish();
    scroll->setWidget(content);
    outer->addWidget(scroll, 1);
    if (buttons != nullptr) {
        buttons->addStretch(1);
        outer->addLayout(buttons);
    }
}

void PageForm::LimitTyping(Bound& bound, QLineEdit* edit) {
    const fields::FieldSpec* field = bound.field;
    bound.typingLimit = bound.row->maxCharacters;
    if (bound.typingLimit == 0 && field != nullptr)
        bound.typingLimit =
            field->kind == fields::FieldKind::kNumber ? DigitsOf(field->maximum) : field->maximum;
    if (bound.typingLimit > 0) edit->setMaxLength(bound.typingLimit);
    if (field == nullptr) return;
    if (field->kind == fields::FieldKind::kNumber)
        AcceptOnly(edit, QStringLiteral("0-9"));
    else if (field->characters != nullptr)
        AcceptOnly(edit, QString::fromUtf8(field->characters));
}

void PageForm::Localise(const dialog::TextLookup& texts, const char* section) {
    m_texts = texts;
    UnknownCodeText(texts, 0);  // listed in a new language file before any camera needs it
    m_noteText = texts("Default", "NotReadNote",
                       QStringLiteral("Not read from the camera: %1. What is shown here is not "
                                      "the camera's; press Refresh."));
    m_notRead = texts("Default", "NotRead",
                      QStringLiteral("%1 could not be read from the camera, so nothing was "
                                     "written. Press Refresh and try again."));
    m_textTooLong =
        texts("Default", "TextTooLong", QStringLiteral("%1 takes at most %2 bytes of text."));
    m_textLength =
        texts("Default", "TextLength", QStringLiteral("%1 takes exactly %2 characters."));
    m_textCharacters =
        texts("Default", "TextCharacters", QStringLiteral("%1 takes only these characters: %2"));
    m_numberRange =
        texts("Default", "NumberRange", QStringLiteral("%1 must be a number from %2 to %3."));
    for (Held& held : m_records)
        held.name = texts("Default", held.record.key, QString::fromUtf8(held.record.name));
    for (Bound& bound : m_rows) {
        const Row& row = *bound.row;
        const QString fallback = QString::fromUtf8(row.text);
        const QString caption = row.key != nullptr ? texts(section, row.key, fallback)
                                                   : dialog::Translated(texts, row.text);
        if (row.kind == ControlKind::GroupBox || IsButton(row) || row.kind == ControlKind::Label)
            dialog::SetControlText(bound.control, caption);
        else if (bound.label != nullptr)
            dialog::SetControlText(bound.label, caption);
        // A group inside another would otherwise be named after the outer one.
        if (row.hidden || row.kind == ControlKind::GroupBox)
            bound.control->setAccessibleName(dialog::SpokenCaption(caption));
        if (row.spoken != nullptr)
            bound.control->setAccessibleName(
                texts(section, row.spoken, QString::fromUtf8(row.spoken)));
        if (row.kind == ControlKind::CheckBox)
            dialog::SetControlText(bound.control, dialog::Translated(texts, kCheckBoxCaption));
        if (row.kind == ControlKind::DropList && !row.pageList) FillList(bound, texts, section);
    }
}

void PageForm::FillList(Bound& bound, const dialog::TextLookup& texts, const char* section) {
    const Row& row = *bound.row;
    auto* list = static_cast<QComboBox*>(bound.control);
    list->clear();
    const std::span<const fields::CodeOption> options =
        !row.options.empty() || bound.field == nullptr ? row.options
                                                       : std::span(bound.field->codes);
    for (const auto& option : options) {
        if (!option.offered) continue;
        const QString text = QString::fromUtf8(option.text);
        list->addItem(row.lookUpOptions ? texts(section, option.text, text)
                                        : dialog::Translated(texts, option.text),
                      option.code);
    }
    bound.listed = list->count();
    const int initial = row.initialCode == kFirstEntry ? 0 : list->findData(row.initialCode);
    list->setCurrentIndex(std::max(initial, 0));
}

void PageForm::SetUserType(int userType) {
    for (const Bound& bound : m_rows) {
        const Row& row = *bound.row;
        if (row.kind == ControlKind::GroupBox || row.kind == ControlKind::Label) continue;
        const bool allowed = row.access == Access::kAnyone ||
                             (row.access == Access::kAdministrator && userType == kAdministrator);
        if (auto* edit = qobject_cast<QLineEdit*>(bound.control))
            edit->setReadOnly(!allowed);
        else if (auto* address = qobject_cast<dialog::Ipv4Field*>(bound.control))
            address->SetReadOnly(!allowed);
        else
            bound.control->setEnabled(allowed);
    }
}

bool PageForm::Read(int record, int status, RecordBytes bytes) {
    Held& held = m_records.at(static_cast<std::size_t>(record));
    const bool read = status == 0;  // the library's STATUS_OK
    if (read) {
        held.bytes.assign(bytes.data, bytes.data + bytes.size);
    } else {
        held.bytes.clear();
    }
    held.state = read ? ReadState::kRead : ReadState::kFailed;
    for (Bound& bound : m_rows) {
        if (bound.row->record != record || bound.field == nullptr) continue;
        if (read)
            ShowField(bound, held.bytes.data() + bound.field->offset);
        else
            ClearField(bound);
    }
    ShowNote();
    return read;
}

void PageForm::Forget() {
    for (Held& held : m_records) {
        held.state = ReadState::kNotYet;
        held.bytes.clear();
    }
    ShowNote();
}

void PageForm::ShowField(Bound& bound, const unsigned char* at) {
    const fields::FieldSpec& field = *bound.field;
    if (field.kind == fields::FieldKind::kText) {
        const char* text = reinterpret_cast<const char*>(at);
        QString shown = QString::fromUtf8(text, static_cast<qsizetype>(strnlen(text, field.size)));
        if (auto* address = qobject_cast<dialog::Ipv4Field*>(bound.control)) {
            address->SetAddress(ParseAddress(shown));
        } else {
            if (shown.isEmpty() && bound.row->whenEmpty != nullptr)
                shown = QString::fromUtf8(bound.row->whenEmpty);
            auto* edit = static_cast<QLineEdit*>(bound.control);
            // The typing limit is the operator's; the camera's text is shown whole.
            if (bound.typingLimit > 0)
                edit->setMaxLength(std::max(bound.typingLimit, static_cast<int>(shown.size())));
            edit->setText(shown);
        }
        bound.shown = ValueOf(bound.control);
    } else if (auto* list = qobject_cast<QComboBox*>(bound.control)) {
        if (!bound.row->pageList)
            while (list->count() > bound.listed) list->removeItem(list->count() - 1);
        const int code = at[0];
        int index = list->findData(code);
        if (index < 0) {
            // Kept as the camera has it, so writing the page back does not change it.
            const fields::CodeOption* known = fields::FindCode(field, code);
            list->addItem(
                known != nullptr ? QString::fromUtf8(known->text) : UnknownCodeText(m_texts, code),
                code);
            index = list->count() - 1;
        }
        list->setCurrentIndex(index);
        bound.shown = code;  // a list the page rebuilds selects the same code again
    } else if (auto* check = qobject_cast<QCheckBox*>(bound.control)) {
        // A byte other than 0 and 1 shows as neither, and stays unless the operator clicks.
        const bool flag = at[0] <= 1;
        check->setTristate(!flag);
        check->setCheckState(!flag ? Qt::PartiallyChecked
                                   : (at[0] == 1 ? Qt::Checked : Qt::Unchecked));
        bound.shown = ValueOf(check);
    } else if (auto* edit = qobject_cast<QLineEdit*>(bound.control)) {
        edit->setText(QString::number(at[0]));
        bound.shown = ValueOf(edit);
    }
}

void PageForm::ClearField(Bound& bound) {
    if (auto* edit = qobject_cast<QLineEdit*>(bound.control)) {
        edit->clear();
    } else if (auto* address = qobject_cast<dialog::Ipv4Field*>(bound.control)) {
        address->SetAddress(0);
    } else if (auto* list = qobject_cast<QComboBox*>(bound.control)) {
        if (!bound.row->pageList) {
            while (list->count() > bound.listed) list->removeItem(list->count() - 1);
            list->setCurrentIndex(-1);
        }
    } else if (auto* check = qobject_cast<QCheckBox*>(bound.control)) {
        check->setTristate(false);
        check->setChecked(false);
    }
    bound.shown = ValueOf(bound.control);
}

void PageForm::ShowNote() {
    if (m_note == nullptr) return;
    QStringList unread;
    for (const Held& held : m_records)
        if (held.state == ReadState::kFailed) unread << held.name;
    m_note->setText(m_noteText.arg(unread.join(QStringLiteral(", "))));
    m_note->setVisible(!unread.isEmpty());
}

bool PageForm::Collect(int record, RecordBytes bytes, QString& problem) const {
    const Held& held = m_records.at(static_cast<std::size_t>(record));
    if (held.state != ReadState::kRead || held.bytes.size() != bytes.size) {
        problem = m_notRead.arg(held.name);
        return false;
    }
    std::memcpy(bytes.data, held.bytes.data(), bytes.size);
    for (const Bound& bound : m_rows) {
        if (bound.row->record != record || bound.field == nullptr) continue;
        if (ValueOf(bound.control) == bound.shown) continue;  // as read, byte for byte
        if (!CollectField(bound, bytes.data + bound.field->offset, problem)) return false;
    }
    return true;
}

bool PageForm::CollectField(const Bound& bound, unsigned char* at, QString& problem) const {
    const fields::FieldSpec& field = *bound.field;
    const QString label = LabelOf(bound.row->id);
    if (field.kind == fields::FieldKind::kText) {
        const auto* address = qobject_cast<const dialog::Ipv4Field*>(bound.control);
        const QString typed = address != nullptr ? address->DottedText()
                                                 : static_cast<QLineEdit*>(bound.control)->text();
        const QByteArray text = typed.toUtf8();
        if (text.size() > field.maximum) {
            problem = m_textTooLong.arg(label).arg(field.maximum);
            return false;
        }
        if (text.size() < field.minimum) {
            problem = m_textLength.arg(label).arg(field.minimum);
            return false;
        }
        if (field.characters != nullptr && !std::all_of(text.begin(), text.end(), [&field](char c) {
                return c != '\0' && std::strchr(field.characters, c) != nullptr;
            })) {
            problem = m_textCharacters.arg(label, QString::fromUtf8(field.characters));
            return false;
        }
        std::memset(at, 0, field.size);
        std::memcpy(at, text.constData(), static_cast<std::size_t>(text.size()));
    } else if (auto* list = qobject_cast<const QComboBox*>(bound.control)) {
        at[0] = static_cast<unsigned char>(list->currentData().toInt());
    } else if (auto* check = qobject_cast<const QCheckBox*>(bound.control)) {
        at[0] = check->checkState() == Qt::Checked ? 1 : 0;
    } else if (auto* edit = qobject_cast<const QLineEdit*>(bound.control)) {
        bool number = false;
        const int value = edit->text().toInt(&number);
        if (!number || value < field.minimum || value > field.maximum) {
            problem = m_numberRange.arg(label).arg(field.minimum).arg(field.maximum);
            return false;
        }
        at[0] = static_cast<unsigned char>(value);
    }
    return true;
}

void PageForm::Written(int record, RecordBytes bytes) {
    Held& held = m_records.at(static_cast<std::size_t>(record));
    held.bytes.assign(bytes.data, bytes.data + bytes.size);
    held.state = ReadState::kRead;
    for (Bound& bound : m_rows)
        if (bound.row->record == record && bound.field != nullptr)
            bound.shown = ValueOf(bound.control);
}

QString PageForm::NotRead(std::span<const int> records) const {
    QStringList unread;
    for (const int record : records) {
        const Held& held = m_records.at(static_cast<std::size_t>(record));
        if (held.state != ReadState::kRead) unread << held.name;
    }
    return unread.isEmpty() ? QString() : m_notRead.arg(unread.join(QStringLiteral(", ")));
}

bool PageForm::HasChanges() const {
    return std::any_of(m_rows.begin(), m_rows.end(), [this](const Bound& bound) {
        return bound.field != nullptr &&
               m_records[static_cast<std::size_t>(bound.row->record)].state == ReadState::kRead &&
               ValueOf(bound.control) != bound.shown;
    });
}

QString PageForm::LabelOf(int id) const { return Find(id).control->accessibleName(); }

const PageForm::Bound& PageForm::Find(int id) const {
    const auto found = std::find_if(m_rows.begin(), m_rows.end(),
                                    [id](const Bound& bound) { return bound.row->id == id; });
    if (found == m_rows.end())
        throw std::out_of_range("no row " + std::to_string(id) + " in this page");
    return *found;
}

}  // namespace form
