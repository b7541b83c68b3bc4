// SPDX-License-Identifier: GPL-3.0-or-later
#include "downloads/fetcher.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QTimer>

#include <cstdio>

namespace downloads {

QString partPath(const QString& target) {
    return target + QStringLiteral(".part");
}

QString recordingCheck(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("skedari i marrë nuk mund të lexohet");
    QByteArray head = file.read(10);
    qint64 at = 0;
    // An ID3v2 tag: "ID3", version, flags, and its size in four bytes of seven bits; a footer adds ten.
    if (head.size() == 10 && head.startsWith("ID3")) {
        qint64 size = 0;
        for (int i = 6; i < 10; ++i)
            size = (size << 7) | (uchar(head[i]) & 0x7f);
        at = 10 + size + ((uchar(head[5]) & 0x10) ? 10 : 0);
    }
    if (!file.seek(at))
        return QStringLiteral("skedari nuk është regjistrim MP3");
    const QByteArray frame = file.read(2);
    const QByteArray start = head.left(64).trimmed().toLower();
    if (start.startsWith("<!doctype") || start.startsWith("<html") || start.startsWith("<?xml") ||
        start.startsWith("<"))
        return QStringLiteral("serveri dha një faqe interneti në vend të regjistrimit");
    if (frame.size() < 2 || uchar(frame[0]) != 0xff || (uchar(frame[1]) & 0xe0) != 0xe0)
        return QStringLiteral("skedari nuk është regjistrim MP3");
    return {};
}

QString failureCause(int status, int networkError) {
    if (status == 404 || status == 410)
        return QStringLiteral("nuk gjendet në server");
    if (status == 401 || status == 403)
        return QStringLiteral("serveri nuk e jep (%1)").arg(status);
    if (status >= 500)
        return QStringLiteral("gabim në server (%1)").arg(status);
    switch (QNetworkReply::NetworkError(networkError)) {
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::HostNotFoundError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::UnknownNetworkError:
        return QStringLiteral("nuk ka lidhje me serverin");
    case QNetworkReply::RemoteHostClosedError:
        return QStringLiteral("lidhja me serverin u ndërpre");
    case QNetworkReply::TimeoutError:
    case QNetworkReply::OperationCanceledError:
        return QStringLiteral("serveri nuk u përgjigj në kohë");
    case QNetworkReply::SslHandshakeFailedError:
        return QStringLiteral("certifikata e serverit nuk u pranua");
    case QNetworkReply::ProxyConnectionRefusedError:
    case QNetworkReply::ProxyConnectionClosedError:
    case QNetworkReply::ProxyNotFoundError:
    case QNetworkReply::ProxyTimeoutError:
    case QNetworkReply::ProxyAuthenticationRequiredError:
        return QStringLiteral("ndërmjetësi (proxy) i sistemit nuk e lejoi lidhjen");
    case QNetworkReply::TooManyRedirectsError:
    case QNetworkReply::InsecureRedirectError:
        return QStringLiteral("serveri e ridrejtoi kërkesën gabimisht");
    default:
        break;
    }
    return status > 0 ? QStringLiteral("serveri u përgjigj me %1").arg(status) : QStringLiteral("gabim rrjeti");
}

namespace {
// Whether an answer is one that a new try may mend (a dropped connection, a busy server), not one that will stay (a
// file the server does not have or does not give).
bool worthRetrying(int status) {
    return status < 400 || status >= 500 || status == 408 || status == 429;
}

QString writeCause(const QFile& file) {
    return file.error() == QFileDevice::ResourceError
               ? QStringLiteral("disku është plot")
               : QStringLiteral("nuk mund të shkruhet në dosjen %1")
                     .arg(QDir::toNativeSeparators(QFileInfo(file.fileName()).absolutePath()));
}
} // namespace

Fetcher::Fetcher(QObject* parent) : QObject(parent), m_net(new QNetworkAccessManager(this)) {
    QNetworkProxyFactory::setUseSystemConfiguration(true);
    m_net->setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
    m_clock.start();
}

Fetcher::~Fetcher() {
    for (Job* job : m_running)
        release(job, true);
    qDeleteAll(m_queue);
    qDeleteAll(m_waiting);
}

bool Fetcher::pending(const QString& target) const {
    return m_targets.contains(target);
}

void Fetcher::add(const QUrl& url, const QString& target, Check check, bool urgent) {
    if (QFileInfo(target).isFile())
        return;
    if (pending(target)) {
        if (urgent) // brought forward
            for (qsizetype i = 0; i < m_queue.size(); ++i)
                if (m_queue[i]->target == target)
                    m_queue.prepend(m_queue.takeAt(i));
        return;
    }
    if (!busy()) { // a new round of files
        m_done = m_failed = m_total = 0;
        m_bytes = 0;
        m_expected = -1;
        m_recent.clear();
    }
    auto* job = new Job;
    m_targets.insert(target);
    job->id = ++m_lastId;
    job->url = url;
    job->target = target;
    job->check = std::move(check);
    if (urgent)
        m_queue.prepend(job);
    else
        m_queue.append(job);
    ++m_total;
    startNext();
    Q_EMIT progressed();
}

void Fetcher::startNext() {
    while (!m_paused && m_running.size() < connections && !m_queue.isEmpty())
        start(m_queue.takeFirst());
}

void Fetcher::start(Job* job) {
    m_running.append(job);
    if (const QString folder = QFileInfo(job->target).absolutePath(); folder != m_madeFolder) {
        QDir().mkpath(folder); // once for the files of one folder in a row
        m_madeFolder = folder;
    }
    job->file = new QFile(partPath(job->target));
    job->offset = QFileInfo(job->file->fileName()).size();
    job->length = -1;
    job->writeFailed = false;
    QNetworkRequest request(job->url);
    request.setTransferTimeout(transferTimeoutMs);
    if (!userAgent.isEmpty())
        request.setHeader(QNetworkRequest::UserAgentHeader, userAgent);
    if (job->offset > 0)
        request.setRawHeader("Range", "bytes=" + QByteArray::number(job->offset) + '-');
    // A file is asked for as it is, never compressed on the way: its length and its resumption are in bytes.
    request.setRawHeader("Accept-Encoding", "identity");
    job->reply = m_net->get(request);
    const quint64 id = job->id;
    connect(job->reply, &QNetworkReply::metaDataChanged, this, [this, job, id] {
        if (m_running.contains(job) && job->id == id)
            onHeaders(job);
    });
    connect(job->reply, &QNetworkReply::readyRead, this, [this, job, id] {
        if (m_running.contains(job) && job->id == id)
            onData(job);
    });
    connect(job->reply, &QNetworkReply::finished, this, [this, job, id] {
        if (m_running.contains(job) && job->id == id)
            onDone(job);
    });
}

// The answer's head decides whether the temporary file is continued (206 from where it stops) or written anew.
void Fetcher::onHeaders(Job* job) {
    const int status = job->reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status != 200 && status != 206)
        return; // said when the answer ends
    if (job->file->isOpen())
        return; // a redirect's second head comes with the same answer
    bool continues = false;
    if (status == 206 && job->offset > 0) {
        // "bytes START-END/LENGTH": the part continues only when it starts where the file stops.
        static const QRegularExpression range(QStringLiteral("^bytes\\s+(\\d+)-(\\d+)/(\\d+|\\*)$"));
        const auto m = range.match(QString::fromLatin1(job->reply->rawHeader("Content-Range")).trimmed());
        continues = m.hasMatch() && m.captured(1).toLongLong() == job->offset;
        if (continues && m.captured(3) != u'*')
            job->length = m.captured(3).toLongLong();
    }
    if (!continues) {
        job->offset = 0;
        if (status == 206) { // a part the program did not ask for: not trusted
            job->writeFailed = true;
            job->writeError = QStringLiteral("serveri dha një pjesë tjetër të skedarit");
            job->reply->abort();
            return;
        }
    }
    const QVariant length = job->reply->header(QNetworkRequest::ContentLengthHeader);
    if (job->length < 0 && length.isValid())
        job->length = job->offset + length.toLongLong();
    const QIODevice::OpenMode mode =
        continues ? QIODevice::WriteOnly | QIODevice::Append : QIODevice::WriteOnly | QIODevice::Truncate;
    // A folder removed since it was made (a reciter removed and fetched again) is made again.
    if (!job->file->open(mode) && !(QDir().mkpath(QFileInfo(job->target).absolutePath()) && job->file->open(mode))) {
        job->writeFailed = true;
        job->writeError = writeCause(*job->file);
        job->reply->abort();
    }
}

