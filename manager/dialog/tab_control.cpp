#include "tab_control.h"

#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>
#include <QTabBar>
#include <algorithm>

namespace dialog {
namespace {

constexpr int kPageInset = 3;

}  // namespace

TabControl::TabControl(QWidget* parent) : QWidget(parent), m_bar(new QTabBar(this)) {
    m_bar->setDrawBase(false);
    m_bar->setExpanding(false);
    connect(m_bar, &QTabBar::currentChanged, this, [this](int index) {
        if (!m_selecting) emit SelectionChanged(index);
    });
}

int TabControl::InsertTab(const QString& caption) {
    m_selecting = true;  // the first tab added becomes current without the operator's doing
    const int index = m_bar->addTab(caption);
    m_selecting = false;
    m_bar->resize(width(), m_bar->sizeHint().height());
    return index;
}

int TabControl::TabCount() const { return m_bar->count(); }

QString TabControl::TabCaption(int index) const { return m_bar->tabText(index); }

void TabControl::SetCurSel(int index) {
    m_selecting = true;
    m_bar->setCurrentIndex(index);
    m_selecting = false;
}

int TabControl::CurSel() const { return m_bar->currentIndex(); }

QRect TabControl::PageRect() const {
    const int top = m_bar->sizeHint().height();
    return QRect(0, top, width(), height() - top)
        .adjusted(kPageInset, kPageInset, -kPageInset, -kPageInset);
}

void TabControl::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    const int top = m_bar->sizeHint().height();
    frame.rect = QRect(0, top - 1, width(), height() - top + 1);
    frame.tabBarSize = m_bar->sizeHint();
    frame.shape = QTabBar::RoundedNorth;
    painter.drawPrimitive(QStyle::PE_FrameTabWidget, frame);
}

void TabControl::resizeEvent(QResizeEvent*) {
    m_bar->setGeometry(0, 0, width(), m_bar->sizeHint().height());
    for (QWidget* page : Pages()) page->setGeometry(PageRect());
}

QSize TabControl::sizeHint() const {
    QSize pages;
    for (const QWidget* page : Pages()) pages = pages.expandedTo(page->sizeHint());
    const int frame = 2 * kPageInset;
    return {std::max(pages.width() + frame, m_bar->sizeHint().width()),
            m_bar->sizeHint().height() + pages.height() + frame};
}

QSize TabControl::minimumSizeHint() const {
    return m_bar->minimumSizeHint() + QSize(0, 8 * kPageInset);
}

QList<QWidget*> TabControl::Pages() const {
    QList<QWidget*> pages = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    pages.removeOne(m_bar);
    return pages;
}

}  // namespace dialog
