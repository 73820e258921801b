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
    tableClosed_ = false;
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
        // Links keep the numbers they were accepted with: a joiner who left before the game
        // leaves its number unused, as the table's seats are counted by join requests.
        if (tableClosed_ || links_.size() >= 2) {
            held_.emplace_back(socket);
            continue;
        }
        adopt(socket, static_cast<int>(links_.size()));
    }
}

void LanLink::adopt(QTcpSocket* socket, int index) {
    if (links_.size() <= static_cast<std::size_t>(index)) links_.resize(index + 1);
    links_[index] = socket;
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    connect(socket, &QTcpSocket::readyRead, this, [this, socket, index] {
        const QByteArray bytes = socket->readAll();
        if (!bytes.isEmpty()) emit received(joiner_ ? -1 : index, bytes);
    });
    connect(socket, &QTcpSocket::disconnected, this, [this, socket, index] {
        socket->deleteLater();
        emit linkClosed(joiner_ ? -1 : index);
    });
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
    return joiner_ && !links_.empty() && links_[0] &&
           links_[0]->state() == QAbstractSocket::ConnectedState;
}

QTcpSocket* LanLink::linkFor(int to) const {
    const std::size_t index = joiner_ ? 0 : static_cast<std::size_t>(to);
    if (to < (joiner_ ? -1 : 0) || index >= links_.size()) return nullptr;
    return links_[index];
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
    for (auto* list : {&links_, &held_}) {
        for (auto& l : *list)
            if (l) {
                l->disconnect(this);
                l->abort();
                l->deleteLater();
            }
        list->clear();
    }
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
    for (const auto& l : links_)
        if (l && l->state() == QAbstractSocket::ConnectedState) ++n;
    return n;
}

}  // namespace orvala::net
