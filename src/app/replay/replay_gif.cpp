#include "app/replay/replay_gif.h"

#include <QFile>

#include "app/open_hands.h"
#include "app/table_presenter.h"
#include "core/game/table_picture.h"
#include "gif/gif_writer.h"

namespace orvala::app {

QString writeReplayGif(const std::vector<RulesState>& deal, const Settings& settings,
                       table::PictureStore& pictures, int stepMs, const QString& path) {
    if (deal.empty()) return "no deal";
    Settings chosen = settings;
    table::TableView view(pictures);
    // Room for the largest window: the chosen size is drawn whatever this screen holds.
    view.applyWindowSize(chosen, QSize(10000, 10000));
    OpenHandsToggle open;
    open.hold(true);
    TablePresenter presenter(view, open);
    std::vector<GifFrame> frames;
    for (const RulesState& s : deal) {
        for (const TableEvent& e : tablePicture(s)) {
            if (const auto* m = std::get_if<ev::MoveCard>(&e)) {
                if (m->to.kind != Place::Kind::Hand) presenter.putCard(m->to, m->card);
            } else {
                presenter.show(e);
            }
        }
        const QImage picture = view.canvas().convertToFormat(QImage::Format_ARGB32);
        GifFrame f{picture.width(), picture.height(), {}, stepMs};
        f.pixels.reserve(static_cast<std::size_t>(f.width) * static_cast<std::size_t>(f.height));
        for (int y = 0; y < f.height; ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
            f.pixels.insert(f.pixels.end(), line, line + f.width);
        }
        frames.push_back(std::move(f));
    }
    frames.back().delayMs = 5000;  // the deal's end stays, as in a recording
    const GifWriteResult r = writeAnimatedGif(QFile::encodeName(path).toStdString(), frames);
    return r.ok ? QString() : QString::fromStdString(r.error);
}

}  // namespace orvala::app
