#pragma once

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

#include <functional>

// A small HTTP server for one test: every request is recorded, and the script decides the raw
// answer (an empty one leaves the request unanswered).
class ScriptedHttp
{
public:
    struct Request
    {
        QByteArray path;
        QByteArray cookie; // the Cookie header, empty when none came
        bool hasCookie = false;
    };
    using Script = std::function<QByteArray(const Request &)>;

    ScriptedHttp(const QHostAddress &address, Script script) : script(std::move(script))
    {
        server.listen(address);
        QObject::connect(&server, &QTcpServer::newConnection, [this] {
            while (QTcpSocket *socket = server.nextPendingConnection())
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { read(socket); });
        });
    }

    QUrl base() const
    {
        return QUrl(QStringLiteral("http://%1:%2/command/")
                        .arg(server.serverAddress().toString())
                        .arg(server.serverPort()));
    }

    static QByteArray answer(const QByteArray &status, const QByteArray &body, const QByteArray &headers = {})
    {
        return "HTTP/1.1 " + status + "\r\nContent-Length: " + QByteArray::number(body.size()) +
               "\r\nConnection: close\r\n" + headers + "\r\n" + body;
    }

    QList<Request> requests;

private:
    void read(QTcpSocket *socket)
    {
        QByteArray &buffer = pending[socket];
        buffer += socket->readAll();
        const int headerEnd = buffer.indexOf("\r\n\r\n");
        if (headerEnd < 0)
            return;
        Request request;
        qsizetype contentLength = 0;
        const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
        request.path = lines.value(0).split(' ').value(1);
        for (const QByteArray &line : lines) {
            const QByteArray name = line.left(line.indexOf(':')).trimmed().toLower();
            const QByteArray value = line.mid(line.indexOf(':') + 1).trimmed();
            if (name == "cookie") {
                request.cookie = value;
                request.hasCookie = true;
            } else if (name == "content-length") {
                contentLength = value.toLongLong();
            }
        }
        if (buffer.size() < headerEnd + 4 + contentLength)
            return;
        pending.remove(socket);
        requests.append(request);
        const QByteArray response = script(request);
        if (response.isEmpty())
            return;
        socket->write(response);
        socket->disconnectFromHost();
    }

    QTcpServer server;
    Script script;
    QHash<QTcpSocket *, QByteArray> pending;
};
