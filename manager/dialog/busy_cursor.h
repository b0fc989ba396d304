// The window waits for a control's action, camera calls included; the cursor says when
// the program is busy with one, and turns back to an arrow whenever the operator is
// asked something or shown what the program waits for.
#pragma once

#include <QGuiApplication>

namespace dialog {

template <Qt::CursorShape shape>
class OverrideCursor {
public:
    OverrideCursor() { QGuiApplication::setOverrideCursor(shape); }
    ~OverrideCursor() { QGuiApplication::restoreOverrideCursor(); }
    OverrideCursor(const OverrideCursor&) = delete;
    OverrideCursor& operator=(const OverrideCursor&) = delete;
};

// While a control's action runs.
using BusyCursor = OverrideCursor<Qt::WaitCursor>;
// While a message box or dialog waits for the operator inside such an action.
using OperatorCursor = OverrideCursor<Qt::ArrowCursor>;

}  // namespace dialog
