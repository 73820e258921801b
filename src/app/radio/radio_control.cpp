#include "app/radio/radio_control.h"

#include <QDir>
#include <QFileInfo>

#include "core/text/atomic_file.h"
#include "net/page_fetch.h"
#include "table/library_folders.h"
#include "table/resource_library.h"

namespace orvala::app {
namespace {

std::string path8(const QString& p) {
    return p.toStdString();
}

}  // namespace

RadioControl::RadioControl(QString programFolder, StreamMaker makeStream, QObject* parent)
    : QObject(parent),
      programFolder_(std::move(programFolder)),
      makeStream_(std::move(makeStream)) {}

RadioControl::~RadioControl() {
    shutDown();
}

QString RadioControl::sharedFolder() const {
    return QFileInfo(QDir::cleanPath(programFolder_)).dir().path();
}

void RadioControl::InitRadio(bool listFromServer, const QUrl& service) {
    const QString shared = sharedFolder();
    state_ = readRadioIni(path8(QDir(shared).filePath(QString::fromLatin1(kRadioIniName.data()))));
    libraryPath_.clear();
    const QStringList folders = table::libraryFolders(programFolder_);
    for (const QString& folder : folders) {
        const QString path = QDir(folder).filePath(QString::fromLatin1(kRadioLibraryName.data()));
        if (QFileInfo(path).isFile() && table::ResourceLibrary::open(path)) {
            libraryPath_ = path;
            break;
        }
    }
    if (!listFromServer) {
        for (const QString& folder : folders) {
            std::string bytes;
            const QString path =
                QDir(folder).filePath(QString::fromLatin1(kRadioDiskListName.data()));
            if (readFileBytes(path8(path), bytes, kStationListMaxBytes)) {
                stations_ = readStationList(bytes).stations;
                break;
            }
        }
        finishInit(!stations_.empty());
        return;
    }
    fetch_ = new net::PageFetch(net::serviceFile(service, "/radio/ZorRadio.ser"),
                                qint64(kStationListMaxBytes), this);
    connect(fetch_, &net::PageFetch::finished, this, [this, shared](bool ok, const QByteArray& b) {
        fetch_->deleteLater();
        const std::string bytes(b.constData(), size_t(b.size()));
        if (ok) stations_ = readStationList(bytes).stations;
        // Only a list that reads replaces the copy on the disk.
        if (!stations_.empty())
            writeFileAtomically(
                path8(QDir(shared).filePath(QString::fromLatin1(kRadioServerListName.data()))),
                bytes);
        finishInit(!stations_.empty());
    });
}

void RadioControl::finishInit(bool listFound) {
    available_ = listFound && !libraryPath_.isEmpty();
    if (!available_) state_.RadioOn = false;
    initialised_ = true;
    emit ready(available_);
    emit changed();
}

void RadioControl::playChosen() {
    if (!stream_) stream_ = makeStream_();
    if (!stream_) return;
    stream_->stop();
    if (!stream_->create(QString::fromStdString(state_.StationUrl))) return;
    stream_->setVolume(state_.RadioVolume);
    stream_->play();
}

void RadioControl::ToggleRadio() {
    if (!available_) return;
    state_.RadioOn = !state_.RadioOn;
    if (state_.RadioOn)
        playChosen();
    else if (stream_)
        stream_->stop();
    emit changed();
}

bool RadioControl::startIfOn() {
    if (!available_ || !state_.RadioOn) return false;
    playChosen();
    return true;
}

void RadioControl::chooseCountry(int item) {
    if (item < 0 || item >= int(radioCountryCodes().size())) return;
    state_.CountryFilter = item;
    emit changed();
}

void RadioControl::chooseStation(const std::string& id) {
    const auto s = findStation(stations_, id);
    if (!s) return;
    state_.StationName = s->name;
    state_.StationCountry = s->country;
    state_.StationUrl = s->url;
    state_.StationLogo = s->logo;
    if (stream_) stream_->stop();
    if (state_.RadioOn) playChosen();
    emit changed();
}

void RadioControl::changeVolume(int direction) {
    state_.RadioVolume = steppedRadioVolume(state_.RadioVolume, direction);
    if (stream_) stream_->setVolume(state_.RadioVolume);
    emit changed();
}

bool RadioControl::saveState() const {
    return writeRadioIni(
        path8(QDir(sharedFolder()).filePath(QString::fromLatin1(kRadioIniName.data()))), state_);
}

void RadioControl::shutDown() {
    if (fetch_) fetch_->deleteLater();
    if (stream_) stream_->stop();
    stream_.reset();
}

}  // namespace orvala::app
