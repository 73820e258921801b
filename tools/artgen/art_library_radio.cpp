// The radio library "ZorRadio02.dll": the radio icon and switch, the window's ground, the volume
// scale and a logo for every station of the shipped list (the station's name on a ground of its
// own colour), plus the logo of stations that name none.

#include <QFile>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <set>

#include "art_library.h"
#include "core/radio/radio_pictures.h"
#include "core/radio/station_list.h"
#include "core/text/cp1251.h"

namespace orvala::artgen {
namespace {

namespace ra = orvala::radio_art;

QImage canvas(int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

// A small wooden table radio with a dial; its lamp lit when on.
QImage drawRadio(int size, bool on) {
    QImage img = canvas(size, size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size / 32.0;
    p.scale(s, s);
    p.setPen(QPen(QColor(60, 30, 10), 1));
    QLinearGradient wood(0, 8, 0, 30);
    wood.setColorAt(0, QColor(170, 100, 50));
    wood.setColorAt(1, QColor(110, 60, 25));
    p.setBrush(wood);
    p.drawRoundedRect(QRectF(2, 9, 28, 20), 4, 4);
    p.drawLine(QPointF(10, 9), QPointF(5, 2));  // the aerial
    p.setBrush(QColor(230, 220, 190));
    p.drawRoundedRect(QRectF(5, 12, 14, 9), 2, 2);
    p.setPen(QPen(QColor(90, 70, 40), 0.6));
    for (int i = 0; i < 6; ++i) p.drawLine(QPointF(6.5 + i * 2, 14), QPointF(6.5 + i * 2, 16));
    p.setPen(QPen(QColor(200, 30, 30), 0.8));
    p.drawLine(QPointF(12, 12.5), QPointF(12, 20.5));
    p.setPen(Qt::NoPen);
    p.setBrush(on ? QColor(120, 255, 90) : QColor(70, 80, 70));
    p.drawEllipse(QPointF(25, 15), 2.6, 2.6);
    p.setBrush(QColor(60, 40, 20));
    p.drawEllipse(QPointF(25, 23), 2.2, 2.2);
    p.drawEllipse(QPointF(12, 25), 1.5, 1.5);
    return img;
}

QImage drawGround() {
    QImage img(360, 220, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient g(0, 0, 0, 220);
    g.setColorAt(0, QColor(48, 40, 70));
    g.setColorAt(1, QColor(22, 18, 36));
    p.fillRect(img.rect(), g);
    p.setPen(QColor(255, 255, 255, 18));
    for (int y = 6; y < 220; y += 6) p.drawLine(0, y, 360, y);
    return img;
}

// Eleven bars rising left to right, lit up to the volume.
QImage drawVolume(int tens) {
    QImage img = canvas(ra::kVolumeWidth, ra::kVolumeHeight);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 10; ++i) {
        const qreal h = 4 + i * 2;
        const QColor lit = QColor::fromHsv(120 - i * 12, 220, 240);
        p.setPen(Qt::NoPen);
        p.setBrush(i < tens ? lit : QColor(80, 80, 90));
        p.drawRoundedRect(QRectF(2 + i * 10.6, ra::kVolumeHeight - 2 - h, 8, h), 1.5, 1.5);
    }
    return img;
}

// A station's logo: its name on a ground whose colour follows from the logo's name.
QImage drawLogo(const QString& logo, const QString& title) {
    QImage img = canvas(ra::kLogoWidth, ra::kLogoHeight);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    uint hash = 2166136261u;
    for (QChar c : logo) hash = (hash ^ c.unicode()) * 16777619u;
    const QColor base = QColor::fromHsv(int(hash % 360), 150, 190);
    QLinearGradient g(0, 0, 0, ra::kLogoHeight);
    g.setColorAt(0, base.lighter(130));
    g.setColorAt(1, base.darker(140));
    p.setBrush(g);
    p.setPen(QPen(base.darker(200), 2));
    p.drawRoundedRect(QRectF(1, 1, ra::kLogoWidth - 2, ra::kLogoHeight - 2), 10, 10);
    QFont f("DejaVu Sans");
    f.setBold(true);
    f.setPixelSize(title.size() > 12 ? 13 : 17);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(6, 6, ra::kLogoWidth - 12, ra::kLogoHeight - 12),
               Qt::AlignCenter | Qt::TextWordWrap, title);
    return img;
}

}  // namespace

void addRadio(std::vector<LibraryPicture>& out) {
    out.push_back({ra::kIconOn, [] { return drawRadio(32, true); }});
    out.push_back({ra::kIconOff, [] { return drawRadio(32, false); }});
    out.push_back({ra::kButtonOn, [] { return drawRadio(64, true); }});
    out.push_back({ra::kButtonOff, [] { return drawRadio(64, false); }});
    out.push_back({ra::kGround, [] { return drawGround(); }});
    for (int tens = 0; tens <= 10; ++tens)
        out.push_back({QString::fromStdString(ra::volumePicture(tens * 10)),
                       [tens] { return drawVolume(tens); }});
    out.push_back({QString::fromLatin1(kDefaultStationLogo.data(), kDefaultStationLogo.size()),
                   [] { return drawLogo("RRADIO_LOGO_RADIOUN", "Radio"); }});

    // One logo per name the shipped list uses; the first station that names it gives its text.
    QFile file(ORVALA_SHIPPED_STATIONS);
    if (!file.open(QIODevice::ReadOnly)) return;
    const QByteArray bytes = file.readAll();
    std::set<std::string> seen{std::string(kDefaultStationLogo)};
    for (const Station& s : readStationList({bytes.constData(), size_t(bytes.size())}).stations) {
        if (!seen.insert(s.logo).second) continue;
        const QString title = QString::fromStdString(cp1251ToUtf8(s.name));
        const QString name = QString::fromStdString(s.logo);
        out.push_back({name, [name, title] { return drawLogo(name, title); }});
    }
}

}  // namespace orvala::artgen
