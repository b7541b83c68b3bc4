// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/instance.h"

#include "app/module1.h"
#include "search/history.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSettings>
#include <QThread>

#include <memory>

#include <unistd.h>

namespace instance {

namespace {

constexpr int kConnectMs = 5000;
constexpr int kRetryMs = 20;
// The window answers from its event loop: a start that has just begun may first load for some seconds.
constexpr int kAnswerMs = 60000;
const QByteArray kHello = "LIBREZI ";
const QByteArray kTaken = "OK\n";

std::unique_ptr<QLocalServer> g_server;
std::function<void(const QString&)> g_received;

// Reads one later start's line, answers it and hands its verse on.
void serve(QLocalSocket* socket) {
    QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    auto read = [socket] {
        if (!socket->canReadLine()) {
            if (socket->bytesAvailable() > 4096)
                socket->abort(); // not one of ours
            return;
        }
        const QByteArray line = socket->readLine().trimmed();
        if (!line.startsWith(kHello.trimmed())) {
            socket->abort();
            return;
        }
        socket->write(kTaken);
        socket->flush();
        socket->disconnectFromServer();
        if (g_received)
            g_received(QString::fromUtf8(line.mid(kHello.size())).trimmed());
    };
    QObject::connect(socket, &QLocalSocket::readyRead, socket, read);
    if (socket->bytesAvailable() > 0)
        read();
}

bool listen(const QString& name) {
    auto server = std::make_unique<QLocalServer>();
    server->setSocketOptions(QLocalServer::AbstractNamespaceOption);
    if (!server->listen(name))
        return false;
    QObject::connect(server.get(), &QLocalServer::newConnection, server.get(), [s = server.get()] {
        while (QLocalSocket* socket = s->nextPendingConnection())
            serve(socket);
    });
    g_server = std::move(server);
    return true;
}

} // namespace

QString serverName() {
    const QSettings store(QSettings::IniFormat, QSettings::UserScope, history::appName(), history::appName());
    const QByteArray reader = (QFileInfo(Module1::userDataFolder()).absoluteFilePath() + u'\n' +
                               QFileInfo(store.fileName()).absoluteFilePath())
                                  .toUtf8();
    return QStringLiteral("librezi-%1-%2")
        .arg(::getuid())
        .arg(QString::fromLatin1(QCryptographicHash::hash(reader, QCryptographicHash::Sha256).toHex().left(24)));
}

Start claim(const QString& verse, std::function<void(const QString&)> received) {
    const QString name = serverName();
    if (!g_server || g_server->serverName() != name) {
        g_server.reset();
        // The name can be taken and not yet listened at: a start at the same moment that has named its server but
        // not opened it refuses the connection for a while. A window that is closing right now answers no more.
        // Either way this start tries again, to be the window or to reach it, for a bounded time.
        const QDeadlineTimer trying(kConnectMs);
        for (bool first = true;; first = false) {
            if (!first)
                QThread::msleep(kRetryMs);
            // With no name to be had the program still runs: one window cannot be ensured then.
            if (listen(name) || trying.hasExpired())
                break;
            QLocalSocket socket;
            socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
            socket.connectToServer(name);
            if (!socket.waitForConnected(int(qMax<qint64>(trying.remainingTime(), 1))))
                continue;
            socket.write(kHello + verse.toUtf8() + '\n');
            QByteArray answer;
            const QDeadlineTimer deadline(kAnswerMs);
            while (!answer.contains('\n') && socket.waitForReadyRead(int(deadline.remainingTime())))
                answer += socket.readAll();
            answer += socket.readAll(); // what came with the window's closing of the line
            return answer == kTaken ? Start::HandedOver : Start::NoAnswer;
        }
    }
    g_received = std::move(received);
    return Start::First;
}

} // namespace instance
