#include "app/recording/gif_recorder.h"

#include <QDir>
#include <QPainter>
#include <QScreen>
#include <QThread>
#include <QWidget>

#include "app/recording/gif_deal.h"
#include "table/fonts.h"
#include "table/picture_store.h"
#include "table/smooth_resize.h"
#include "table/table_view.h"
#include "table/word_text.h"

namespace orvala::app {
namespace {

// The smallest rectangle holding every pixel that differs between two pictures of one size.
QRect changedRect(const QImage& a, const QImage& b) {
    int left = a.width(), right = -1, top = a.height(), bottom = -1;
    for (int y = 0; y < a.height(); ++y) {
        const auto* pa = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* pb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        int first = -1, lastX = -1;
        for (int x = 0; x < a.width(); ++x) {
            if (pa[x] == pb[x]) continue;
            if (first < 0) first = x;
            lastX = x;
        }
        if (first < 0) continue;
        left = std::min(left, first);
        right = std::max(right, lastX);
        top = std::min(top, y);
        bottom = y;
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

}  // namespace

GifRecorder::GifRecorder(QWidget& window, const Settings& settings,
                         const table::PictureSource& pictures, QString folder, QObject* parent)
    : QObject(parent),
      window_(window),
      settings_(settings),
      pictures_(pictures),
      folder_(std::move(folder)),
      clock_([] { return QDateTime::currentDateTime(); }) {
    connect(&timer_, &QTimer::timeout, this, &GifRecorder::capture);
}

GifRecorder::~GifRecorder() {
    // A save under way finishes: the file of the last deal is not lost when the window closes.
    for (QThread* t : findChildren<QThread*>()) t->wait();
}

QImage GifRecorder::sample() const {
    if (settings_.GifCaptureMode == 2 && window_.screen()) {
        // The screen's rectangle of the whole window, with whatever lies over it.
        const QRect r = window_.frameGeometry();
        return window_.screen()
            ->grabWindow(0, r.x(), r.y(), r.width(), r.height())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }
    return window_.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

void GifRecorder::start() {
    frames_.clear();
    last_ = QImage();
    timer_.stop();
    if (!settings_.SaveGamesAsGif) return;
    timer_.start(100);
    capture();
}

void GifRecorder::capture() {
    if (!settings_.SaveGamesAsGif || !recording() || frameCount() >= kMostFrames) return;
    QImage picture = sample();
    if (picture.isNull()) return;
    QRect changed = picture.rect();
    if (!last_.isNull()) {
        if (last_.size() != picture.size()) return;  // the window changed size: keep the deal
        changed = changedRect(last_, picture);
        if (changed.isNull()) return;  // nothing moved
    }
    // The rectangle that changed, its unchanged pixels clear: all the encoder needs.
    QImage patch = picture.copy(changed).convertToFormat(QImage::Format_ARGB32);
    if (!last_.isNull()) {
        for (int y = 0; y < patch.height(); ++y) {
            auto* out = reinterpret_cast<QRgb*>(patch.scanLine(y));
            const auto* before =
                reinterpret_cast<const QRgb*>(last_.constScanLine(changed.top() + y)) +
                changed.left();
            for (int x = 0; x < patch.width(); ++x)
                if ((out[x] | 0xFF000000u) == (before[x] | 0xFF000000u)) out[x] = 0;
        }
    }
    frames_.push_back(Frame{changed, std::move(patch)});
    last_ = std::move(picture);
}

void GifRecorder::discard() {
    timer_.stop();
    frames_.clear();
    last_ = QImage();
}

QImage GifRecorder::makeNotice() const {
    // A 175 x 40 plate with "Creating a GIF..." in red, over the table it covers.
    QImage plate(175, 40, QImage::Format_ARGB32_Premultiplied);
    plate.fill(Qt::transparent);
    QPainter p(&plate);
    QImage bar = pictures_.picture("AdvBar3").convertToFormat(QImage::Format_ARGB32);
    if (!bar.isNull()) {
        table::SmoothResize(bar, 175, 40);
        p.drawImage(0, 0, bar);
    }
    p.setFont(table::slotFont(settings_, table::FontHeight(settings_, 20, "serif"), "decor"));
    p.setPen(QColor(255, 0, 0));
    table::CentreText(p, table::word(WordRow::CreatingAGif), 0, 175, 10);
    return plate;
}

void GifRecorder::save() {
    timer_.stop();
    if (!settings_.SaveGamesAsGif || frames_.empty()) {
        discard();
        return;
    }
    const QSize size = last_.size();
    const QString dir = QDir(folder_).filePath("GIFGame");
    const QString path = QDir(dir).filePath(clock_().toString("yyyy.MM.dd-hh.mm.ss") + ".gif");
    // The notice is painted before the work starts, and stays until the file is there.
    notice_ = makeNotice();
    noticeAt_ = QPoint(static_cast<int>(std::lround(window_.width() / 2.0 - 87.5)),
                       window_.height() / 2 - 20);
    ++saving_;
    emit noticeChanged();

    DealPictures deal;
    deal.width = size.width();
    deal.height = size.height();
    deal.delayMs = settings_.GifFrameDelay;
    deal.lastDelayMs = kLastFrameMs;
    for (auto& f : frames_) deal.patches.push_back({f.rect, std::move(f.patch)});
    frames_.clear();
    last_ = QImage();

    auto* thread = QThread::create([this, deal = std::move(deal), dir, path]() mutable {
        QString error;
        if (!QDir().mkpath(dir))
            error = "cannot make the folder " + dir;
        else
            error = writeDealGif(deal, path);
        QMetaObject::invokeMethod(
            this,
            [this, error, path] {
                if (--saving_ == 0) notice_ = QImage();
                emit noticeChanged();
                if (error.isEmpty())
                    emit saved(path);
                else
                    emit failed(error);
            },
            Qt::QueuedConnection);
    });
    thread->setParent(this);
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start();
}

}  // namespace orvala::app
