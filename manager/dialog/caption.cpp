#include "caption.h"

namespace dialog {

QString VisibleCaption(const QString& caption) {
    QString shown;
    shown.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&') {
            if (i + 1 >= caption.size()) break;
            ++i;  // drop the marker; a doubled one leaves its second '&'
        }
        shown += caption[i];
    }
    return shown;
}

QString SpokenCaption(const QString& caption) {
    QString name = VisibleCaption(caption).trimmed();
    while (name.endsWith(u':') || name.endsWith(u'\uff1a')) name.chop(1);
    return name.trimmed();
}

}  // namespace dialog
