#pragma once
// The download of one resource library from the service (GET base + "/files/" + NAME) into a
// folder. The bytes go to a new file beside the old one, which replaces it only when the whole
// file has come: a failed, refused or cut-off download leaves the folder as it was. A file larger
// than any library is refused as it arrives.

#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QSaveFile>
#include <QUrl>
#include <memory>

class QNetworkReply;

namespace orvala::net {

class LibraryDownload final : public QObject {
    Q_OBJECT
  public:
    static constexpr qint64 kMaxBytes = qint64{256} << 20;
    static constexpr int kTimeoutMs = 60'000;

    // Starts at once; `finished` follows exactly once, after which the object may be deleted.
    LibraryDownload(const QUrl& service, const QString& file, const QString& folder,
                    QObject* parent = nullptr);
    ~LibraryDownload() override;

  signals:
    void finished(bool ok);

  private:
    void onReadyRead();
    void onFinished();
    void fail();

    QNetworkAccessManager network_;
    QPointer<QNetworkReply> reply_;
    std::unique_ptr<QSaveFile> out_;
    qint64 received_ = 0;
    bool failed_ = false;
};

}  // namespace orvala::net
