// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/verse.h"

#include <QDialog>
#include <QList>
#include <QString>

#include <functional>

class QLabel;
class QPushButton;
class QTextBrowser;
namespace data {
class Library;
}

// "Krahaso": a verse in every text the reader has — the translation read, the translations and the Arabic text
// beside it — one under the other, the words in which the Albanian translations differ marked.
namespace krahaso {

struct Row {
    QString label; // whose text: the translator's short name, "Teksti arab"
    QString text;
    bool arabic = false;
};

// The rows of a verse as HTML: each label in bold, each text after it (the Arabic right to left, right-aligned), the
// words the translations do not share (text::differingWords, over the rows that are not Arabic) on a marked ground.
QString html(const QList<Row>& rows);

// The rows of a verse: the reader's translation first, then every text of the store at `store`.
QList<Row> rowsOf(const data::Library& library, const QString& store, text::Verse verse);

} // namespace krahaso

// The compare window: the verse's rows, and the verse before or after it (PageUp/PageDown or the buttons).
class frmKrahaso : public QDialog {
    Q_OBJECT
public:
    frmKrahaso(const data::Library& library, QWidget* parent = nullptr);
    void showVerse(text::Verse verse);
    text::Verse verse() const { return m_verse; }
    void step(int by);

    QLabel* lblAjeti;
    QTextBrowser* txtKrahasimi;
    QPushButton* cmdPara;
    QPushButton* cmdPas;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const data::Library& m_library;
    text::Verse m_verse;
};
