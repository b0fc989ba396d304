#include "dialog_items.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <stdexcept>
#include <string>

#include "busy_cursor.h"
#include "caption.h"
#include "dialog_units.h"
#include "ipv4_field.h"
#include "tab_control.h"

namespace dialog {
namespace {

// Labels show their caption without markers; the caption itself is kept here.
constexpr const char* kCaptionProperty = "dialogCaption";

QRect PlaceOf(const ControlTemplate& control, const BaseUnits& units) {
    QRect place = ToPixels(control.place, units);
    // A drop-down list's template height includes its open list; the closed box is one line.
    if (control.kind == ControlKind::DropList)
        place.setHeight(std::min(place.height(), ToPixels({0, 0, 0, 14}, units).height()));
    return place;
}

// Enter presses the focused button, as it does everywhere else on the desktop.
class PushButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
            click();
        else
            QPushButton::keyPressEvent(event);
    }
};

}  // namespace

QWidget* CreateControl(ControlKind kind, const QString& text, QWidget* parent) {
    switch (kind) {
        case ControlKind::Label:
        case ControlKind::RightLabel: {
            auto* label = new QLabel(VisibleCaption(text), parent);
            label->setTextFormat(Qt::PlainText);
            label->setProperty(kCaptionProperty, text);
            label->setAlignment((kind == ControlKind::RightLabel ? Qt::AlignRight : Qt::AlignLeft) |
                                Qt::AlignVCenter);
            return label;
        }
        case ControlKind::Button:
        case ControlKind::DefaultButton: {
            auto* button = new PushButton(text, parent);
            button->setDefault(kind == ControlKind::DefaultButton);
            // Not auto-default: Enter in an edit must not press whichever button had focus last.
            button->setAutoDefault(false);
            return button;
        }
        case ControlKind::Edit:
        case ControlKind::PasswordEdit: {
            auto* edit = new QLineEdit(text, parent);
            if (kind == ControlKind::PasswordEdit) edit->setEchoMode(QLineEdit::Password);
            return edit;
        }
        case ControlKind::DropList:
            return new QComboBox(parent);
        case ControlKind::CheckBox:
            return new QCheckBox(text, parent);
        case ControlKind::IpAddress:
            return new Ipv4Field(parent);
        case ControlKind::GroupBox:
            return new QGroupBox(text, parent);
        case ControlKind::Picture: {
            auto* picture = new QLabel(parent);
            picture->setScaledContents(true);
            return picture;
        }
        case ControlKind::Tabs:
            return new TabControl(parent);
    }
    throw std::logic_error("unknown control kind");
}

template <typename Control>
Control* DialogItems::As(int id) const {
    auto* control = qobject_cast<Control*>(Item(id));
    if (control == nullptr)
        throw std::logic_error("control " + std::to_string(id) + " is not a " +
                               Control::staticMetaObject.className());
    return control;
}

void DialogItems::BuildControls(QWidget* parent, std::span<const ControlTemplate> controls) {
    const BaseUnits units = BaseUnitsOf(parent->font());
    for (const auto& control : controls) {
        QWidget* widget = CreateControl(control.kind, QString::fromUtf8(control.text), parent);
        widget->setGeometry(PlaceOf(control, units));
        widget->setVisible(control.visible);
        if (control.id != kNoId) AddItem(control.id, widget);
    }
}

void DialogItems::AddItem(int id, QWidget* widget) {
    m_items[id] = widget;
    if (auto* button = qobject_cast<QPushButton*>(widget))
        QObject::connect(button, &QPushButton::clicked, button, [this, id] {
            BusyCursor busy;
            OnCommand(id);
        });
    else if (auto* list = qobject_cast<QComboBox*>(widget))
        QObject::connect(list, &QComboBox::activated, list, [this, id] {
            BusyCursor busy;
            OnSelChange(id);
        });
    else if (auto* tabs = qobject_cast<TabControl*>(widget))
        QObject::connect(tabs, &TabControl::SelectionChanged, tabs, [this, id] {
            BusyCursor busy;
            OnSelChange(id);
        });
}

QWidget* DialogItems::Item(int id) const {
    const auto found = m_items.find(id);
    if (found == m_items.end())
        throw std::out_of_range("no control " + std::to_string(id) + " in this window");
    return found->second;
}