void Fetcher::onData(Job* job) {
    if (!job->file->isOpen()) {
        onHeaders(job);
        if (!job->file->isOpen()) {
            job->reply->readAll(); // the body of an error page, not kept
            return;
        }
    }
    const QByteArray data = job->reply->readAll();
    if (job->file->write(data) != data.size() || !job->file->flush()) {
        job->writeFailed = true;
        job->writeError = writeCause(*job->file);
        job->reply->abort();
        return;
    }
    noteBytes(data.size());
}

void Fetcher::noteBytes(qint64 n) {
    m_bytes += n;
    const qint64 now = m_clock.elapsed();
    m_recent.append({now, n});
    while (m_recent.size() > 1 && now - m_recent.first().first > 5000)
        m_recent.removeFirst();
    Q_EMIT progressed();
}

void Fetcher::onDone(Job* job) {
    if (job->reply->bytesAvailable() > 0 && !job->writeFailed)
        onData(job);
    const int status = job->reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const auto error = job->reply->error();
    if (job->writeFailed) {
        const bool disk = job->writeError != QStringLiteral("serveri dha një pjesë tjetër të skedarit");
        if (!disk) // begun anew on the next try
            QFile::remove(partPath(job->target));
        retryOrFail(job, job->writeError, !disk);
        return;
    }
    if (status == 416 && job->offset > 0) {
        // The part asked for starts at the end: the file came whole before (a kill between its last byte and its
        // move into place). Checked as any other; a part longer than the file is begun anew.
        static const QRegularExpression whole(QStringLiteral("^bytes\\s+\\*/(\\d+)$"));
        const auto m = whole.match(QString::fromLatin1(job->reply->rawHeader("Content-Range")).trimmed());
        job->length = m.hasMatch() ? m.captured(1).toLongLong() : -1;

        if (job->length != job->offset) {
            QFile::remove(partPath(job->target));
            retryOrFail(job, failureCause(status, error), true);
            return;
        }
    } else if ((status != 200 && status != 206) ||
               (error != QNetworkReply::NoError &&
                (job->length < 0 || QFileInfo(job->file->fileName()).size() != job->length))) {
        // An error after the whole announced length came (a connection closed at the end) loses nothing.
        retryOrFail(job, failureCause(status, error), worthRetrying(status));
        return;
    }
    job->file->close();
    const qint64 size = QFileInfo(job->file->fileName()).size();
    if (job->length >= 0 && size != job->length) {
        retryOrFail(job, QStringLiteral("skedari erdhi i paplotë"), true);
        return;
    }
    const QByteArray type = status == 416
                                ? QByteArray() // the answer's page is not the file
                                : job->reply->header(QNetworkRequest::ContentTypeHeader).toByteArray().toLower();
    QString wrong =
        type.startsWith("text/html") ? QStringLiteral("serveri dha një faqe interneti në vend të skedarit") : QString();
    if (wrong.isEmpty() && job->check)
        wrong = job->check(job->file->fileName());
    if (!wrong.isEmpty()) {
        QFile::remove(job->file->fileName()); // a wrong file is not continued
        retryOrFail(job, wrong, true);
        return;
    }
    complete(job);
}

