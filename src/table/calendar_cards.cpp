#include "table/calendar_cards.h"

#include <QPainter>

#include "core/calendar/calendar_day.h"
#include "table/art_names.h"
#include "table/fonts.h"
#include "table/resource_library.h"

namespace orvala::table {
namespace {

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

QRectF boxOf(const art::CalendarBox& b) {
    return QRectF(b.x, b.y, b.w, b.h);
}

// A card's painter works in design units: the leaf is 60 x 100 whatever the window's size.
class CardPainter {
  public:
    CardPainter(QImage& image, QSize size) : p_(&image) {
        p_.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform |
                          QPainter::TextAntialiasing);
        p_.scale(size.width() / double(art::kCalendarCard.w),
                 size.height() / double(art::kCalendarCard.h));
    }
    void picture(const QImage& img, const art::CalendarBox& box) { p_.drawImage(boxOf(box), img); }
    // Text centred across the card, its top at y.
    void line(const QString& s, const QFont& font, QColor colour, double y) {
        p_.setFont(font);
        p_.setPen(colour);
        p_.drawText(QRectF(0, y, art::kCalendarCard.w, 30), Qt::AlignHCenter | Qt::AlignTop, s);
    }

  private:
    QPainter p_;
};

QFont cardFont(const QString& fontName, int points, bool bold) {
    QFont f;
    f.setFamilies(fontFamilies(fontName.toStdString()));
    // Points of a 96-dpi screen, in design units.
    f.setPixelSize(std::max(1, points * 4 / 3));
    f.setBold(bold);
    return f;
}

QImage blankCard(QSize size) {
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

}  // namespace

BuiltCalendar BuildCalendar(const QString& libraryPath, const QString& fontName, int daySize,
                            int monthSize, int language, const calendar::CivilDate& today,
                            QSize cardSize) {
    BuiltCalendar out;
    if (libraryPath.isEmpty() || cardSize.isEmpty()) return out;
    const auto day = calendar::calendarDay(today, language);
    if (!day) return out;
    const auto library = ResourceLibrary::open(libraryPath);
    if (!library) return out;
    const QImage base = library->picture(art::kCalendarBase);
    if (base.isNull()) return out;
    const auto libraryPicture = [&](const std::string& name) {
        return library->picture(QString::fromStdString(name));
    };

    // Card 1: the day, the month and the zodiac sign.
    {
        QImage img = blankCard(cardSize);
        CardPainter p(img, cardSize);
        p.picture(base, art::kCalendarCard);
        p.line(QString::number(day->date.day), cardFont(fontName, daySize, true),
               day->date.sunday ? QColor(Qt::red) : QColor(Qt::black), 22);
        const QString month = text(day->date.month);
        p.line(month, cardFont(fontName, month.size() > 8 ? monthSize - 1 : monthSize, false),
               Qt::black, 42);
        p.picture(libraryPicture(day->date.zodiac.picture), art::kCalendarZodiac);
        out.cards.push_back({img, text(day->date.zodiac.hint)});
    }
    // Card 2 and the holidays: a picture on the leaf.
    const auto pictureCard = [&](const calendar::CalendarCard& card) {
        QImage img = blankCard(cardSize);
        CardPainter p(img, cardSize);
        p.picture(base, art::kCalendarCard);
        p.picture(libraryPicture(card.picture), art::kCalendarPicture);
        out.cards.push_back({img, text(card.hint)});
    };
    pictureCard(day->year);
    for (const auto& h : day->holidays) pictureCard(h);
    out.ok = true;
    return out;
}

}  // namespace orvala::table
