// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/krahaso.h"

#include "app/paths.h"
#include "data/library.h"
#include "data/schema.h"
#include "mainwindow/besidetexts.h"
#include "platform/database.h"
#include "text/compare.h"
#include "tools/parallel.h"
#include "tools/textinput.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace krahaso {

namespace {
// The text with its marked places, escaped for HTML.
QString marked(const QString& text, const text::Ranges& places) {
    QString out;
    qsizetype at = 0;
    for (const auto& [start, end] : places) {
        out += text.mid(at, start - at).toHtmlEscaped();
        out += QStringLiteral("<span style=\"background-color:#ffe08a\">") +
               text.mid(start, end - start).toHtmlEscaped() + QStringLiteral("</span>");
        at = end;
    }
    return out + text.mid(at).toHtmlEscaped();
}
} // namespace

QString html(const QList<Row>& rows) {
    QStringList translations;
    for (const Row& r : rows)
        if (!r.arabic)
            translations << r.text;
    const QList<text::Ranges> differ = text::differingWords(translations);
    QString out;
    qsizetype t = 0;
    for (const Row& r : rows) {
        const QString body = r.arabic ? r.text.toHtmlEscaped() : marked(r.text, differ[t++]);
        out += QStringLiteral("<p><b>%1</b></p><p%2>%3</p>")
                   .arg(r.label.toHtmlEscaped(),
                        r.arabic
                            ? QStringLiteral(" dir=\"rtl\" align=\"right\" style=\"font-family:%1; font-size:x-large\"")
                                  .arg(QLatin1String(besidetexts::kArabicFace))
                            : QString(),
                        body);
    }
    return out;
}

QList<Row> rowsOf(const data::Library& library, const QString& store, text::Verse verse) {
    QList<Row> rows;
    // The reader's translation by its translator, or by its name when the file named none.
    QString reader = library.fact(QString::fromLatin1(schema::kMetaTranslator)).value_or(QString());
    if (reader.isEmpty())
        reader = library.fact(QString::fromLatin1(schema::kMetaTranslation)).value_or(QStringLiteral("Përkthimi"));
    rows.append({reader, library.verseText(verse).value_or(QString()), false});
    try {
        for (const databuilder::ParallelText& t : databuilder::parallelTexts(store))
            rows.append({t.kind == databuilder::TextKind::Arabic ? QStringLiteral("Teksti arab") : t.name,
                         databuilder::parallelVerse(store, t.id, verse.surah, verse.verse),
                         t.kind == databuilder::TextKind::Arabic});
    } catch (const databuilder::BuildError& e) {
        rows.append({QStringLiteral("Tekstet e tjera nuk mund të lexohen"), e.cause(), false});
    }
    return rows;
}

} // namespace krahaso

frmKrahaso::frmKrahaso(const data::Library& library, QWidget* parent) : QDialog(parent), m_library(library) {
    setObjectName(QStringLiteral("frmKrahaso"));
    setWindowTitle(QStringLiteral("Krahaso"));
    auto* v = new QVBoxLayout(this);
    lblAjeti = new QLabel(this);
    lblAjeti->setObjectName(QStringLiteral("lblAjeti"));
    QFont bold = lblAjeti->font();
    bold.setBold(true);
    lblAjeti->setFont(bold);
    txtKrahasimi = new QTextBrowser(this);
    txtKrahasimi->setObjectName(QStringLiteral("txtKrahasimi"));
    txtKrahasimi->setAccessibleName(QStringLiteral("Ajeti në çdo tekst"));
    cmdPara = new QPushButton(QStringLiteral("◀ Ajeti &para"), this);
    cmdPara->setObjectName(QStringLiteral("cmdPara"));
    cmdPara->setToolTip(QStringLiteral("PageUp"));
    cmdPas = new QPushButton(QStringLiteral("Ajeti &pas ▶"), this);
    cmdPas->setObjectName(QStringLiteral("cmdPas"));
    cmdPas->setToolTip(QStringLiteral("PageDown"));
    auto* close = new QPushButton(QStringLiteral("&Mbyll"), this);
    close->setObjectName(QStringLiteral("cmdMbyll"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdPara);
    buttons->addWidget(cmdPas);
    buttons->addStretch();
    buttons->addWidget(close);
    v->addWidget(lblAjeti);
    v->addWidget(txtKrahasimi, 1);
    v->addLayout(buttons);
    connect(cmdPara, &QPushButton::clicked, this, [this] { step(-1); });
    connect(cmdPas, &QPushButton::clicked, this, [this] { step(1); });
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    // PageUp and PageDown step through the verses wherever the keyboard is in the window (the text's own paging
    // included: a verse fits in view).
    for (QWidget* w : QList<QWidget*>{this, txtKrahasimi, cmdPara, cmdPas, close})
        w->installEventFilter(this);
    resize(fontMetrics().averageCharWidth() * 90, fontMetrics().height() * 24);
}

bool frmKrahaso::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
            if (event->type() == QEvent::KeyPress)
                step(key == Qt::Key_PageDown ? 1 : -1);
            event->accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmKrahaso::showVerse(text::Verse verse) {
    m_verse = verse;
    QString name;
    try {
        name = m_library.surah(verse.surah).value_or(data::Surah{}).name;
    } catch (const platform::DbError&) {
    }
    lblAjeti->setText(QStringLiteral("%1 %2:%3").arg(name).arg(verse.surah).arg(verse.verse).trimmed());
    txtKrahasimi->setHtml(krahaso::html(krahaso::rowsOf(m_library, Module1::parallelTextsPath(), verse)));
    QDialog::show();
    raise();
    activateWindow();
}

// The verse before or after, across the surahs' bounds; nothing before 1:1 or after the last verse.
void frmKrahaso::step(int by) {
    text::Verse next = {m_verse.surah, m_verse.verse + by};
    try {
        if (next.verse < 1 && next.surah > 1)
            next = {next.surah - 1, m_library.surah(next.surah - 1).value_or(data::Surah{}).verses};
        else if (next.verse > m_library.surah(next.surah).value_or(data::Surah{}).verses &&
                 m_library.surah(next.surah + 1))
            next = {next.surah + 1, 1};
    } catch (const platform::DbError&) {
        return;
    }
    if (next.verse >= 1 && m_library.verseText(next))
        showVerse(next);
}
