// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QUrl>

#include <functional>

class QFile;
class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

// Files fetched from the network for the reader: a translation, the Arabic text, a reciter's recordings. Each file
// is written under a temporary name beside its place (NAME.part), continued from where it stopped after a dropped
// connection, a pause or a restart (an HTTP Range request), checked when complete, and only then put in place in one
// step: nothing half-written is ever where the program reads. A file that fails is tried again a few times, waiting
// longer each time, and then named with its cause in Albanian.
namespace downloads {

// Why a complete file is not what was asked for, in Albanian ("" when it is). Given the temporary file's path.
using Check = std::function<QString(const QString& partPath)>;

// A recording: the bytes begin with an MP3 frame (after an ID3 tag, if any).
QString recordingCheck(const QString& partPath);
// The temporary name of a file being fetched.
QString partPath(const QString& target);

// Why a request failed, in Albanian, from its HTTP status (0 when none came) and the network's error.
QString failureCause(int status, int networkError);

class Fetcher : public QObject {
    Q_OBJECT
public:
    explicit Fetcher(QObject* parent = nullptr);
    ~Fetcher() override;

    // Queues a file (nothing happens for a target already queued or in place). `urgent` puts it before the files
    // queued without urgency (a verse about to be heard before the rest of a reciter).
    void add(const QUrl& url, const QString& target, Check check = {}, bool urgent = false);
    // Whether the file is queued or being fetched.
    bool pending(const QString& target) const;

    // Pause stops every transfer and keeps what came; resume continues from there. Cancel stops them and removes
    // the temporary files of every file not complete, and empties the queue.
    void pause();
    void resume();
    void cancel();
    // Cancels the files whose place is in `folder` alone (their temporary files go too).
    void cancelIn(const QString& folder);
    bool paused() const { return m_paused; }
    bool busy() const { return !m_queue.isEmpty() || !m_running.isEmpty(); }

    struct Progress {
        int done = 0, failed = 0, total = 0; // files since the queue was last empty
        qint64 bytes = 0;                    // bytes received since then
        qint64 expected = -1;                // the bytes all of them will make, when known (see expectBytes)
        double speed = 0;                    // bytes a second over the last seconds
        int secondsLeft = -1;                // -1 while it cannot be told
    };
    Progress progress() const;
    // The size the files queued since the queue was last empty will make, as the caller knows it (a reciter's size).
    void expectBytes(qint64 bytes) { m_expected = bytes; }

    // At most this many transfers at once (each on a connection kept alive); the waits before each new try.
    int connections = 4;
    QList<int> retryWaitsMs{1000, 3000, 9000};
    int transferTimeoutMs = 30000;
    // The program's name and version sent with every request.
    QByteArray userAgent;

Q_SIGNALS:
    // The file is in place and checked.
    void finished(const QString& target);
    // The file could not be fetched, after the tries: the cause in Albanian.
    void failed(const QString& target, const QString& cause);
    void progressed();
    // Nothing left to fetch (the queue emptied, not by pause).
    void idle();

private:
    struct Job {
        quint64 id = 0;
        QUrl url;
        QString target;
        Check check;
        int tries = 0;
        QNetworkReply* reply = nullptr;
        QFile* file = nullptr;
        qint64 offset = 0;  // bytes of the temporary file the request continues from
        qint64 length = -1; // the whole file's length, when the server said it
        bool writeFailed = false;
        QString writeError;
    };
    void startNext();
    void start(Job* job);
    void onHeaders(Job* job);
    void onData(Job* job);
    void onDone(Job* job);
    void retryOrFail(Job* job, const QString& cause, bool retry);
    void complete(Job* job);
    void stopTransfer(Job* job);
    void release(Job* job, bool keepPart);
    void noteBytes(qint64 n);

    QNetworkAccessManager* m_net;
    QList<Job*> m_queue;     // waiting, in order
    QList<Job*> m_running;   // being fetched
    QList<Job*> m_waiting;   // waiting for their next try
    QSet<QString> m_targets; // the targets of all three
    bool m_paused = false;
    quint64 m_lastId = 0;
    QString m_madeFolder; // the folder made last
    int m_done = 0, m_failed = 0, m_total = 0;
    qint64 m_bytes = 0, m_expected = -1;
    QElapsedTimer m_clock;
    QList<QPair<qint64, qint64>> m_recent; // (ms, bytes) of the last seconds, for the speed
};

} // namespace downloads
