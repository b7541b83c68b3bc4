// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTcpServer>
#include <QUrl>

namespace testing {

// An HTTP/1.1 server on 127.0.0.1 that a download test starts and steers, in the event loop of the test's thread.
// It serves the files a test puts (whole, or from a byte offset for "Range: bytes=N-"), keeps connections alive
// for as many requests as the client sends on them, and can answer a path badly on purpose: ignore the range, say
// 404 or 500, drop the connection midway, send the body slowly, redirect, hand out an HTML page instead of the
// file, or never answer. It records every request and counts connections and body bytes, so that a test can say
// what the client asked, on how many connections, and how much of each file went out.
//
// Two habits of QNetworkAccessManager that a test of a drop must allow for: it may take a body cut short for a whole
// one (no error, fewer bytes than Content-Length said), and it sends a GET again by itself, three times at most,
// when the connection closed before it began to read the answer. So a drop for one request (times = 1) may go
// unseen: drop every try (no `times`, then back to Serve) and compare the bytes with the announced length.
class HttpServer : public QObject {
    Q_OBJECT
public:
    enum class Behaviour {
        Serve,       // 200 with Content-Length, or 206 Partial Content for a "Range: bytes=N-" request
        IgnoreRange, // 200 and the whole body even when a range is asked
        NotFound,    // 404 with a small HTML body
        ServerError, // 500
        Drop,        // as Serve, but half the body announced (or dropAfter bytes of it) goes out, then the close
        Trickle,     // as Serve, the body in pieces of trickleBytes every trickleMs
        Redirect,    // 302 to the path given by setRedirect
        Html,        // 200 text/html with an HTML page instead of the file
        Stall,       // the request is read and never answered
    };
    // One request as it arrived: its path, its Range header as sent ("" without one), the connection it came on
    // (1 for the first accepted) and its User-Agent.
    struct Request {
        QString path;
        QByteArray range;
        int connection = 0;
        QByteArray userAgent;
    };

    explicit HttpServer(QObject* parent = nullptr);
    ~HttpServer() override;

    // Listens on 127.0.0.1 at a free port; false when it cannot.
    bool listen();
    // http://127.0.0.1:PORT/path (the leading slash may be left out, here and in every path below).
    QUrl url(const QString& path) const;
    // Serves `body` at `path` from now on.
    void put(const QString& path, const QByteArray& body, const QByteArray& contentType = "application/octet-stream");

    // How `path` answers; with `times` > 0 only the next `times` requests of it, then it answers as every path
    // without its own behaviour does. Files not put answer 404 to Serve, IgnoreRange, Drop and Trickle.
    void setBehaviour(const QString& path, Behaviour b, int times = 0);
    // How every path without its own behaviour answers (Serve at first).
    void setDefaultBehaviour(Behaviour b);
    // Every answer starts this long after its request may be answered (a timer, the event loop keeps running).
    void setDelay(int ms);
    // How many body bytes Drop sends before it closes (half the announced body while this is negative); fewer than
    // announced in any case.
    void setDropAfter(qint64 bytes);
    // Trickle sends `bytes` of the body every `ms`.
    void setTrickle(int bytes, int ms);
    // `from` answers 302 to `to` on this server from now on.
    void setRedirect(const QString& from, const QString& to);

    // Every request so far, in the order of arrival.
    QList<Request> requests() const { return m_requests; }
    int requestCount(const QString& path) const;
    // Connections accepted so far, and the most that were open at the same time.
    int connectionsOpened() const { return m_opened; }
    int mostConnectionsAtOnce() const { return m_most; }
    // Body bytes written for `path` so far, over all its answers.
    qint64 bytesSent(const QString& path) const { return m_bytesSent.value(normalised(path)); }

Q_SIGNALS:
    // After each write of body bytes for `path`; `total` is bytesSent(path).
    void bodyBytesSent(const QString& path, qint64 total);

private:
    struct Connection;
    struct Pending;
    struct File {
        QByteArray body, contentType;
    };
    struct Rule {
        Behaviour behaviour;
        int times;
    };

    static QString normalised(const QString& path);
    void accept();
    void read(Connection* c);
    bool parse(Connection* c);
    void next(Connection* c);
    void answer(Connection* c);
    void writeHead(Connection* c, int status, const QList<QByteArray>& headers, qint64 length);
    void sendBody(Connection* c, const QString& path, const QByteArray& body, bool trickle);
    void pump(Connection* c);
    void finish(Connection* c);
    void closed(Connection* c);

    QTcpServer m_server;
    QHash<QString, File> m_files;
    QHash<QString, Rule> m_rules;
    QHash<QString, QString> m_redirects;
    Behaviour m_default = Behaviour::Serve;
    int m_delay = 0;
    qint64 m_dropAfter = -1;
    int m_trickleBytes = 1024, m_trickleMs = 10;

    QList<Request> m_requests;
    QHash<QString, qint64> m_bytesSent;
    QSet<Connection*> m_open;
    int m_opened = 0, m_most = 0;
};

} // namespace testing
