// The flags of the country table, "GFlag1-001".."GFlag6-054", drawn like the languages' flags
// from the colour emoji font's flag glyphs, with a grey "?" for each continent's "Unknown"; and
// the two faces of the world lists, "GFaceM" and "GFaceW", from the same font.

#include <QPainter>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "art_painter.h"
#include "core/online/countries.h"
#include "core/online/flag_names.h"
#include "table/art_names.h"

namespace orvala::artgen {
namespace {

// The ISO 3166 letters of each continent's countries, in the table's number order. Serbia and
// Montenegro has no flag of its own any more: it shows Serbia's.
constexpr std::array<std::string_view, online::kContinents> kLetters = {
    // Europe
    "RU AL AD AT BY BE BA BG HR CZ DK EE FO FI FR DE GI GR GG HU IS IE IM IT JE LV LI LT LU MK "
    "MT MD MC NL NO PL PT RO SM RS SK SI ES SE CH UA VA GB",
    // Asia
    "AF AM AZ BH BD BT IO BN KH CN CY TL GE HK IN ID IR IQ IL JP JO KZ KW KG LA LB MO MY MV MN "
    "MM NP KP OM PK PH QA SA SG KR LK SY TW TJ TH TR TM AE UZ VN YE",
    // North America
    "AI AG AW BS BB BZ BM VG CA KY CR CU DM DO SV GL GD GT HT HN JM MQ MX MS NI PA PR KN LC PM "
    "VC TT TC US VI",
    // South America
    "AR BO BR CL CO EC FK GY PY PE GS SR UY VE",
    // Oceania
    "AS AU CK FJ PF GU KI MH FM NR NZ NU NF MP PW PG PN WS SB TO TV VU WF",
    // Africa
    "DZ AO BJ BW BF BI CM CV CF TD KM CG CD DJ EG GQ ER ET GA GM GH GN GW CI KE LS LR LY MG MW "
    "ML MR MU MA MZ NA NE NG RW SH ST SN SC SL SO ZA SD SZ TZ TG TN UG ZM ZW",
};

QImage emojiPicture(const QString& glyph, int w, int h) {
    requireEmojiFont();
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    QFont f(kEmojiFamily);
    f.setPixelSize(w);
    p.setFont(f);
    p.drawText(QRectF(img.rect()), Qt::AlignCenter, glyph);
    return img;
}

QImage flagOf(std::string_view letters) {
    QString glyph;
    for (char c : letters)
        glyph += QString::fromUcs4(std::u32string{U'\U0001F1E6' + (c - 'A')}.c_str(), 1);
    return emojiPicture(glyph, art::kFlagWidth, art::kFlagHeight);
}

QImage unknownFlag() {
    QImage img(art::kFlagWidth, art::kFlagHeight, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(QColor(210, 210, 210));
    p.drawRect(QRectF(1.5, 3.5, art::kFlagWidth - 3, art::kFlagHeight - 7));
    QFont f;
    f.setPixelSize(art::kFlagHeight - 8);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(70, 70, 70));
    p.drawText(QRectF(img.rect()), Qt::AlignCenter, "?");
    return img;
}

}  // namespace

std::vector<Picture> countryPictures() {
    std::vector<Picture> out;
    for (int continent = 1; continent <= online::kContinents; ++continent) {
        const std::string_view all = kLetters[static_cast<std::size_t>(continent - 1)];
        // Two letters and a blank per country, the last without its blank.
        if ((all.size() + 1) / 3 != static_cast<std::size_t>(online::countryCount(continent))) {
            std::fprintf(stderr, "artgen: the flags of continent %d do not match its countries\n",
                         continent);
            std::exit(1);
        }
        const auto name = [continent](int number) {
            return QString::fromStdString(
                online::flagPictureName(online::countryCode(continent, number)));
        };
        out.push_back({name(0), unknownFlag()});
        for (int n = 1; n <= online::countryCount(continent); ++n)
            out.push_back({name(n), flagOf(all.substr(static_cast<std::size_t>(n - 1) * 3, 2))});
    }
    out.push_back({QString::fromStdString(online::facePictureName("M")),
                   emojiPicture(QString::fromUtf8("👨"), 24, 24)});
    out.push_back({QString::fromStdString(online::facePictureName("W")),
                   emojiPicture(QString::fromUtf8("👩"), 24, 24)});
    return out;
}

}  // namespace orvala::artgen
