// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/textfold.h"

namespace platform {

QString foldText(const QString& text, bool loose) {
    QString out(text.size(), Qt::Uninitialized);
    const QChar* in = text.constData();
    QChar* o = out.data();
    for (qsizetype i = 0, n = text.size(); i < n; ++i)
        o[i] = loose ? foldLetter(in[i]) : foldChar(in[i]);
    return out;
}

} // namespace platform
