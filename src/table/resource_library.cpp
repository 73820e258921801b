#include "table/resource_library.h"

#include <QFileInfo>
#include <QImageReader>
#include <QResource>
#include <atomic>

namespace orvala::table {
namespace {

// Each opened library gets a mount point of its own, so that two libraries open at once (faces
// and then backs from another file) never see each other's pictures.
QString freshRoot() {
    static std::atomic<int> counter{0};
    return QString("/orvala-library-%1").arg(++counter);
}

bool plainName(const QString& name) {
    if (name.isEmpty() || name.size() > 64) return false;
    for (QChar ch : name)
        if (!(ch.isLetterOrNumber() && ch.unicode() < 128) && ch != '_') return false;
    return true;
}

}  // namespace

std::unique_ptr<ResourceLibrary> ResourceLibrary::open(const QString& path) {
    if (!QFileInfo(path).isFile()) return nullptr;
    const QString root = freshRoot();
    // The resource system checks the file's header and tree before it maps anything; a file
    // that is not a resource file is refused here.
    if (!QResource::registerResource(path, root)) return nullptr;
    return std::unique_ptr<ResourceLibrary>(new ResourceLibrary(path, root));
}

ResourceLibrary::~ResourceLibrary() {
    QResource::unregisterResource(path_, root_);
}

bool ResourceLibrary::contains(const QString& name) const {
    return plainName(name) && QFileInfo(":" + root_ + "/" + name).isFile();
}

QImage ResourceLibrary::picture(const QString& name) const {
    if (!contains(name)) return {};
    QImageReader reader(":" + root_ + "/" + name);
    reader.setDecideFormatFromContent(true);
    // A picture many times larger than any the game uses is refused rather than decoded.
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > 8000 || size.height() > 4000)) return {};
    return reader.read();
}

}  // namespace orvala::table
