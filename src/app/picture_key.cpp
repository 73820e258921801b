#include "app/picture_key.h"

#include <QIcon>
#include <QToolButton>
#include <QVariant>

namespace orvala::app {
namespace {

constexpr const char* kPicture = "keyPicture";

void drawAtSize(QToolButton* key) {
    const auto picture = key->property(kPicture).value<QPixmap>();
    const QSize size = key->size();
    key->setIconSize(size);
    if (picture.isNull() || size.isEmpty()) {
        key->setIcon(QIcon(picture));
        return;
    }
    key->setIcon(QIcon(picture.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

}  // namespace

void setKeyPicture(QToolButton* key, const QPixmap& picture) {
    if (!key) return;
    key->setProperty(kPicture, QVariant::fromValue(picture));
    drawAtSize(key);
}

void placeKey(QToolButton* key, const QRect& r) {
    if (!key) return;
    const bool resized = key->size() != r.size();
    key->setGeometry(r);
    if (resized || key->iconSize() != r.size()) drawAtSize(key);
}

}  // namespace orvala::app
