#include "app/passport.h"

#include "app/shell.h"
#include "core/settings/settings.h"
#include "dialogs/passport_dialog.h"

namespace orvala::app {

dialogs::TFormServerInfo* openPassport(Shell& shell, QWidget* over) {
    shell.playSound(Wave::WOpenFo, false);
    // A settings file too short to hold a passport leaves it empty: the defaults stand in for it.
    const auto orDefault = [](const std::string& value, std::string_view fallback) {
        return value.empty() ? std::string(fallback) : value;
    };
    Settings& s = shell.settings();
    dialogs::Passport passport;
    passport.nick = orDefault(s.OnlineNick, kDefaultOnlineNick);
    passport.city = orDefault(s.OnlineCity, kDefaultOnlineCity);
    passport.location = orDefault(s.OnlineLocation, kDefaultOnlineLocation);
    passport.gender = orDefault(s.OnlineGender, kDefaultOnlineGender);
    // What the window shows is the passport from now on, as when it is chosen.
    s.OnlineNick = passport.nick;
    s.OnlineCity = passport.city;
    s.OnlineLocation = passport.location;
    s.OnlineGender = passport.gender;
    auto* d = new dialogs::TFormServerInfo(passport, over ? over : &shell.window());
    QObject::connect(d, &dialogs::TFormServerInfo::changed, d, [&s](const dialogs::Passport& p) {
        s.OnlineNick = p.nick;
        s.OnlineCity = p.city;
        s.OnlineLocation = p.location;
        s.OnlineGender = p.gender;
    });
    d->open();
    return d;
}

}  // namespace orvala::app
