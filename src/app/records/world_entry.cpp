#include "app/records/world_entry.h"

#include <QDialog>

#include "app/passport.h"
#include "app/shell.h"
#include "core/online/countries.h"
#include "core/online/flag_names.h"
#include "core/online/operations.h"
#include "core/settings/settings.h"
#include "core/text/cp1251.h"
#include "dialogs/passport_dialog.h"
#include "dialogs/server_write_dialog.h"
#include "net/online_client.h"
#include "table/picture_store.h"

namespace orvala::app {

namespace {

QString fromBytes(const std::string& bytes) {
    return QString::fromStdString(cp1251ToUtf8(bytes));
}

}  // namespace

void offerWorldEntry(Shell& shell, QDialog* endWindow, std::int64_t score) {
    QObject::connect(endWindow, &QDialog::finished, &shell.window(), [&shell, score] {
        const auto question = [&shell, score] {
            const Settings& s = shell.settings();
            dialogs::ServerWriteQuestion q;
            q.nick = fromBytes(s.OnlineNick);
            q.city = fromBytes(s.OnlineCity);
            const auto c = online::countryByCode(s.OnlineLocation);
            q.country = c ? QString::fromUtf8(c->name.data(), static_cast<int>(c->name.size()))
                          : QString::fromStdString(s.OnlineLocation);
            q.flag = shell.pictures().picture(
                QString::fromStdString(online::flagPictureName(s.OnlineLocation)));
            q.score = score;
            q.passport = true;
            return q;
        };
        auto* w = new dialogs::TFormServerWrite(question(), &shell.window());
        // The passport window changes the settings; the entry shows each change.
        QObject::connect(w, &dialogs::TFormServerWrite::passportAsked, w, [&shell, w, question] {
            auto* passport = openPassport(shell, w);
            QObject::connect(passport, &dialogs::TFormServerInfo::changed, w,
                             [w, question] { w->setPassport(question()); });
        });
        QObject::connect(w, &dialogs::TFormServerWrite::sendAsked, w, [&shell, w, score] {
            const Settings& s = shell.settings();
            online::RecordEntry e;
            e.gid = online::kWindowsTable;
            e.nick = s.OnlineNick;
            e.city = s.OnlineCity;
            e.country = s.OnlineLocation;
            e.sex = s.OnlineGender == "W" ? "W" : "M";
            e.score = score;
            shell.online().post(
                online::recordWriteRequest(e),
                [w](bool ok, const std::string& reply) {
                    const auto place = ok ? online::readNumberReply(reply) : std::nullopt;
                    w->showPlace(place && *place >= 1 ? std::optional<long long>(*place)
                                                      : std::nullopt);
                },
                w);
        });
        w->open();
    });
}

}  // namespace orvala::app
