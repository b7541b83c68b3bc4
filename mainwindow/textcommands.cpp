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

} // namespace textcommands
