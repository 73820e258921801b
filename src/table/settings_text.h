#pragma once
// Names from the settings and the seats (the person's name, club members, seat names) are kept
// as Windows-1251 bytes, as the files carry them; they become text here, where the table or the
// window shows them.

#include <QString>
#include <string>

namespace orvala::table {

QString fromSettingsText(const std::string& cp1251);
// The other way, for a name the user picked; characters Windows-1251 lacks become "?".
std::string toSettingsText(const QString& text);

}  // namespace orvala::table
