#include "app/club_records.h"

#include <QDate>
#include <QLocale>
#include <QTime>

#include "app/short_date.h"
#include "core/lang/word_table.h"
#include "core/records/club_member.h"
#include "core/text/cp1251.h"
#include "table/word_text.h"

namespace orvala::app {

ClubStartup ClubRecords::start() {
    ClubStartup out;
    usable_ = true;
    for (const bool network : {false, true}) {
        const std::string file = path(network);
        ClubRead read = readClubFile(file);
        if (read.fault == ClubFault::Missing && writeClubFile(file, newClubFile()))
            read = readClubFile(file);
        const QString shown = QString::fromStdString(file);
        if (!read.ok()) {
            usable_ = false;
            const WordRow row = read.fault == ClubFault::Missing ? WordRow::CantFindTheFile
                                                                 : WordRow::TheIncorrectFile;
            out.fatal << table::word(row) + " \"" + shown + "\"!";
            continue;
        }
        if (!network) {
            out.russian = clubAsksRussian(read.file);
            out.distribution = clubDistributionCode(read.file);
        }
        if (clubFileWriteProtected(file))
            out.warnings << table::word(WordRow::TheFileQuoteOpen) + shown +
                                table::word(WordRow::HasIncorrectAttributes);
    }
    return out;
}

std::optional<ClubFile> ClubRecords::read(bool network) const {
    ClubRead r = readClubFile(path(network));
    if (!r.ok()) return std::nullopt;
    return r.file;
}

QString clubPanelLine(const ClubFile& club, int slot, int topTenMode) {
    const auto m = parseMemberLine(club.memberLine(slot), slot);
    if (!m) return "#";
    const QString name = QString::fromStdString(cp1251ToUtf8(m->name)).leftJustified(20, ' ', true);
    if (topTenMode == 2)
        return QString("%1 %2 %3")
            .arg(name)
            .arg(m->games, 7)
            .arg(QString::fromStdString(ratingText2(m->rating)), 8);
    return QString("%1 %2 %3").arg(name).arg(m->games % kCycleGames, 7).arg(m->cycleScore, 8);
}

HistoryStamp ClubRecords::historyStamp(HistoryKind kind) {
    const HistoryStamp stamp = localHistoryStamp();
    if (historyListener_) historyListener_(stamp, kind);
    return stamp;
}

// The history line's time and date as the user's locale writes them.
HistoryStamp localHistoryStamp() {
    const QLocale locale;   // the default: the system's, unless set otherwise
    QChar separator = ':';  // the first mark between the fields of the locale's short time
    for (const QChar c : locale.timeFormat(QLocale::ShortFormat))
        if (!c.isLetter() && !c.isSpace()) {
            separator = c;
            break;
        }
    const QTime now = QTime::currentTime();
    const QString time = QString("%1%2%3")
                             .arg(now.hour(), 2, 10, QChar('0'))
                             .arg(separator)
                             .arg(now.minute(), 2, 10, QChar('0'));
    const QString date = shortDate(QDate::currentDate(), locale);
    return {time.toStdString(), utf8ToCp1251(date.toStdString())};
}

}  // namespace orvala::app
