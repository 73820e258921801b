#pragma once
// The main window's picture keys (the radio icon, the music player's keys, the news and chat
// indicators, the account's star): a key shows its picture at the key's own size, whatever size
// the picture was drawn at, so that it grows with the window like everything else. (An icon
// never draws a picture larger than the picture is: a 32-pixel icon stays 32 pixels in a key
// of 64.)

#include <QPixmap>
#include <QRect>

class QToolButton;

namespace orvala::app {

// Gives the key its picture, drawn at the key's present size.
void setKeyPicture(QToolButton* key, const QPixmap& picture);
// Moves the key to `r` and draws its picture again at the new size.
void placeKey(QToolButton* key, const QRect& r);

}  // namespace orvala::app
