// How a page's rows are laid out: columns of groups, each a grid of label and
// control pairs, with its buttons at its foot; the whole page scrolls when the
// window is smaller than it.
#pragma once

#include <QBoxLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QScrollArea>
#include <QStyle>
#include <algorithm>
#include <optional>

#include "page_form.h"

namespace form {

// Asks for room for the whole page; the window decides how much it gets and the rest scrolls.
class PageScrollArea : public QScrollArea {
public:
    using QScrollArea::QScrollArea;

    QSize sizeHint() const override {
        const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        return widget() != nullptr ? widget()->sizeHint() + QSize(bar, bar)
                                   : QScrollArea::sizeHint();
    }
};

// Where rows go while the page is built: columns of groups, each a grid of label and control pairs.
class RowLayout {
public:
    explicit RowLayout(QWidget* content)
        : m_content(content), m_columns(new QHBoxLayout(content)) {}

    void StartGroup(QGroupBox* box, const Row& row) {
        if (row.inGroup) {
            StartInnerGroup(box, row);
            return;
        }
        m_outer.reset();
        if (m_column == nullptr || row.newColumn) {
            m_column = new QVBoxLayout;
            m_columns->addLayout(m_column, 1);
        }
        m_column->addWidget(box);
        Open(box, row.columns);
    }

    void AddPair(QLabel* label, QWidget* control) {
        if (m_at.grid == nullptr) {
            auto* plain = new QWidget(m_content);
            if (m_column == nullptr) {
                m_column = new QVBoxLayout;
                m_columns->addLayout(m_column, 1);
            }
            m_column->addWidget(plain);
            Open(plain, 1);
        }
        const int line = m_at.cell / m_at.pairsPerLine;
        const int column = 2 * (m_at.cell % m_at.pairsPerLine);
        if (label != nullptr) m_at.grid->addWidget(label, line, column);
        m_at.grid->addWidget(control, line, label != nullptr ? column + 1 : column, 1,
                             label != nullptr ? 1 : 2);
        ++m_at.cell;
    }

    // Buttons of the current group, right-aligned after its pairs, on their last line when it has
    // room; after inner groups, of the enclosing one.
    void AddButton(QWidget* button) {
        if (m_outer) {
            m_at = *m_outer;
            m_outer.reset();
        }
        if (m_at.buttons == nullptr) {
            m_at.buttons = new QHBoxLayout;
            m_at.buttons->addStretch(1);
            const int used = m_at.cell % m_at.pairsPerLine;
            const int line = used == 0 ? m_at.grid->rowCount() : m_at.cell / m_at.pairsPerLine;
            m_at.grid->addLayout(m_at.buttons, line, 2 * used, 1, 2 * (m_at.pairsPerLine - used));
        }
        m_at.buttons->addWidget(button);
    }

    void Finish() {
        for (int i = 0; i < m_columns->count(); ++i) {
            if (auto* column = qobject_cast<QVBoxLayout*>(m_columns->itemAt(i)->layout()))
                column->addStretch(1);
        }
    }

private:
    // Where the next pair or button of a group goes.
    struct Grid {
        QGridLayout* grid = nullptr;
        int pairsPerLine = 1;
        int cell = 0;
        QHBoxLayout* buttons = nullptr;
    };

    // A group that takes one cell of the current one, beside its other inner groups.
    void StartInnerGroup(QGroupBox* box, const Row& row) {
        if (m_outer) m_at = *m_outer;
        AddPair(nullptr, box);
        m_at.grid->setAlignment(box, Qt::AlignTop);
        m_outer = m_at;
        Open(box, row.columns);
    }

    void Open(QWidget* container, int pairsPerLine) {
        m_at = {new QGridLayout(container), std::max(pairsPerLine, 1)};
        for (int pair = 0; pair < m_at.pairsPerLine; ++pair)
            m_at.grid->setColumnStretch(2 * pair + 1, 1);
    }

    QWidget* m_content;
    QHBoxLayout* m_columns;
    QVBoxLayout* m_column = nullptr;
    Grid m_at;
    std::optional<Grid> m_outer;  // the enclosing group while inside an inner one
};

}  // namespace form
