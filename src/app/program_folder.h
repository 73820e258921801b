#pragma once
// Where the program keeps its files: the program folder (settings, club and history files,
// recordings) and the folder above it (files shared by the family of games).
//
// The program folder is `--home DIR` when given, else $ORVALA_HOME, else
// $XDG_DATA_HOME/Orvala/Orvala (by default ~/.local/share/Orvala/Orvala). It is created when
// missing.

#include <QString>

namespace orvala::app {

QString resolveProgramFolder(const QString& homeArgument);

}  // namespace orvala::app