void Fetcher::complete(Job* job) {
    const QString part = job->file->fileName();
    // rename(2) puts the file in place in one step, replacing what may be there.
    if (std::rename(QFile::encodeName(part).constData(), QFile::encodeName(job->target).constData()) != 0) {
        retryOrFail(job,
                    QStringLiteral("nuk mund të shkruhet në dosjen %1")
                        .arg(QDir::toNativeSeparators(QFileInfo(job->target).absolutePath())),
                    false);
        return;
    }
    const QString target = job->target;
    m_running.removeOne(job);
    release(job, true);
    ++m_done;
    Q_EMIT finished(target);
    Q_EMIT progressed();
    startNext();
    if (!busy())
        Q_EMIT idle();
}

// The job's transfer ends: its answer is dropped and its temporary file closed (kept on disk).
void Fetcher::stopTransfer(Job* job) {
    if (job->reply) {
        job->reply->disconnect(this);
        job->reply->abort();
        job->reply->deleteLater();
        job->reply = nullptr;
    }
    if (job->file) {
        job->file->close();
        delete job->file;
        job->file = nullptr;
    }
}

void Fetcher::retryOrFail(Job* job, const QString& cause, bool retry) {
    m_running.removeOne(job);
    stopTransfer(job);
    if (retry && job->tries < retryWaitsMs.size()) {
        const int wait = retryWaitsMs[job->tries++];
        m_waiting.append(job);
        const quint64 id = job->id;
        QTimer::singleShot(wait, this, [this, id] {
            for (qsizetype i = 0; i < m_waiting.size(); ++i)
                if (m_waiting[i]->id == id) {
                    m_queue.prepend(m_waiting.takeAt(i));
                    startNext();
                    return;
                }
        });
        startNext();
        return;
    }
    const QString target = job->target;
    m_targets.remove(target);
    delete job;
    ++m_failed;
    Q_EMIT failed(target, cause);
    Q_EMIT progressed();
    startNext();
    if (!busy())
        Q_EMIT idle();
}

