#include "app/online/world_top_ten.h"

#include "core/online/flag_names.h"
#include "core/online/numbers.h"
#include "core/online/tourney_lobby.h"
#include "core/records/club_member.h"
#include "core/text/cp1251.h"

namespace orvala::app {
namespace {

using dialogs::WorldLine;
using dialogs::WorldPage;

QString text(const std::string& bytes) {
    return QString::fromStdString(cp1251ToUtf8(bytes));
}

QImage pictureOf(const table::PictureSource& pictures, const std::string& name) {
    return name.empty() ? QImage() : pictures.picture(QString::fromStdString(name));
}

// A top list shows its ten places, held or not.
std::optional<std::vector<WorldLine>> tenPlaces(std::optional<std::vector<WorldLine>> lines) {
    if (!lines) return lines;
    for (std::size_t place = lines->size() + 1; place <= 10; ++place) {
        WorldLine l;
        l.place = QString("%1.").arg(place);
        l.empty = true;
        lines->push_back(l);
    }
    return lines;
}

std::vector<WorldLine> clubLines(const ClubFile& club) {
    std::vector<WorldLine> out;
    for (int place = 1; place <= kTopTenPlaces; ++place) {
        const std::string& line = club.topTenLine(place);
        WorldLine l;
        l.place = QString("%1.").arg(place);
        l.nick = text(trimmedName(line.substr(0, 20)));
        l.value = QString::fromStdString(line.size() > 20 ? line.substr(20, 6) : "").trimmed();
        l.empty = l.nick.isEmpty() || l.nick == "#";
        out.push_back(l);
    }
    return out;
}

}  // namespace

std::vector<WorldLine> recordLines(const std::vector<online::RecordRow>& rows,
                                   const table::PictureSource& pictures) {
    std::vector<WorldLine> out;
    for (const online::RecordRow& r : rows) {
        WorldLine l;
        l.place = QString("%1.").arg(r.Place);
        l.empty = r.Nick == "#";
        l.nick = text(r.Nick);
        l.face = pictureOf(pictures, online::facePictureName(r.R07));
        // The Windows table holds a country's code, the others its name.
        if (r.GID == online::kWindowsTable) {
            l.flag = pictureOf(pictures, online::flagPictureName(r.Country));
            l.where = text(r.City);
        } else {
            l.where = text(r.City) + ", " + text(r.Country);
        }
        l.value = QString::number(r.Score);
        out.push_back(l);
    }
    return out;
}

std::vector<WorldLine> ratingLines(const std::vector<online::TopRow>& rows,
                                   const table::PictureSource& pictures) {
    std::vector<WorldLine> out;
    int place = 0;
    for (const online::TopRow& r : rows) {
        WorldLine l;
        l.place = QString("%1.").arg(++place);
        l.empty = r.Nick == "#";
        l.nick = text(r.Nick);
        l.flag = pictureOf(pictures, online::flagPictureName(r.Country));
        l.face = pictureOf(pictures, online::facePictureName(r.Sex));
        l.where = text(r.City);
        l.value = QString::fromStdString(online::ratingText(r.Rating));
        out.push_back(l);
    }
    return out;
}

std::vector<WorldLine> tourneyLines(const std::vector<online::TourneyTopRow>& rows,
                                    const table::PictureSource& pictures) {
    std::vector<WorldLine> out;
    for (const online::TourneyTopRow& r : rows) {
        WorldLine l;
        l.place = QString("%1.").arg(r.Place);
        l.nick = text(r.Nick);
        l.flag = pictureOf(pictures, online::flagPictureName(r.Country));
        l.face = pictureOf(pictures, online::facePictureName(r.Sex));
        l.where = text(r.City);
        l.value = QString::number(r.Value);
        out.push_back(l);
    }
    return out;
}

dialogs::TFormServerRead* openWorldTopTen(QWidget* parent, net::OnlineClient& client,
                                          const table::PictureSource& pictures,
                                          WorldViewer viewer) {
    auto* window = new dialogs::TFormServerRead(true, parent);
    const auto* pics = &pictures;
    QObject::connect(window, &dialogs::TFormServerRead::tableAsked, window,
                     [window, &client, pics, viewer](int gid) {
                         client.post(
                             online::recordListRequest(gid),
                             [window, gid, pics](bool ok, const std::string& reply) {
                                 std::optional<std::vector<WorldLine>> lines;
                                 if (ok)
                                     lines = recordLines(online::readRecordList(reply, gid), *pics);
                                 window->showTable(gid, tenPlaces(lines));
                             },
                             window);
                         client.post(
                             online::recordCountRequest(gid),
                             [window, gid](bool ok, const std::string& reply) {
                                 const auto n = ok ? online::readNumberReply(reply) : std::nullopt;
                                 window->showCount(gid,
                                                   n ? std::optional<long long>(*n) : std::nullopt);
                             },
                             window);
                         const bool own = gid == online::kAccountTable && viewer.account;
                         const std::string nick = own ? viewer.account->Nick : viewer.passportNick;
                         const std::string city = own ? viewer.account->City : viewer.passportCity;
                         client.post(
                             online::recordsNearRequest(gid, nick, city),
                             [window, gid, pics](bool ok, const std::string& reply) {
                                 std::optional<std::vector<WorldLine>> lines;
                                 if (ok)
                                     lines = recordLines(online::readRecordList(reply, gid), *pics);
                                 window->showNear(gid, lines);
                             },
                             window);
                     });
    QObject::connect(
        window, &dialogs::TFormServerRead::pageAsked, window,
        [window, &client, pics, viewer](WorldPage page) {
            const auto club = [&](const std::optional<ClubFile>& file) {
                window->showPage(page, file ? std::optional(clubLines(*file)) : std::nullopt);
            };
            int gid = 0;
            switch (page) {
                case WorldPage::Rating:
                    client.post(
                        online::ratingTopRequest(),
                        [window, page, pics](bool ok, const std::string& reply) {
                            std::optional<std::vector<WorldLine>> lines;
                            if (ok) lines = ratingLines(online::readRatingTop(reply), *pics);
                            window->showPage(page, tenPlaces(lines));
                        },
                        window);
                    return;
                case WorldPage::Local:
                    return club(viewer.local);
                case WorldPage::Net:
                    return club(viewer.network);
                case WorldPage::Tournament:
                    // The tournament's best ten by score, as its lobby shows them.
                    client.post(
                        online::tourneyTopRequest(online::TopKind::Score),
                        [window, page, pics](bool ok, const std::string& reply) {
                            std::optional<std::vector<WorldLine>> lines;
                            if (const auto rows = ok ? online::readTourneyTop(reply) : std::nullopt)
                                lines = tourneyLines(*rows, *pics);
                            window->showPage(page, tenPlaces(lines));
                        },
                        window);
                    return;
                case WorldPage::AccountScore:
                    gid = online::kAccountTable;
                    break;
                case WorldPage::WindowsScore:
                    gid = online::kWindowsTable;
                    break;
                case WorldPage::AndroidScore:
                    gid = online::kMobileTable;
                    break;
            }
            client.post(
                online::recordListRequest(gid),
                [window, page, gid, pics](bool ok, const std::string& reply) {
                    std::optional<std::vector<WorldLine>> lines;
                    if (ok) lines = recordLines(online::readRecordList(reply, gid), *pics);
                    window->showPage(page, tenPlaces(lines));
                },
                window);
        });
    window->chooseTable(online::kWindowsTable);
    window->choosePage(WorldPage::Rating);
    window->open();
    return window;
}

}  // namespace orvala::app
