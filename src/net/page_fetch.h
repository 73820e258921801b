#pragma once
// One small page fetched from the service into memory (the radio's station list, the music
// player's playlist). The answer counts only when it came whole with status 200 and within
// `maxBytes`; a larger one is cut off as it arrives. Nothing waits: the answer comes by a signal.

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QUrl>

class QNetworkReply;

namespace orvala::net {

class PageFetch final : public QObject {
    Q_OBJECT
  public:
    static constexpr int kTimeoutMs = 20'000;

    // Starts at once; `finished` follows exactly once, after which the object may be deleted.
    PageFetch(const QUrl& url, qint64 maxBytes, QObject* parent = nullptr);
    ~PageFetch() override;

  signals:
    // `bytes` is empty unless `ok`.
    void finished(bool ok, const QByteArray& bytes);

  private:
    void onReadyRead();
    void onFinished();

    QNetworkAccessManager network_;
    QPointer<QNetworkReply> reply_;
    QByteArray bytes_;
    qint64 maxBytes_;
    bool tooLarge_ = false;
};

// The service's address of one of its files: base + path ("/radio/ZorRadio.ser").
QUrl serviceFile(const QUrl& service, const QString& path);

}  // namespace orvala::net
