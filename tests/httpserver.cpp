// SPDX-License-Identifier: GPL-3.0-or-later
#include "httpserver.h"

#include <QTcpSocket>
#include <QTimer>

#include <algorithm>
#include <optional>
#include <utility>

using namespace Qt::StringLiterals;

namespace testing {

namespace {

constexpr qint64 kChunk = 64 * 1024;   // body bytes handed to a socket at a time while it keeps up
constexpr qint64 kMaxHead = 64 * 1024; // a request whose head is longer than this is refused

const QByteArray kNotFoundPage = "<!DOCTYPE html>\n<html><head><title>404 Not Found</title></head>"
                                 "<body><h1>Not Found</h1></body></html>\n";
const QByteArray kErrorPage = "<!DOCTYPE html>\n<html><head><title>500 Internal Server Error</title></head>"
                              "<body><h1>Internal Server Error</h1></body></html>\n";
const QByteArray kPortalPage = "<!DOCTYPE html>\n<html><head><title>Sign in</title></head><body>"
                               "<form method=\"post\" action=\"/login\"><p>Sign in to use this network.</p>"
                               "<input name=\"user\"><input name=\"password\" type=\"password\"></form>"
                               "</body></html>\n";

QByteArray reason(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 206:
        return "Partial Content";
    case 302:
        return "Found";
    case 400:
        return "Bad Request";
    case 404:
        return "Not Found";
    case 405:
        return "Method Not Allowed";
    case 416:
        return "Range Not Satisfiable";
    default:
        return "Internal Server Error";
    }
}

bool digits(const QByteArray& s) {
    return !s.isEmpty() && std::all_of(s.begin(), s.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
}

// The first byte and the last (-1: to the end) that "bytes=N-" or "bytes=N-M" asks for; nothing for any other
// form (a suffix, several ranges, nonsense), which is answered with the whole body as a server may.
std::optional<std::pair<qint64, qint64>> byteRange(const QByteArray& value) {
    if (!value.startsWith("bytes="))
        return std::nullopt;
    const QList<QByteArray> ends = value.mid(6).trimmed().split('-');
    if (ends.size() != 2 || !digits(ends[0]) || (!ends[1].isEmpty() && !digits(ends[1])))
        return std::nullopt;
    const qint64 first = ends[0].toLongLong();
    const qint64 last = ends[1].isEmpty() ? -1 : ends[1].toLongLong();
    if (last >= 0 && last < first)
        return std::nullopt;
    return std::pair{first, last};
}

} // namespace

// A request read from a connection and not yet answered.
struct HttpServer::Pending {
    QByteArray method;
    QString path;
    QByteArray range;
    bool close = false; // the client asked for the connection to end after this answer
    bool bad = false;   // the request could not be read: 400, then the connection ends
    Behaviour behaviour = Behaviour::Serve;
};

// One accepted socket and where its requests stand. It lives as the socket's child, so that nothing of it outlives
// the socket and no timer of it fires after the socket is gone.
struct HttpServer::Connection : QObject {
    Connection(QTcpSocket* s, int n) : QObject(s), socket(s), id(n) {}
    QTcpSocket* socket;
    int id;
    QByteArray in;           // read and not yet parsed
    qint64 skip = 0;         // bytes of a request body still to pass over
    bool unreadable = false; // nothing more is read: a request could not be, or the connection is ending
    QList<Pending> queue;    // read and not yet answered, in order of arrival
    bool busy = false;       // an answer is under way, waiting for its delay, or stalled
    bool closeAfter = false;
    // The body being written: the file's path ("" for a page of the server's own), its bytes and how far.
    bool sending = false, trickling = false;
    QString path;
    QByteArray body;
    qint64 offset = 0;
    QTimer trickle;
};

HttpServer::HttpServer(QObject* parent) : QObject(parent) {
    connect(&m_server, &QTcpServer::newConnection, this, &HttpServer::accept);
}

HttpServer::~HttpServer() {
    m_server.close();
    // Every socket, the open ones and those closed and not yet deleted, ends here without calling back.
    const QList<QTcpSocket*> sockets = m_server.findChildren<QTcpSocket*>(Qt::FindDirectChildrenOnly);
    for (QTcpSocket* s : sockets) {
        s->disconnect();
        s->close();
        delete s;
    }
    m_open.clear();
}

bool HttpServer::listen() {
    return m_server.listen(QHostAddress::LocalHost, 0);
}

QString HttpServer::normalised(const QString& path) {
    return path.startsWith(u'/') ? path : u'/' + path;
}

QUrl HttpServer::url(const QString& path) const {
    QUrl u;
    u.setScheme(u"http"_s);
    u.setHost(u"127.0.0.1"_s);
    u.setPort(m_server.serverPort());
    u.setPath(normalised(path));
    return u;
}

void HttpServer::put(const QString& path, const QByteArray& body, const QByteArray& contentType) {
    m_files.insert(normalised(path), File{body, contentType});
}

void HttpServer::setBehaviour(const QString& path, Behaviour b, int times) {
    m_rules.insert(normalised(path), Rule{b, times});
}

void HttpServer::setDefaultBehaviour(Behaviour b) {
    m_default = b;
}

void HttpServer::setDelay(int ms) {
    m_delay = ms;
}

void HttpServer::setDropAfter(qint64 bytes) {
    m_dropAfter = bytes;
}

void HttpServer::setTrickle(int bytes, int ms) {
    m_trickleBytes = std::max(bytes, 1);
    m_trickleMs = std::max(ms, 0);
}

void HttpServer::setRedirect(const QString& from, const QString& to) {
    m_redirects.insert(normalised(from), normalised(to));
    setBehaviour(from, Behaviour::Redirect);
}

int HttpServer::requestCount(const QString& path) const {
    const QString p = normalised(path);
    return int(std::count_if(m_requests.begin(), m_requests.end(), [&p](const Request& r) { return r.path == p; }));
}

void HttpServer::accept() {
    while (QTcpSocket* s = m_server.nextPendingConnection()) {
        auto* c = new Connection(s, ++m_opened);
        m_open.insert(c);
        m_most = std::max(m_most, int(m_open.size()));
        connect(s, &QTcpSocket::readyRead, c, [this, c] { read(c); });
        connect(s, &QTcpSocket::bytesWritten, c, [this, c] {
            if (!c->trickling)
                pump(c);
        });
        connect(s, &QTcpSocket::disconnected, c, [this, c] { closed(c); });
        connect(&c->trickle, &QTimer::timeout, c, [this, c] { pump(c); });
    }
}

void HttpServer::read(Connection* c) {
    const QByteArray bytes = c->socket->readAll();
    if (!m_open.contains(c) || c->unreadable) // after a request that could not be read, or the last one
        return;
    c->in += bytes;
    while (!c->unreadable && parse(c)) {
    }
    next(c);
}

// Takes one whole request off the front of what was read; false while there is none yet.
bool HttpServer::parse(Connection* c) {
    if (c->skip > 0) {
        const qint64 n = std::min(c->skip, c->in.size());
        c->in.remove(0, n);
        c->skip -= n;
        if (c->skip > 0)
            return false;
    }
    while (c->in.startsWith("\r\n")) // empty lines between requests are allowed
        c->in.remove(0, 2);
    const qsizetype end = c->in.indexOf("\r\n\r\n");
    if (end < 0 && c->in.size() <= kMaxHead)
        return false;
    const QList<QByteArray> lines = c->in.left(std::max(end, qsizetype(0))).split('\n');
    const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
    Pending p;
    p.bad = end < 0 || first.size() != 3 || !first[2].startsWith("HTTP/1.") || !first[1].startsWith('/');
    if (p.bad) {
        c->unreadable = true;
        c->in.clear();
        c->queue.append(p);
        return false;
    }
    c->in.remove(0, end + 4);

    p.method = first[0];
    QByteArray target = first[1];
    for (const char stop : {'?', '#'}) {
        if (const qsizetype at = target.indexOf(stop); at >= 0)
            target.truncate(at);
    }
    p.path = normalised(QUrl::fromPercentEncoding(target));
    QByteArray connection, userAgent;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon <= 0)
            continue;
        const QByteArray name = lines[i].left(colon).trimmed().toLower();
        const QByteArray value = lines[i].mid(colon + 1).trimmed();
        if (name == "range")
            p.range = value;
        else if (name == "connection")
            connection = value.toLower();
        else if (name == "user-agent")
            userAgent = value;
        else if (name == "content-length")
            c->skip = std::max(value.toLongLong(), qint64(0));
    }
    QList<QByteArray> tokens = connection.split(',');
    for (QByteArray& t : tokens)
        t = t.trimmed();
    p.close = first[2] == "HTTP/1.0" ? !tokens.contains("keep-alive") : tokens.contains("close");

    auto rule = m_rules.find(p.path);
    if (rule == m_rules.end()) {
        p.behaviour = m_default;
    } else {
        p.behaviour = rule->behaviour;
        if (rule->times > 0 && --rule->times == 0)
            m_rules.erase(rule);
    }
    m_requests.append(Request{p.path, p.range, c->id, userAgent});
    c->queue.append(p);
    return true;
}