void DialogItems::SetItemText(int id, const QString& text) { SetControlText(Item(id), text); }

void SetControlText(QWidget* item, const QString& text) {
    if (auto* label = qobject_cast<QLabel*>(item)) {
        label->setProperty(kCaptionProperty, text);
        label->setText(VisibleCaption(text));
        if (auto* address = qobject_cast<Ipv4Field*>(label->buddy()))
            address->SetSpokenName(SpokenCaption(text));
        else if (label->buddy() != nullptr)
            label->buddy()->setAccessibleName(SpokenCaption(text));
    } else if (auto* button = qobject_cast<QAbstractButton*>(item)) {
        button->setText(text);
    } else if (auto* edit = qobject_cast<QLineEdit*>(item)) {
        edit->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(item)) {
        group->setTitle(text);
    } else {
        throw std::logic_error(std::string("a ") + item->metaObject()->className() +
                               " has no settable text");
    }
}

QString DialogItems::GetItemText(int id) const {
    QWidget* item = Item(id);
    if (auto* label = qobject_cast<QLabel*>(item))
        return label->property(kCaptionProperty).toString();
    if (auto* button = qobject_cast<QAbstractButton*>(item)) return button->text();
    if (auto* edit = qobject_cast<QLineEdit*>(item)) return edit->text();
    if (auto* group = qobject_cast<QGroupBox*>(item)) return group->title();
    if (auto* list = qobject_cast<QComboBox*>(item)) return list->currentText();
    if (auto* address = qobject_cast<Ipv4Field*>(item)) return address->DottedText();
    return {};
}

void DialogItems::EnableItem(int id, bool enable) { Item(id)->setEnabled(enable); }

bool DialogItems::IsItemEnabled(int id) const { return Item(id)->isEnabled(); }

void DialogItems::ShowItem(int id, bool show) { Item(id)->setVisible(show); }

bool DialogItems::IsItemShown(int id) const { return !Item(id)->isHidden(); }

void DialogItems::LimitText(int id, int maxCharacters) {
    As<QLineEdit>(id)->setMaxLength(maxCharacters);
}

void DialogItems::SetReadOnly(int id, bool readOnly) {
    if (auto* address = qobject_cast<Ipv4Field*>(Item(id)))
        address->SetReadOnly(readOnly);
    else
        As<QLineEdit>(id)->setReadOnly(readOnly);
}

bool DialogItems::IsReadOnly(int id) const { return As<QLineEdit>(id)->isReadOnly(); }

void DialogItems::ResetList(int id) { As<QComboBox>(id)->clear(); }

int DialogItems::AddListEntry(int id, const QString& text, int value) {
    auto* list = As<QComboBox>(id);
    list->addItem(text, value);
    return list->count() - 1;
}

int DialogItems::ListCount(int id) const { return As<QComboBox>(id)->count(); }

QString DialogItems::ListEntryText(int id, int index) const {
    return As<QComboBox>(id)->itemText(index);
}

int DialogItems::ListEntryValue(int id, int index) const {
    return As<QComboBox>(id)->itemData(index).toInt();
}

void DialogItems::SelectListIndex(int id, int index) { As<QComboBox>(id)->setCurrentIndex(index); }

int DialogItems::ListSelection(int id) const { return As<QComboBox>(id)->currentIndex(); }

int DialogItems::SelectedListValue(int id) const {
    const int index = ListSelection(id);
    return index < 0 ? -1 : ListEntryValue(id, index);
}

bool DialogItems::SelectListValue(int id, int value) {
    const int index = As<QComboBox>(id)->findData(value);
    if (index < 0) return false;
    SelectListIndex(id, index);
    return true;
}

void DialogItems::SetCheck(int id, bool checked) { As<QCheckBox>(id)->setChecked(checked); }

bool DialogItems::IsChecked(int id) const { return As<QCheckBox>(id)->isChecked(); }

void DialogItems::SetAddress(int id, std::uint32_t address) {
    As<Ipv4Field>(id)->SetAddress(address);
}

std::uint32_t DialogItems::GetAddress(int id) const { return As<Ipv4Field>(id)->Address(); }

void DialogItems::Localise(const TextLookup& lookup, const char* section,
                           std::span<const LocalisedItem> items) {
    for (const auto& item : items)
        SetItemText(item.id, lookup(section, item.key, GetItemText(item.id)));
}

}  // namespace dialog
