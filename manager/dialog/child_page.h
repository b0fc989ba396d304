#pragma once

#include "control_template.h"
#include "dialog_items.h"

#include <QWidget>

namespace dialog {

// A page that lives inside another window (a tab's page). Its controls are built
// when Create places it in its parent; initialisation runs once, right after.
class ChildPage : public QWidget, public DialogItems {
    Q_OBJECT
public:
    explicit ChildPage(const DialogTemplate& layout);

    void Create(QWidget* parent, const QRect& place);

protected:
    virtual void OnInitDialog() {}
    void OnCommand(int /*id*/) override {}

private:
    const DialogTemplate& m_layout;
};

}  // namespace dialog