// Starts the answer to the oldest request of the connection, after the delay, unless one is under way.
void HttpServer::next(Connection* c) {
    if (c->busy || c->queue.isEmpty() || !m_open.contains(c))
        return;
    c->busy = true;
    if (m_delay > 0)
        QTimer::singleShot(m_delay, c, [this, c] { answer(c); });
    else
        answer(c);
}

void HttpServer::answer(Connection* c) {
    if (!m_open.contains(c))
        return;
    const Pending p = c->queue.takeFirst();
    c->closeAfter = p.close || p.bad;
    const bool headOnly = p.method == "HEAD";
    const auto page = [&](int status, const QByteArray& html, QList<QByteArray> headers = {}) {
        headers.append("Content-Type: text/html; charset=utf-8");
        writeHead(c, status, headers, html.size());
        sendBody(c, QString(), headOnly ? QByteArray() : html, false);
    };
    if (p.bad)
        return page(400, kErrorPage);
    if (p.method != "GET" && !headOnly)
        return page(405, kErrorPage, {"Allow: GET, HEAD"});

    switch (p.behaviour) {
    case Behaviour::Stall:
        return; // busy for good: neither this request nor any after it on the connection is answered
    case Behaviour::NotFound:
        return page(404, kNotFoundPage);
    case Behaviour::ServerError:
        return page(500, kErrorPage);
    case Behaviour::Html:
        return page(200, kPortalPage);
    case Behaviour::Redirect: {
        const QString to = m_redirects.value(p.path);
        if (to.isEmpty())
            return page(404, kNotFoundPage);
        const QByteArray location = url(to).toEncoded();
        return page(302, "<a href=\"" + location + "\">Found</a>\n", {"Location: " + location});
    }
    case Behaviour::Serve:
    case Behaviour::IgnoreRange:
    case Behaviour::Drop:
    case Behaviour::Trickle:
        break;
    }

    const auto file = m_files.constFind(p.path);
    if (file == m_files.constEnd())
        return page(404, kNotFoundPage);
    const qint64 length = file->body.size();
    QList<QByteArray> headers{"Content-Type: " + file->contentType, "Accept-Ranges: bytes"};
    QByteArray body = file->body;
    int status = 200;
    const auto range = p.behaviour == Behaviour::IgnoreRange ? std::nullopt : byteRange(p.range);
    if (range) {
        if (range->first >= length)
            return page(416, QByteArray(), {"Content-Range: bytes */" + QByteArray::number(length)});
        const qint64 last = range->second < 0 ? length - 1 : std::min(range->second, length - 1);
        body = file->body.mid(range->first, last - range->first + 1);
        headers.append("Content-Range: bytes " + QByteArray::number(range->first) + '-' + QByteArray::number(last) +
                       '/' + QByteArray::number(length));
        status = 206;
    }
    writeHead(c, status, headers, body.size());
    if (headOnly)
        return sendBody(c, QString(), QByteArray(), false);
    if (p.behaviour == Behaviour::Drop) {
        const qint64 cut = m_dropAfter >= 0 ? std::min(m_dropAfter, body.size() - 1) : body.size() / 2;
        body.truncate(std::max(cut, qint64(0)));
        c->closeAfter = true;
    }
    sendBody(c, p.path, body, p.behaviour == Behaviour::Trickle);
}

