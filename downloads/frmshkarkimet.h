// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "downloads/fetcher.h"

#include <QDialog>
#include <QHash>

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QTimer;
namespace data {
class Library;
}

namespace downloads {

class Recordings;

// "Pauzo"/"Vazhdo" and the state of a round of files: "12 nga 340 skedarë · 3,4 MB nga rreth 40 MB · 1,2 MB/s ·
// edhe 2 min"; "" when nothing is being fetched.
QString progressText(const Fetcher::Progress& p, bool paused);
// A fetched reciter's state, given how many of its recordings are on disk: "123 nga 6236 ajete në disk (12 MB)".
QString reciterState(const QString& id, int count);

// The window "Shkarkimet": the Albanian translations and the Arabic text that Tanzil publishes, and the reciters of
// EveryAyah, each fetched on the reader's word only, with the progress of what is being fetched, Pause, Continue
// and Cancel, and every file that failed named with its cause.
class frmShkarkimet : public QDialog {
    Q_OBJECT
public:
    frmShkarkimet(Fetcher& fetcher, Recordings& recordings, data::Library& library, QWidget* parent = nullptr);

    // The reader's acts (the buttons call them; tests too).
    void fetchTranslation(const QString& id);
    void fetchArabic(const QString& id);
    void useReciter(const QString& id);
    void fetchReciter(const QString& id);
    void removeReciter(const QString& id);
    // The states of every row, read again from the disk.
    void refresh();

    QLabel* lblEcuria;
    QProgressBar* prgEcuria;
    QPushButton* cmdPauzo;
    QPushButton* cmdAnulo;
    QListWidget* lstGabimet;

Q_SIGNALS:
    // A translation was fetched and checked: the window imports it (with its preview).
    void translationFetched(const QString& file);
    // The reciter with this id in the database is to be the verse reciter in use (-1: the lists changed only).
    void reciterChosen(qint64 id);

protected:
    void showEvent(QShowEvent* e) override;

private:
    void onFinished(const QString& target);
    void onFailed(const QString& target, const QString& cause);
    void showProgress();
    bool canSave(const QString& what);
    // The database's reciter for a fetched one, added when it is not there; -1 when it cannot be.
    qint64 registered(const QString& id);
    QString nameOf(const QString& target) const;

    Fetcher& m_fetcher;
    Recordings& m_recordings;
    data::Library& m_library;
    QHash<QString, QLabel*> m_states;     // each row's state, by id
    QHash<QString, QPushButton*> m_whole; // "Shkarko të gjitha" of each reciter
    QTimer* m_tick;
    QScrollArea* m_scroll = nullptr;
};

} // namespace downloads
