// SPDX-License-Identifier: GPL-3.0-or-later
#include "prefs/fonts.h"

#include "platform/listcontrols.h"
#include "platform/richtextview.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QScrollBar>

namespace {

// Faces of the designed screens and, in order of preference, the faces that look closest to them
// on a free desktop.
struct Substitute {
    const char* face;
    const char* standIns[3];
};

constexpr Substitute kSubstitutes[] = {
    {"Verdana", {"DejaVu Sans", "Liberation Sans", "Noto Sans"}},
    {"Tahoma", {"DejaVu Sans", "Liberation Sans", "Noto Sans"}},
    {"Arial", {"Liberation Sans", "DejaVu Sans", "Noto Sans"}},
    {"Arial Black", {"DejaVu Sans", "Liberation Sans", "Noto Sans"}},
    {"MS Sans Serif", {"DejaVu Sans", "Liberation Sans", "Noto Sans"}},
    {"Times New Roman", {"Liberation Serif", "DejaVu Serif", "Noto Serif"}},
    {"Courier New", {"Liberation Mono", "DejaVu Sans Mono", "Noto Mono"}},
};

bool isInstalled(const QString& family) {
    return QFontDatabase::hasFamily(family);
}

// After a new face or size, the beginning of the text in full view, the top margin included; nothing selected.
void backToTop(platform::RichTextView* Rtf1) {
    Rtf1->setSelStart(0);
    Rtf1->verticalScrollBar()->setValue(0);
    Rtf1->horizontalScrollBar()->setValue(0);
}

} // namespace

QString installedFaceFor(const QString& face) {
    if (isInstalled(face))
        return face;
    for (const Substitute& s : kSubstitutes) {
        if (face.compare(QLatin1String(s.face), Qt::CaseInsensitive) != 0)
            continue;
        for (const char* standIn : s.standIns) {
            const QString candidate = QString::fromLatin1(standIn);
            if (isInstalled(candidate))
                return candidate;
        }
    }
    return QString();
}

void installFontSubstitutes() {
    for (const Substitute& s : kSubstitutes) {
        const QString face = QString::fromLatin1(s.face);
        if (isInstalled(face))
            continue;
        QStringList installed;
        for (const char* standIn : s.standIns) {
            const QString candidate = QString::fromLatin1(standIn);
            if (isInstalled(candidate))
                installed.append(candidate);
        }
        if (!installed.isEmpty())
            QFont::insertSubstitutions(face, installed);
    }
}

QStringList albanianFaces() {
    QStringList faces;
    for (const QString& listed : QFontDatabase::families(QFontDatabase::Latin)) {
        // A family two foundries make is listed as "Name [Foundry]": the reader sees the name once.
        const QString family = listed.section(QStringLiteral(" ["), 0, 0);
        if (faces.contains(family) || QFontDatabase::isPrivateFamily(listed) ||
            QFontDatabase::writingSystems(listed).contains(QFontDatabase::Symbol))
            continue;
        // Symbol and dingbat faces claim Latin too; a face for Albanian draws ë, ç and their capitals.
        const QFontMetrics m{QFont(listed)};
        if (m.inFontUcs4(0xEB) && m.inFontUcs4(0xE7) && m.inFontUcs4(0xCB) && m.inFontUcs4(0xC7) && m.inFontUcs4('a'))
            faces.append(family);
    }
    return faces;
}

void addFontToCombo(platform::ComboBox* CmbFontNames) {
    CmbFontNames->setSorted(true);
    for (const QString& family : albanianFaces())
        CmbFontNames->AddItem(family);
}

QString drawnFace(const platform::RichTextView* Rtf1) {
    return QFontInfo(Rtf1->document()->defaultFont()).family().section(QStringLiteral(" ["), 0, 0);
}

void addNrFontToCombo(platform::ComboBox* CmbNrFonti) {
    for (int n = kSmallestTextSize; n <= kLargestTextSize; ++n)
        CmbNrFonti->AddItem(QString::number(n));
}

void CmbFontNames_Click(platform::RichTextView* Rtf1, const platform::ComboBox* CmbFontNames) {
    if (!Rtf1)
        return;
    Rtf1->setFontName(CmbFontNames->Text()); // the passage and the whole text alike
    backToTop(Rtf1);
}

void CmbNrFonti_Click(platform::RichTextView* Rtf1, const platform::ComboBox* CmbNrFonti) {
    bool whole = false;
    const int points = CmbNrFonti->Text().trimmed().toInt(&whole);
    if (!Rtf1 || !whole || points < kSmallestTextSize || points > kLargestTextSize)
        return; // a size typed beyond the list would hang the layout of the whole text
    Rtf1->setFontSize(CmbNrFonti->Text());
    backToTop(Rtf1);
}