void HttpServer::writeHead(Connection* c, int status, const QList<QByteArray>& headers, qint64 length) {
    QByteArray out = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason(status) + "\r\n";
    for (const QByteArray& h : headers)
        out += h + "\r\n";
    out += "Content-Length: " + QByteArray::number(length) + "\r\n";
    out += c->closeAfter ? "Connection: close\r\n\r\n" : "Connection: keep-alive\r\n\r\n";
    c->socket->write(out);
}

// Writes `body` as the socket takes it (or a piece per tick when trickling), then finishes the answer.
void HttpServer::sendBody(Connection* c, const QString& path, const QByteArray& body, bool trickle) {
    c->sending = true;
    c->trickling = trickle;
    c->path = path;
    c->body = body;
    c->offset = 0;
    if (trickle)
        c->trickle.start(m_trickleMs);
    else
        pump(c);
}

void HttpServer::pump(Connection* c) {
    if (!c->sending || !m_open.contains(c))
        return;
    if (!c->trickling && c->socket->bytesToWrite() >= kChunk)
        return;
    const qint64 n = std::min(c->trickling ? qint64(m_trickleBytes) : kChunk, c->body.size() - c->offset);
    if (n > 0) {
        c->socket->write(c->body.constData() + c->offset, n);
        c->offset += n;
        if (!c->path.isEmpty())
            Q_EMIT bodyBytesSent(c->path, m_bytesSent[c->path] += n);
    }
    if (c->offset < c->body.size() || !m_open.contains(c))
        return;
    c->sending = c->trickling = false;
    c->trickle.stop();
    c->body.clear();
    finish(c);
}

void HttpServer::finish(Connection* c) {
    c->busy = false;
    if (c->closeAfter) {
        c->queue.clear();
        c->unreadable = true;
        c->socket->disconnectFromHost();
        return;
    }
    next(c);
}

void HttpServer::closed(Connection* c) {
    m_open.remove(c);
    c->sending = false;
    c->trickle.stop();
    c->queue.clear();
    c->socket->deleteLater();
}

} // namespace testing
