#pragma once
// The small modal windows of the game: the message window ("Attention", up to three lines and an
// "Ok" button) and the yes/no confirmations, with their texts from the word table.

#include <QString>

#include "table/button_look.h"

class QWidget;

namespace orvala::app {

// A yes/no question; true for yes.
bool askYesNo(QWidget* parent, const QString& question);

// The message window.
void showMessage(QWidget* parent, const QString& line1, const QString& line2 = {},
                 const QString& line3 = {});

// The look of the dialogs' owner-drawn buttons: "New buttons" (set by the main window from the
// settings) and the dialogs' colour scheme.
void setNewButtonsLook(bool on);
bool newButtonsLook();
table::TColorSB dialogButtonScheme();

// A word-table row in the current language, as a QString.
QString word(int row);

}  // namespace orvala::app
