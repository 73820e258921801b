#include "dialogs/options_icons.h"

#include <QPixmap>
#include <map>
#include <memory>

#include "core/cards/card.h"
#include "core/lang/language.h"
#include "core/settings/settings.h"
#include "table/picture_names.h"
#include "table/picture_store.h"
#include "table/resource_library.h"

namespace orvala::dialogs {

QIcon flagIcon(const table::PictureStore& pictures, int language) {
    const QImage flag = pictures.picture(QString::fromStdString(FlagPictureName(language)));
    return flag.isNull() ? QIcon() : QIcon(QPixmap::fromImage(flag));
}

QSize faceIconSize() {
    return {22, 30};
}

std::vector<QIcon> faceSetIcons(const table::PictureStore& pictures) {
    const Card ace = makeCard(6, 1);
    std::vector<QIcon> icons(kCardFaceSetMax + 1);
    const auto icon = [](const QImage& img) {
        return img.isNull() ? QIcon()
                            : QIcon(QPixmap::fromImage(img.scaled(
                                  faceIconSize(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    };
    icons[0] = icon(pictures.picture(table::faceResourceName(ace, 0, table::PictureKind::Png)));
    // Each library is opened once for all of its sets.
    std::map<QString, std::unique_ptr<table::ResourceLibrary>> open;
    for (int set = 1; set <= kCardFaceSetMax; ++set) {
        const QString file = table::faceLibrary(set);
        auto it = open.find(file);
        if (it == open.end())
            it = open.emplace(file, table::ResourceLibrary::open(pictures.findLibrary(file))).first;
        if (it->second)
            icons[static_cast<size_t>(set)] = icon(
                it->second->picture(table::faceResourceName(ace, set, table::PictureKind::Png)));
    }
    return icons;
}

}  // namespace orvala::dialogs
