#include "child_page.h"

namespace dialog {

ChildPage::ChildPage(const DialogTemplate& layout) : m_layout(layout)
{
    hide();
}

void ChildPage::Create(QWidget* parent, const QRect& place)
{
    setParent(parent);
    setGeometry(place);
    BuildControls(this, m_layout.controls);
    OnInitDialog();
}

}  // namespace dialog
