#include "net/lan_link.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

namespace orvala::net {

LanLink::LanLink(QObject* parent) : QObject(parent) {
    pause_.setSingleShot(true);
    connect(&pause_, &QTimer::timeout, this, &LanLink::pump);
}

LanLink::~LanLink() {
    close();
}

bool LanLink::listen(quint16 port) {
    close();
    joiner_ = false;
    server_ = new QTcpServer(this);
    connect(server_, &QTcpServer::newConnection, this, &LanLink::accept);
    if (server_->listen(QHostAddress::AnyIPv4, port)) return true;
    delete server_;
    server_ = nullptr;
    return false;
}

quint16 LanLink::listeningPort() const {
    return server_ ? server_->serverPort() : 0;
}

bool LanLink::listening() const {
    return server_ && server_->isListening();
}

void LanLink::accept() {
    while (QTcpSocket* socket = server_->nextPendingConnection()) {
        socket->setParent(this);
        const int number = nextNumber_++;
        adopt(socket, number);
        // A connection that says nothing in time is closed: it holds no place meanwhile, but a
        // machine that never asks is not kept waiting on for ever either.
        auto* silence = new QTimer(socket);
        silence->setSingleShot(true);
        connect(silence, &QTimer::timeout, this, [this, number] { closeConnection(number); });
        connect(socket, &QTcpSocket::readyRead, silence, &QTimer::stop);
        silence->start(silenceMs_);
    }
}

void LanLink::adopt(QTcpSocket* socket, int number) {
    links_[number] = socket;
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    connect(socket, &QTcpSocket::readyRead, this, [this, socket, number] {
        const QByteArray bytes = socket->readAll();
        if (!bytes.isEmpty()) emit received(joiner_ ? -1 : number, bytes);
    });
    connect(socket, &QTcpSocket::disconnected, this, [this, socket, number] {
        socket->deleteLater();
        links_.erase(number);
        emit linkClosed(joiner_ ? -1 : number);
    });
}

void LanLink::closeConnection(int number) {
    const auto at = links_.find(number);
    if (at == links_.end() || !at->second) return;
    QTcpSocket* socket = at->second;
    links_.erase(at);
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
    emit linkClosed(joiner_ ? -1 : number);
}

void LanLink::connectTo(const QString& address, quint16 port) {
    close();
    joiner_ = true;
    auto* socket = new QTcpSocket(this);
    adopt(socket, 0);
    connect(socket, &QTcpSocket::connected, this, [this] { emit connected(); });
    connect(socket, &QTcpSocket::errorOccurred, this, [this, socket](QAbstractSocket::SocketError) {
        // A link that was up reports its end as closed; only a failed connection is a failure.
        if (socket->state() != QAbstractSocket::ConnectedState) emit failed();
    });
    socket->connectToHost(address, port);
}

bool LanLink::connectedToHost() const {
    const auto at = links_.find(0);
    return joiner_ && at != links_.end() && at->second &&
           at->second->state() == QAbstractSocket::ConnectedState;
}

QTcpSocket* LanLink::linkFor(int to) const {
    const auto at = links_.find(joiner_ ? 0 : to);
    return at == links_.end() ? nullptr : at->second.data();
}

void LanLink::send(int to, const QByteArray& bytes) {
    queue_.push_back({to, bytes});
    if (!pause_.isActive()) pump();
}

void LanLink::pump() {
    while (!queue_.empty() && !pause_.isActive()) {
        const Out out = std::move(queue_.front());
        queue_.pop_front();
        QTcpSocket* socket = linkFor(out.to);
        if (!socket || socket->state() != QAbstractSocket::ConnectedState) continue;
        socket->write(out.bytes);
        socket->flush();
        if (out.bytes.startsWith('h') && stepPauseMs_ > 0) pause_.start(stepPauseMs_);
    }
}

void LanLink::closeLinks() {
    queue_.clear();
    pause_.stop();
    for (auto& [number, l] : links_)
        if (l) {
            l->disconnect(this);
            l->abort();
            l->deleteLater();
        }
    links_.clear();
}

void LanLink::close() {
    closeLinks();
    if (server_) {
        server_->close();
        server_->deleteLater();
        server_ = nullptr;
    }
}

int LanLink::openLinks() const {
    int n = 0;
    for (const auto& [number, l] : links_)
        if (l && l->state() == QAbstractSocket::ConnectedState) ++n;
    return n;
}

}  // namespace orvala::net
