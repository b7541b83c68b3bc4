// SPDX-License-Identifier: GPL-3.0-or-later
// The download tests' server, asked as the program asks it (QNetworkAccessManager): a range answered from its
// byte, the answers it gives badly on purpose, a redirect followed, a dropped answer resumed, one connection for
// many requests, and requests that come together or in pieces on a bare socket.
#include "httpserver.h"

#include <QElapsedTimer>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>

#include <array>
#include <memory>

using namespace Qt::StringLiterals;
using testing::HttpServer;
using B = HttpServer::Behaviour;

class TestHttpServer : public QObject {
    Q_OBJECT
    HttpServer server;
    std::unique_ptr<QNetworkAccessManager> net; // one for each test, so that no connection of one serves the next
    QByteArray file;                            // no byte equal to its neighbours, so that a range shifted by one shows
    const QString path = u"001001.mp3"_s;

    // Gets `at` (from the byte `range` asks) and waits for the whole answer.
    std::unique_ptr<QNetworkReply> get(const QString& at, const QByteArray& range = {}, int timeoutMs = 0) {
        QNetworkRequest request(server.url(at));
        if (!range.isEmpty())
            request.setRawHeader("Range", range);
        request.setTransferTimeout(timeoutMs);
        std::unique_ptr<QNetworkReply> reply(net->get(request));
        if (!QSignalSpy(reply.get(), &QNetworkReply::finished).wait(60000))
            qFatal("no answer from the test server");
        return reply;
    }
    static int status(const QNetworkReply& r) { return r.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(); }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(server.listen());
        for (int i = 0; i < 100000; ++i)
            file += char(i % 251);
        server.put(path, file, "audio/mpeg");
        server.setTrickle(8192, 1);
    }
    void init() { net = std::make_unique<QNetworkAccessManager>(); }

    void answers_data() {
        QTest::addColumn<int>("behaviour");
        QTest::addColumn<QString>("at");
        QTest::addColumn<QByteArray>("range");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("from"); // the file's bytes from here are the body; -1: none of them
        QTest::addColumn<QByteArray>("type");
        const auto row = [](const char* name, B b, const QString& at, const QByteArray& range, int code, int from,
                            const QByteArray& type) {
            QTest::newRow(name) << int(b) << at << range << code << from << type;
        };
        row("whole", B::Serve, path, "", 200, 0, "audio/mpeg");
        row("range", B::Serve, path, "bytes=40000-", 206, 40000, "audio/mpeg");
        row("range of the last byte", B::Serve, path, "bytes=99999-", 206, 99999, "audio/mpeg");
        row("range past the end", B::Serve, path, "bytes=100000-", 416, -1, "");
        row("range ignored", B::IgnoreRange, path, "bytes=40000-", 200, 0, "audio/mpeg");
        row("range trickled", B::Trickle, path, "bytes=1000-", 206, 1000, "audio/mpeg");
        row("not found", B::NotFound, path, "", 404, -1, "text/html");
        row("never put", B::Serve, u"002001.mp3"_s, "", 404, -1, "text/html");
        row("server error", B::ServerError, path, "", 500, -1, "text/html");
        row("html page", B::Html, path, "", 200, -1, "text/html");
        row("stall", B::Stall, path, "", 0, -1, "");
    }
    void answers() {
        QFETCH(int, behaviour);
        QFETCH(QString, at);
        QFETCH(QByteArray, range);
        QFETCH(int, code);
        QFETCH(int, from);
        QFETCH(QByteArray, type);
        server.setBehaviour(at, B(behaviour), 1);
        const qint64 sent = server.bytesSent(at);
        QSignalSpy written(&server, &HttpServer::bodyBytesSent);
        const auto reply = get(at, range, B(behaviour) == B::Stall ? 100 : 0);
        QCOMPARE(status(*reply), code);
        QVERIFY(reply->rawHeader("Content-Type").startsWith(type));
        const QByteArray body = reply->isOpen() ? reply->readAll() : QByteArray(); // closed once timed out
        QCOMPARE(body.contains("<html>"), type == "text/html");
        if (from >= 0)
            QCOMPARE(body, file.mid(from));
        QCOMPARE(server.bytesSent(at) - sent, from >= 0 ? file.size() - from : 0);
        if (!written.isEmpty())
            QCOMPARE(written.last().at(1).toLongLong(), server.bytesSent(at));
        if (B(behaviour) == B::Trickle)
            QCOMPARE(written.size(), (file.size() - from + 8191) / 8192);
        if (code == 206)
            QCOMPARE(reply->rawHeader("Content-Range"), "bytes " + QByteArray::number(from) + "-99999/100000");
        QCOMPARE(server.requests().last().range, range);
    }

    // A dropped answer announces the whole body and ends short; the rest is had from the byte where it stopped. The
    // network access may take the short body for a whole one, and sends a GET again by itself (three times at most)
    // when the connection closed before it read the answer: so every try is dropped, at the same byte.
    void dropResumed() {
        for (const qint64 dropAfter : {qint64(-1), qint64(1000)}) {
            const qint64 cut = dropAfter < 0 ? (file.size() - 500) / 2 : dropAfter;
            server.setDropAfter(dropAfter);
            server.setBehaviour(path, B::Drop);
            const int asked = server.requestCount(path);
            const qint64 sent = server.bytesSent(path);
            const auto reply = get(path, "bytes=500-");
            server.setBehaviour(path, B::Serve);
            QCOMPARE(server.bytesSent(path) - sent, cut * (server.requestCount(path) - asked));
            const QByteArray got = reply->readAll(); // nothing when the last try closed before it was read
            QCOMPARE(got, file.mid(500, got.isEmpty() ? 0 : cut));
            if (!got.isEmpty())
                QCOMPARE(reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(), file.size() - 500);
            QCOMPARE(get(path, "bytes=" + QByteArray::number(500 + got.size()) + '-')->readAll(),
                     file.mid(500 + got.size()));
        }
    }

    void redirect() {
        server.setRedirect(u"old/001001.mp3"_s, path);
        const auto reply = get(u"/old/001001.mp3"_s);
        QCOMPARE(reply->url(), server.url(path));
        QCOMPARE(reply->readAll(), file);
        QVERIFY(server.requestCount(u"old/001001.mp3"_s) > 0); // once, or twice when the network access repeats it
        QCOMPARE(server.requests().last().path, server.url(path).path());
    }

    // Four requests one after the other go on one connection, each answered after the delay; a behaviour for two
    // requests gives way after them to the default.
    void keptAlive() {
        const int opened = server.connectionsOpened();
        server.setBehaviour(path, B::ServerError, 2);
        server.setDefaultBehaviour(B::NotFound);
        server.setDelay(50);
        QElapsedTimer clock;
        clock.start();
        QList<int> codes;
        for (int i = 0; i < 4; ++i)
            codes << status(*get(path));
        QCOMPARE_GE(clock.elapsed(), 200);
        server.setDelay(0);
        server.setDefaultBehaviour(B::Serve);
        QCOMPARE(codes, (QList<int>{500, 500, 404, 404}));
        QCOMPARE(server.connectionsOpened(), opened + 1);
        for (const HttpServer::Request& r : server.requests().mid(server.requests().size() - 4))
            QCOMPARE(r.connection, opened + 1);
    }

    // On bare sockets to a server of its own: two requests and the start of a third in one write, the rest of the
    // third later, and it asks to close; a request that cannot be read; the most connections open at once; those
    // still open closed as the server goes.
    void bareSockets() {
        auto own = std::make_unique<HttpServer>();
        QVERIFY(own->listen());
        own->put(path, file);
        std::array<QTcpSocket, 4> s;
        const auto connected = [&](int n) {
            for (int i = own->connectionsOpened(); i < n; ++i)
                s[i].connectToHost(QHostAddress::LocalHost, quint16(own->url(path).port()));
            return QTest::qWaitFor([&] { return own->connectionsOpened() == n; }, 60000);
        };
        const auto gone = [](QTcpSocket& x) {
            return QTest::qWaitFor([&x] { return x.state() == QAbstractSocket::UnconnectedState; }, 60000);
        };
        QVERIFY(connected(3));
        const QByteArray one = "GET /001001.mp3 HTTP/1.1\r\nHost: here\r\nRange: bytes=99990-\r\n\r\n";
        const QByteArray last = "GET /001001.mp3 HTTP/1.1\r\nRange: bytes=99990-\r\nConnection: close\r\n\r\n";
        s[0].write(one + one + last.left(30));
        QVERIFY(QTest::qWaitFor([&] { return own->requestCount(path) == 2; }, 60000));
        s[0].write(last.mid(30));
        QVERIFY(gone(s[0]));
        QCOMPARE(s[0].readAll().count(QByteArray("\r\n\r\n").append(file.right(10))), 3);
        QCOMPARE(own->requestCount(path), 3);
        s[1].write("GET\r\n\r\n");
        QVERIFY(gone(s[1]));
        QVERIFY(s[1].readAll().startsWith("HTTP/1.1 400 "));
        QVERIFY(connected(4));
        QCOMPARE(own->mostConnectionsAtOnce(), 3);
        own.reset();
        for (int i = 2; i < 4; ++i)
            QVERIFY(gone(s[i]));
    }
};

QTEST_MAIN(TestHttpServer)
#include "test_httpserver.moc"
