#pragma once
// The small modal windows of the game: the message window ("Attention", up to three lines and an
// "Ok" button) and the yes/no confirmations, with their texts from the word table.

#include <QString>

class QWidget;

namespace orvala::app {

// A yes/no question; true for yes.
bool askYesNo(QWidget* parent, const QString& question);

// The message window.
void showMessage(QWidget* parent, const QString& line1, const QString& line2 = {},
                 const QString& line3 = {});

// A word-table row in the current language, as a QString.
QString word(int row);

}  // namespace orvala::app
