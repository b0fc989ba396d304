#pragma once

#include <QWidget>
#include <array>
#include <cstdint>

class QLineEdit;

namespace dialog {

// An IPv4 address as four fields of 0..255; the address is a 32-bit number with
// the first field most significant.
class Ipv4Field : public QWidget {
    Q_OBJECT
public:
    explicit Ipv4Field(QWidget* parent = nullptr);

    void SetAddress(std::uint32_t address);
    std::uint32_t Address() const;
    QString DottedText() const;
    void SetReadOnly(bool readOnly);
    // Names the field for screen readers, and its four parts after it ("Server IP 1" ...).
    void SetSpokenName(const QString& name);

    QSize sizeHint() const override;

private:
    std::array<QLineEdit*, 4> m_parts{};
};

}  // namespace dialog
