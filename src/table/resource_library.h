#pragma once
// One optional picture library opened for loading: a Qt binary resource file whose pictures sit
// at its root under their bare names ("Kr10ModB", "Fon10FiB"). The file is mapped while this
// object lives and released when it goes, so a library is open only while pictures are loaded.

#include <QString>
#include <memory>

#include "table/picture_store.h"

namespace orvala::table {

class ResourceLibrary final : public PictureSource {
  public:
    // Null when the file cannot be read as a resource file (missing, damaged, not one at all).
    static std::unique_ptr<ResourceLibrary> open(const QString& path);
    ~ResourceLibrary() override;
    ResourceLibrary(const ResourceLibrary&) = delete;
    ResourceLibrary& operator=(const ResourceLibrary&) = delete;

    // The picture of that name, decoded by its content (PNG, JPEG); null when the library has none.
    QImage picture(const QString& name) const override;
    bool contains(const QString& name) const;

  private:
    ResourceLibrary(QString path, QString root) : path_(std::move(path)), root_(std::move(root)) {}
    QString path_, root_;
};

}  // namespace orvala::table
