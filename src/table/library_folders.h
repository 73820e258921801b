#pragma once
// Where the game looks for its optional libraries (pictures, voices, the radio's logos and its
// station list), in order: the program folder, the folder above it (shared by the family of
// games, where downloads go), and the folder an installed game keeps them in,
// PREFIX/share/orvala beside PREFIX/bin, when it exists. The first folder holding a file wins,
// so a player's own download overrides what was installed.

#include <QString>
#include <QStringList>

namespace orvala::table {

// PREFIX/share/orvala for the running program, or empty when there is none (a build tree).
QString installedDataFolder();

QStringList libraryFolders(const QString& programFolder);

}  // namespace orvala::table
