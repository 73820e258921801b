#include "app/menu_keys.h"

#include <QDesktopServices>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>
#include <cmath>

#include "app/picture_key.h"
#include "table/word_text.h"

namespace orvala::app {
namespace {

constexpr int kSide = 64;  // the pictures are drawn this large and shown at the key's size
constexpr int kColours = 7;

QPixmap blank() {
    QPixmap p(kSide, kSide);
    p.fill(Qt::transparent);
    return p;
}

// Seven segments of a wheel, one per colour of the title, the present one drawn out.
QPixmap colourWheel(int present) {
    QPixmap pic = blank();
    QPainter p(&pic);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF outer(6, 6, kSide - 12, kSide - 12);
    for (int k = 0; k < kColours; ++k) {
        const QColor c = QColor::fromHsv(k * 360 / kColours, 200, 235);
        const double start = 90 - k * 360.0 / kColours;
        QPainterPath slice;
        slice.moveTo(outer.center());
        const QRectF r = k + 1 == present ? outer.adjusted(-4, -4, 4, 4) : outer;
        slice.arcTo(r, start, -360.0 / kColours);
        slice.closeSubpath();
        p.setPen(QPen(QColor(30, 30, 30), 1.5));
        p.setBrush(c);
        p.drawPath(slice);
    }
    p.setBrush(QColor(250, 245, 230));
    p.drawEllipse(outer.center(), 8, 8);
    return pic;
}

// The club's page: a globe.
QPixmap globe() {
    QPixmap pic = blank();
    QPainter p(&pic);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(6, 6, kSide - 12, kSide - 12);
    p.setBrush(QColor(60, 130, 200));
    p.setPen(QPen(QColor(20, 40, 80), 3));
    p.drawEllipse(r);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(230, 240, 250), 2.5));
    p.drawEllipse(r.adjusted(r.width() / 4, 0, -r.width() / 4, 0));
    p.drawLine(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.bottom()));
    p.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()));
    p.drawLine(QPointF(r.left() + 6, r.top() + r.height() / 4),
               QPointF(r.right() - 6, r.top() + r.height() / 4));
    p.drawLine(QPointF(r.left() + 6, r.bottom() - r.height() / 4),
               QPointF(r.right() - 6, r.bottom() - r.height() / 4));
    return pic;
}

// The page about Zors: a gold coin with a "Z".
QPixmap coin() {
    QPixmap pic = blank();
    QPainter p(&pic);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(6, 6, kSide - 12, kSide - 12);
    QRadialGradient g(r.center() - QPointF(8, 8), r.width() * 0.7);
    g.setColorAt(0, QColor(255, 236, 140));
    g.setColorAt(1, QColor(200, 150, 30));
    p.setBrush(g);
    p.setPen(QPen(QColor(120, 80, 10), 3));
    p.drawEllipse(r);
    p.setPen(QPen(QColor(120, 80, 10), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const double a = 20, b = kSide - 20;
    p.drawPolyline(QPolygonF({{a, a}, {b, a}, {a, b}, {b, b}}));
    return pic;
}

QToolButton* key(QWidget* window, const char* name, const QPixmap& picture) {
    auto* b = new QToolButton(window);
    b->setObjectName(name);
    b->setAutoRaise(true);
    b->setCursor(Qt::PointingHandCursor);
    setKeyPicture(b, picture);
    b->hide();
    return b;
}

}  // namespace

MenuKeys::MenuKeys(QWidget* window, Settings& settings, std::function<void()> titleChanged)
    : settings_(settings),
      titleChanged_(std::move(titleChanged)),
      open_([](const QUrl& url) { QDesktopServices::openUrl(url); }) {
    TitleColour = key(window, "TitleColour", colourWheel(settings.TitleColour));
    LinkSite = key(window, "LinkSite", globe());
    LinkZors = key(window, "LinkZors", coin());
    QObject::connect(TitleColour, &QToolButton::clicked, TitleColour, [this] {
        settings_.TitleColour = settings_.TitleColour % kColours + 1;
        setKeyPicture(TitleColour, colourWheel(settings_.TitleColour));
        if (titleChanged_) titleChanged_();
    });
    QObject::connect(LinkSite, &QToolButton::clicked, LinkSite, [this] { open_(siteUrl()); });
    QObject::connect(LinkZors, &QToolButton::clicked, LinkZors, [this] { open_(zorsUrl()); });
    applyLanguage();
}

QUrl MenuKeys::siteUrl() const {
    return QUrl(QString::fromStdString((root_ ? root_() : std::string()) + "/index.html"));
}

QUrl MenuKeys::zorsUrl() const {
    return QUrl(QString::fromStdString((root_ ? root_() : std::string()) + "/zors.html"));
}

void MenuKeys::applyLanguage() {
    TitleColour->setToolTip(table::word(WordRow::TitleColourHint));
    LinkSite->setToolTip(table::word(WordRow::ClubWebPage));
    LinkZors->setToolTip(table::word(WordRow::ZorsWebPage));
}

// Along the top left corner, as the account's and the tournament's keys stand at the top right.
void MenuKeys::layout(const table::Scales& scales) {
    double x = 4;
    for (QToolButton* b : {TitleColour, LinkSite, LinkZors}) {
        const auto r = table::mapRect(scales, x, 4, 30, 30);
        placeKey(b, QRect(r.left, r.top, r.width, r.height));
        x += 34;
    }
}

void MenuKeys::show() {
    for (QToolButton* b : {TitleColour, LinkSite, LinkZors}) b->show();
}

void MenuKeys::hide() {
    for (QToolButton* b : {TitleColour, LinkSite, LinkZors}) b->hide();
}

}  // namespace orvala::app