void Fetcher::release(Job* job, bool keepPart) {
    m_targets.remove(job->target);
    stopTransfer(job);
    if (!keepPart)
        QFile::remove(partPath(job->target));
    delete job;
}

void Fetcher::pause() {
    if (m_paused)
        return;
    m_paused = true;
    // The transfers stop; their jobs go back to the front of the queue and continue from their temporary files.
    for (Job* job : std::as_const(m_running))
        stopTransfer(job);
    m_queue = m_running + m_queue;
    m_running.clear();
    m_recent.clear();
    Q_EMIT progressed();
}

void Fetcher::resume() {
    if (!m_paused)
        return;
    m_paused = false;
    startNext();
    Q_EMIT progressed();
}

void Fetcher::cancel() {
    const bool was = busy();
    QList<Job*> all = m_running + m_queue + m_waiting;
    m_running.clear();
    m_queue.clear();
    m_waiting.clear();
    for (Job* job : all)
        release(job, false);
    m_paused = false;
    m_total = m_done + m_failed;
    Q_EMIT progressed();
    if (was)
        Q_EMIT idle();
}

void Fetcher::cancelIn(const QString& folder) {
    m_madeFolder.clear();
    const QString prefix = QDir::cleanPath(folder) + u'/';
    for (QList<Job*>* list : {&m_running, &m_queue, &m_waiting})
        for (qsizetype i = list->size() - 1; i >= 0; --i)
            if ((*list)[i]->target.startsWith(prefix)) {
                release(list->takeAt(i), false);
                --m_total;
            }
    startNext();
    Q_EMIT progressed();
    if (!busy())
        Q_EMIT idle();
}

Fetcher::Progress Fetcher::progress() const {
    Progress p;
    p.done = m_done;
    p.failed = m_failed;
    p.total = m_total;
    p.bytes = m_bytes;
    p.expected = m_expected;
    if (m_recent.size() >= 2) {
        const qint64 span = m_clock.elapsed() - m_recent.first().first;
        qint64 sum = 0;
        for (const auto& r : m_recent)
            sum += r.second;
        if (span > 250)
            p.speed = double(sum) * 1000.0 / double(span);
    }
    if (p.speed > 0) {
        qint64 left = -1;
        if (m_expected > 0)
            left = qMax<qint64>(0, m_expected - m_bytes);
        else if (m_done > 0) // the files left at the mean size of those done
            left = m_bytes / m_done * (m_total - m_done - m_failed);
        if (left >= 0)
            p.secondsLeft = int(double(left) / p.speed + 0.5);
    }
    return p;
}

} // namespace downloads
