#include "ipv4_field.h"

#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>

namespace dialog {

Ipv4Field::Ipv4Field(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (std::size_t i = 0; i < m_parts.size(); ++i) {
        if (i > 0) layout->addWidget(new QLabel(QStringLiteral("."), this));
        auto* part = new QLineEdit(this);
        part->setMaxLength(3);
        part->setAlignment(Qt::AlignCenter);
        part->setValidator(new QIntValidator(0, 255, part));
        part->setText(QStringLiteral("0"));
        layout->addWidget(part, 1);
        m_parts[i] = part;
    }
}

void Ipv4Field::SetAddress(std::uint32_t address) {
    for (std::size_t i = 0; i < m_parts.size(); ++i)
        m_parts[i]->setText(QString::number((address >> (24 - 8 * i)) & 0xFFu));
}

std::uint32_t Ipv4Field::Address() const {
    std::uint32_t address = 0;
    for (const auto* part : m_parts) address = address << 8 | (part->text().toUInt() & 0xFFu);
    return address;
}

QString Ipv4Field::DottedText() const {
    const auto address = Address();
    return QStringLiteral("%1.%2.%3.%4")
        .arg(address >> 24)
        .arg((address >> 16) & 0xFFu)
        .arg((address >> 8) & 0xFFu)
        .arg(address & 0xFFu);
}

void Ipv4Field::SetReadOnly(bool readOnly) {
    for (auto* part : m_parts) part->setReadOnly(readOnly);
}

void Ipv4Field::SetSpokenName(const QString& name) {
    setAccessibleName(name);
    for (std::size_t i = 0; i < m_parts.size(); ++i)
        m_parts[i]->setAccessibleName(QStringLiteral("%1 %2").arg(name).arg(i + 1));
}

// Room for four three-digit parts, not the width four text edits would ask for.
QSize Ipv4Field::sizeHint() const {
    return {minimumSizeHint().width() + 4 * fontMetrics().horizontalAdvance(QStringLiteral("255")),
            QWidget::sizeHint().height()};
}

}  // namespace dialog
