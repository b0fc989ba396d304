#pragma once

#include <QString>

namespace dialog {

// Captions mark a keyboard mnemonic with '&' and show a literal '&' as "&&".
// Buttons, tabs and check boxes understand that; plain labels get this text.
QString VisibleCaption(const QString& caption);

// A label's caption as a screen reader says it for the control it names: no markers,
// no trailing colon.
QString SpokenCaption(const QString& caption);

}  // namespace dialog
