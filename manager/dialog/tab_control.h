#pragma once

#include <QRect>
#include <QWidget>

class QTabBar;

namespace dialog {

// A row of tabs over a framed pane. The owner's pages are its children, kept in
// PageRect(); which page is visible is the owner's decision alone.
class TabControl : public QWidget {
    Q_OBJECT
public:
    explicit TabControl(QWidget* parent = nullptr);

    int InsertTab(const QString& caption);  // appended; returns its index
    int TabCount() const;
    QString TabCaption(int index) const;
    void SetCurSel(int index);  // reports no selection change
    int CurSel() const;

    // The pane below the tabs, inset a little from its frame.
    QRect PageRect() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // The operator chose another tab.
    void SelectionChanged(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QList<QWidget*> Pages() const;

    QTabBar* m_bar;
    bool m_selecting = false;
};

}  // namespace dialog
