// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/textcommands.h"

#include "platform/richtextview.h"

namespace textcommands {

QString selectLineUnderCaret(platform::RichTextView* view) {
    const QString cr(QChar(13));
    view->UpTo(cr, false, false);
    view->setSelStart(view->SelStart() + 2);
    view->Span(QString(QChar(9)), true, true);
    const QString prefix = view->SelText();
    view->Span(cr, true, true);
    view->Refresh();
    return prefix;
}

PrefixNumbers readPrefix(const QString& p) {
    PrefixNumbers out;
    out.isVerse = p.contains(u':');
    for (qsizetype i = 0; i < p.size(); ++i) {
        const QChar c = p.at(i);
        if (c == u'.')
            break;
        if (c == u':') {
            // The verse runs to the character before the "." that ends a key.
            out.verse = p.mid(i + 1, qMax<qsizetype>(0, p.size() - i - 2));
            break;
        }
        out.surah += c;
    }
    return out;
}

} // namespace textcommands
