#include "table/resource_library.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QResource>
#include <atomic>

#include "core/text/resource_file_check.h"

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
    QFile file(path);
    if (!QFileInfo(path).isFile() || file.size() > kMaxLibraryBytes ||
        !file.open(QIODevice::ReadOnly))
        return nullptr;
    // The bytes are read once, checked, and mapped from memory: the resource system trusts
    // what it maps, so a file cut short or damaged is refused before it reads past the end,
    // and the file cannot change between the check and the use.
    QByteArray bytes = file.readAll();
    if (bytes.size() != file.size()) return nullptr;
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    if (!checkResourceFile({data, static_cast<std::size_t>(bytes.size())}).ok) return nullptr;
    const QString root = freshRoot();
    if (!QResource::registerResource(data, root)) return nullptr;
    return std::unique_ptr<ResourceLibrary>(new ResourceLibrary(std::move(bytes), root));
}

ResourceLibrary::~ResourceLibrary() {
    QResource::unregisterResource(reinterpret_cast<const uchar*>(bytes_.constData()), root_);
}

bool ResourceLibrary::contains(const QString& name) const {
    return plainName(name) && QFileInfo(":" + root_ + "/" + name).isFile();
}

QByteArray ResourceLibrary::data(const QString& name) const {
    if (!contains(name)) return {};
    QFile f(":" + root_ + "/" + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
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
