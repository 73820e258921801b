#pragma once
// The small pictures of the options dialog's lists: a language's flag, and the ace of hearts of
// each card-face set (read from the set's library; a set whose library is not there has none).

#include <QIcon>
#include <QSize>
#include <vector>

namespace orvala::table {
class PictureStore;
}

namespace orvala::dialogs {

QIcon flagIcon(const table::PictureStore& pictures, int language);
QSize faceIconSize();
// Sets 0..47, in order.
std::vector<QIcon> faceSetIcons(const table::PictureStore& pictures);

}  // namespace orvala::dialogs
