#include "dialogs/world_list.h"

#include <QPainter>

namespace orvala::dialogs {

WorldList::WorldList(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
}

void WorldList::setLines(std::vector<WorldLine> lines) {
    lines_ = std::move(lines);
    noConnect_ = false;
    update();
}

void WorldList::setNoConnect() {
    lines_.clear();
    noConnect_ = true;
    update();
}

void WorldList::clear() {
    lines_.clear();
    noConnect_ = false;
    update();
}

QStringList WorldList::texts() const {
    if (noConnect_) return {QStringLiteral("No Connect")};
    QStringList out;
    for (const WorldLine& l : lines_) {
        QStringList parts{l.place};
        if (!l.empty)
            for (const QString& s : {l.nick, l.where, l.value})
                if (!s.isEmpty()) parts << s;
        out << parts.join(' ');
    }
    return out;
}

void WorldList::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QFont f = font();
    f.setPixelSize(13);
    p.setFont(f);
    if (noConnect_) {
        p.setPen(QColor(160, 0, 0));
        p.drawText(rect(), Qt::AlignCenter, QStringLiteral("No Connect"));
        return;
    }
    const int h = std::max(16, height() / 10);
    const int w = width();
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const WorldLine& l = lines_[i];
        const int y = static_cast<int>(i) * h;
        p.setPen(i < 3 ? QColor(Qt::red) : QColor(0, 0, 128));
        p.drawText(QRect(0, y, 28, h), Qt::AlignRight | Qt::AlignVCenter, l.place);
        if (l.empty) continue;
        int x = 32;
        const int side = h - 4;
        if (!l.flag.isNull()) {
            p.drawImage(QRect(x, y + 2, side * 4 / 3, side), l.flag);
            x += side * 4 / 3 + 4;
        }
        if (!l.face.isNull()) {
            p.drawImage(QRect(x, y + 2, side, side), l.face);
            x += side + 4;
        }
        const int valueWidth = 70;
        const int rest = w - x - valueWidth;
        p.drawText(QRect(x, y, rest * 2 / 5, h), Qt::AlignLeft | Qt::AlignVCenter,
                   p.fontMetrics().elidedText(l.nick, Qt::ElideRight, rest * 2 / 5));
        p.drawText(QRect(x + rest * 2 / 5, y, rest * 3 / 5, h), Qt::AlignLeft | Qt::AlignVCenter,
                   p.fontMetrics().elidedText(l.where, Qt::ElideRight, rest * 3 / 5 - 4));
        p.drawText(QRect(w - valueWidth, y, valueWidth, h), Qt::AlignRight | Qt::AlignVCenter,
                   l.value);
    }
}

}  // namespace orvala::dialogs
