#include "art.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

const QColor kNight(0x12, 0x24, 0x3d);
const QColor kTeal(0x1f, 0x7a, 0x8c);
const QColor kLeaf(0x9b, 0xd1, 0x5a);
const QColor kRecord(0xe0, 0x3b, 0x2f);

// A small songbird in flight, in a 100 x 60 box.
QPainterPath BirdPath() {
    QPainterPath bird;
    bird.moveTo(8, 38);
    bird.cubicTo(22, 30, 34, 28, 46, 32);  // back
    bird.cubicTo(52, 14, 64, 4, 84, 2);    // raised wing
    bird.cubicTo(72, 12, 66, 22, 62, 32);
    bird.cubicTo(74, 30, 86, 32, 96, 26);  // head
    bird.cubicTo(92, 36, 82, 44, 66, 46);  // throat
    bird.cubicTo(52, 50, 34, 50, 22, 56);  // belly to tail
    bird.cubicTo(24, 48, 18, 42, 8, 38);
    bird.closeSubpath();
    return bird;
}

QPixmap DrawIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 64.0, size / 64.0);

    QLinearGradient body(0, 0, 0, 64);
    body.setColorAt(0, kTeal);
    body.setColorAt(1, kNight);
    painter.setPen(Qt::NoPen);
    painter.setBrush(body);
    painter.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);

    // The camera's lens.
    QRadialGradient glass(QPointF(28, 30), 18);
    glass.setColorAt(0, QColor(0x6f, 0xc3, 0xd6));
    glass.setColorAt(1, QColor(0x0b, 0x16, 0x26));
    painter.setBrush(QColor(0xe8, 0xee, 0xf2));
    painter.drawEllipse(QPointF(32, 34), 20, 20);
    painter.setBrush(glass);
    painter.drawEllipse(QPointF(32, 34), 15, 15);
    painter.setBrush(QColor(255, 255, 255, 170));
    painter.drawEllipse(QPointF(26, 28), 4, 4);

    painter.setBrush(kRecord);
    painter.drawEllipse(QPointF(51, 12), 5, 5);
    return pixmap;
}

}  // namespace

QIcon VireoIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(DrawIcon(size));
    return icon;
}

namespace {

// The program's name over `subtitle`.
QPixmap VireoBanner(const QSize& size, const QString& subtitle) {
    QPixmap pixmap(size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area(QPointF(0, 0), size);

    QLinearGradient sky(area.topLeft(), area.topRight());
    sky.setColorAt(0, kNight);
    sky.setColorAt(1, kTeal);
    painter.fillRect(area, sky);

    // Wide soft bands suggest motion behind the bird.
    painter.setPen(Qt::NoPen);
    for (int band = 0; band < 3; ++band) {
        painter.setBrush(QColor(255, 255, 255, 18 + band * 6));
        const double y = area.height() * (0.25 + 0.2 * band);
        painter.drawRoundedRect(
            QRectF(area.width() * 0.45, y, area.width() * 0.6, area.height() * 0.08), 4, 4);
    }

    const double birdHeight = area.height() * 0.7;
    painter.save();
    painter.translate(area.height() * 0.25, (area.height() - birdHeight) / 2);
    painter.scale(birdHeight / 60.0, birdHeight / 60.0);
    painter.setBrush(kLeaf);
    painter.drawPath(BirdPath());
    QPainterPath beak;
    beak.moveTo(95, 25);
    beak.lineTo(103, 27);
    beak.lineTo(94, 30);
    beak.closeSubpath();
    painter.setBrush(QColor(0xf2, 0xb1, 0x34));
    painter.drawPath(beak);
    painter.setBrush(kNight);
    painter.drawEllipse(QPointF(87, 30), 1.8, 1.8);
    painter.restore();

    QFont title = painter.font();
    title.setBold(true);
    title.setPixelSize(std::max(10, static_cast<int>(area.height() * 0.42)));
    painter.setFont(title);
    painter.setPen(Qt::white);
    const double textLeft = area.height() * 0.25 + birdHeight * 100 / 60 + area.height() * 0.2;
    painter.drawText(QRectF(textLeft, 0, area.width() - textLeft, area.height() * 0.68),
                     Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("Vireo"));

    QFont small = painter.font();
    small.setBold(false);
    small.setPixelSize(std::max(8, static_cast<int>(area.height() * 0.16)));
    painter.setFont(small);
    painter.setPen(QColor(0xd5, 0xe6, 0xee));
    painter.drawText(
        QRectF(textLeft, area.height() * 0.68, area.width() - textLeft, area.height() * 0.3),
        Qt::AlignLeft | Qt::AlignTop, subtitle);
    return pixmap;
}

}  // namespace

void ShowBanner(QLabel* banner, const QSize& size, const dialog::TextLookup& texts) {
    const QString subtitle = dialog::Translated(texts, "Body-worn camera manager");
    banner->setPixmap(VireoBanner(size, subtitle));
    banner->setAccessibleName(QStringLiteral("Vireo: %1").arg(subtitle));
}
