// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/findtext.h"

#include "platform/msgbox.h"
#include "platform/richtextview.h"
#include "platform/textfold.h"

namespace search {
namespace {

const QString kNoMoreAskWrap = QStringLiteral("Shprehja nuk përmendet më!\r\n"
                                              "A dëshironi të fillon kërkimi prej fillimit të tekstit?");

} // namespace

bool FindInText::phraseMissing(const QString& phrase) {
    if (!phrase.isEmpty())
        return false;
    platform::MsgBox(QStringLiteral("Shëno diçka në kutizën për kërkim!"));
    return true;
}

bool FindInText::next(const QString& phrase) {
    return !phraseMissing(phrase) && keepingPlace(&FindInText::findNext, phrase);
}

bool FindInText::previous(const QString& phrase) {
    return !phraseMissing(phrase) && keepingPlace(&FindInText::findPrevious, phrase);
}

// The search goes round the text asking on the way; when it finds nothing the reader's place comes back.
bool FindInText::keepingPlace(bool (FindInText::*find)(const QString&), const QString& phrase) {
    const int start = Rtf1->SelStart();
    const int length = Rtf1->SelLength();
    const int top = Rtf1->topPosition();
    if (!(this->*find)(phrase)) {
        Rtf1->setSelStart(start);
        Rtf1->setSelLength(length);
        Rtf1->showAtTop(top);
    }
    return true;
}

bool FindInText::findNext(const QString& phrase) {
    const QString selection = Rtf1->SelText();
    bool fromSelection = false;
    if (!selection.isEmpty() && selection != phrase) {
        // Something other than the current occurrence is selected: start after its first word.
        Rtf1->setSelStart(Rtf1->SelStart());
        Rtf1->UpTo(QStringLiteral(" ,.?!:"), true, false);
    } else if (!selection.isEmpty()) {
        fromSelection = true;
    }
    if (fromSelection) {
        const int origin = Rtf1->SelStart() + int(selection.size());
        if (Rtf1->Find(phrase, origin, -1, 0) >= 0)
            return true;
        if (platform::MsgBox(kNoMoreAskWrap, platform::Buttons::OKCancel) != platform::Answer::OK)
            return false;
        Rtf1->setSelStart(0);
    }
    const int origin = Rtf1->SelStart();
    if (Rtf1->Find(phrase, origin, -1, 0) >= 0)
        return true;
    if (platform::MsgBox(kNoMoreAskWrap, platform::Buttons::OKCancel) != platform::Answer::OK)
        return false;
    Rtf1->setSelStart(0);
    if (Rtf1->Find(phrase, -1, origin, 0) >= 0)
        return true;
    platform::MsgBox(QStringLiteral("Shprehja nuk përmendet diku në tekst!"));
    return false;
}

int FindInText::lastBefore(const QString& text, const QString& phrase, int caret) {
    const qsizetype L = phrase.size();
    if (L == 0)
        return -1;
    // Candidates start from two characters before the caret down to the first character.
    for (qsizetype j = qMin<qsizetype>(caret - 2, text.size() - 1); j >= 0; --j)
        if (QStringView(text).mid(j, qMin(L, text.size() - j)) == phrase)
            return int(j);
    return -1;
}

bool FindInText::findPrevious(const QString& phrase) {
    bool firstPass = true;
    bool askedAtStart = false; // an empty text would otherwise ask for ever
    for (;;) {
        const int p = Rtf1->SelStart();
        const int L = int(phrase.size());
        if (firstPass && p == 0 && !askedAtStart) {
            askedAtStart = true;
            if (platform::MsgBox(QStringLiteral("Momentalisht gjendeni në fillim të tekstit.\n"
                                                "A dëshironi të fillojë kërkimi prej fundit të tekstit?"),
                                 platform::Buttons::YesNo) == platform::Answer::Yes) {
                Rtf1->setSelStart(Rtf1->TextLength());
                continue;
            }
        }
        if (p <= L)
            return false;
        const int at = lastBefore(Rtf1->foldedText(), Rtf1->fold(phrase), p);
        if (at >= 0) {
            Rtf1->setSelStart(at);
            Rtf1->setSelLength(L);
            return true;
        }
        if (!firstPass) {
            platform::MsgBox(QStringLiteral("Shprehja nuk u gjet më."));
            return false;
        }
        if (platform::MsgBox(QStringLiteral("Mbërriva deri në fillim të tekstit.\n"
                                            "A dëshironi të fillojë kërkimi prej fundit të tekstit?"),
                             platform::Buttons::YesNo) != platform::Answer::Yes)
            return false;
        firstPass = false;
        Rtf1->setSelStart(Rtf1->TextLength());
    }
}

} // namespace search
