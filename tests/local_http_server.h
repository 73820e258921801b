#pragma once
// A web server on 127.0.0.1 for the streaming tests: it answers GET requests for the paths it
// was given with their bytes (HTTP/1.0, one request per connection) and everything else with
// 404, and counts the requests it was asked.

#include <QHash>
#include <QTcpServer>
#include <QTcpSocket>

namespace orvala::sound::test {

class LocalHttpServer : public QObject {
  public:
    LocalHttpServer() {
        server_.listen(QHostAddress::LocalHost, 0);
        connect(&server_, &QTcpServer::newConnection, this, [this] { accept(); });
    }

    void serve(const QString& path, const QByteArray& type, const QByteArray& bytes) {
        pages_[path] = {type, bytes};
    }
    QString url(const QString& path) const {
        return QString("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(path);
    }
    int requests(const QString& path) const { return asked_.value(path); }

  private:
    struct Page {
        QByteArray type, bytes;
    };

    void accept() {
        while (QTcpSocket* s = server_.nextPendingConnection()) {
            connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
            connect(s, &QTcpSocket::readyRead, this, [this, s] { answer(s); });
        }
    }

    void answer(QTcpSocket* s) {
        QByteArray& got = pending_[s];
        got += s->readAll();
        if (!got.contains("\r\n\r\n")) return;
        const QList<QByteArray> first = got.left(got.indexOf("\r\n")).split(' ');
        pending_.remove(s);
        const QString path = first.size() > 1 ? QString::fromLatin1(first[1]) : QString();
        ++asked_[path];
        QByteArray reply;
        if (auto it = pages_.find(path); it != pages_.end()) {
            reply = "HTTP/1.0 200 OK\r\nContent-Type: " + it->type +
                    "\r\nContent-Length: " + QByteArray::number(it->bytes.size()) +
                    "\r\nConnection: close\r\n\r\n" + it->bytes;
        } else {
            reply = "HTTP/1.0 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
        }
        s->write(reply);
        s->disconnectFromHost();
    }

    QTcpServer server_;
    QHash<QString, Page> pages_;
    QHash<QString, int> asked_;
    QHash<QTcpSocket*, QByteArray> pending_;
};

}  // namespace orvala::sound::test
