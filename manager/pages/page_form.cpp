#include "page_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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

}  // namespace

QString UnknownCodeText(const dialog::TextLookup& texts, int code) {
    return texts("Default", "UnknownCode", QStringLiteral("Unknown (%1)")).arg(code);
}

PageForm::PageForm(std::span<const Row> rows, std::vector<const fields::RecordFields*> records) {
    for (const Row& row : rows) {
        const fields::FieldSpec* field = nullptr;
        if (row.field != nullptr)
            field =
                &fields::FindField(*records.at(static_cast<std::size_t>(row.record)), row.field);
        m_rows.push_back({&row, field});
    }
}

void PageForm::Build(QWidget* page, const AddControl& add) {
    auto* outer = new QVBoxLayout(page);
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
                row.kind, row.kind == ControlKind::CheckBox ? "On" : "", content);
            if (auto* edit = qobject_cast<QLineEdit*>(bound.control); edit && row.maxCharacters > 0)
                edit->setMaxLength(row.maxCharacters);
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

void PageForm::Localise(const dialog::TextLookup& texts, const char* section) {
    m_texts = texts;
    UnknownCodeText(texts, 0);  // listed in a new language file before any camera needs it
    m_textTooLong =
        texts("Default", "TextTooLong", QStringLiteral("%1 takes at most %2 bytes of text."));
    m_numberRange =
        texts("Default", "NumberRange", QStringLiteral("%1 must be a number from %2 to %3."));
    for (Bound& bound : m_rows) {
        const Row& row = *bound.row;
        const QString fallback = QString::fromUtf8(row.text);
        const QString caption = row.key != nullptr ? texts(section, row.key, fallback) : fallback;
        if (row.kind == ControlKind::GroupBox || IsButton(row) || row.kind == ControlKind::Label)
            dialog::SetControlText(bound.control, caption);
        else if (bound.label != nullptr)
            dialog::SetControlText(bound.label, caption);
        if (row.hidden) bound.control->setAccessibleName(dialog::SpokenCaption(caption));
        if (row.kind == ControlKind::DropList) FillList(bound, texts, section);
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
        list->addItem(row.lookUpOptions ? texts(section, option.text, text) : text, option.code);
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

void PageForm::Show(int record, const void* bytes) {
    for (Bound& bound : m_rows) {
        if (bound.row->record != record || bound.field == nullptr) continue;
        const auto* at = static_cast<const unsigned char*>(bytes) + bound.field->offset;
        if (bound.field->kind == fields::FieldKind::kText) {
            const char* text = reinterpret_cast<const char*>(at);
            const QString shown =
                QString::fromUtf8(text, static_cast<qsizetype>(strnlen(text, bound.field->size)));
            if (auto* address = qobject_cast<dialog::Ipv4Field*>(bound.control))
                address->SetAddress(ParseAddress(shown));
            else
                static_cast<QLineEdit*>(bound.control)->setText(shown);
        } else if (auto* list = qobject_cast<QComboBox*>(bound.control)) {
            while (list->count() > bound.listed) list->removeItem(list->count() - 1);
            int index = list->findData(int{at[0]});
            if (index < 0) {
                // Kept as the camera has it, so writing the page back does not change it.
                list->addItem(UnknownCodeText(m_texts, at[0]), int{at[0]});
                index = list->count() - 1;
            }
            list->setCurrentIndex(index);
        } else if (auto* check = qobject_cast<QCheckBox*>(bound.control)) {
            check->setChecked(at[0] == 1);
        } else if (auto* edit = qobject_cast<QLineEdit*>(bound.control)) {
            edit->setText(QString::number(at[0]));
        }
    }
}

bool PageForm::Collect(int record, void* bytes, QString& problem) const {
    for (const Bound& bound : m_rows) {
        if (bound.row->record != record || bound.field == nullptr) continue;
        const fields::FieldSpec& field = *bound.field;
        auto* at = static_cast<unsigned char*>(bytes) + field.offset;
        if (field.kind == fields::FieldKind::kText) {
            const auto* address = qobject_cast<const dialog::Ipv4Field*>(bound.control);
            const QByteArray text =
                (address != nullptr ? address->DottedText()
                                    : static_cast<QLineEdit*>(bound.control)->text())
                    .toUtf8();
            if (text.size() > field.maximum) {
                problem = m_textTooLong.arg(LabelOf(bound.row->id)).arg(field.maximum);
                return false;
            }
            std::memset(at, 0, field.size);
            std::memcpy(at, text.constData(), static_cast<std::size_t>(text.size()));
        } else if (auto* list = qobject_cast<const QComboBox*>(bound.control)) {
            at[0] = static_cast<unsigned char>(list->currentData().toInt());
        } else if (auto* check = qobject_cast<const QCheckBox*>(bound.control)) {
            at[0] = check->isChecked() ? 1 : 0;
        } else if (auto* edit = qobject_cast<const QLineEdit*>(bound.control)) {
            bool number = false;
            const int value = edit->text().toInt(&number);
            if (!number || value < field.minimum || value > field.maximum) {
                problem =
                    m_numberRange.arg(LabelOf(bound.row->id)).arg(field.minimum).arg(field.maximum);
                return false;
            }
            at[0] = static_cast<unsigned char>(value);
        }
    }
    return true;
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
