#pragma once
// One optional picture library opened for loading: a Qt binary resource file whose pictures sit
// at its root under their bare names ("Kr10ModB", "Fon10FiB"). The file is read and mapped while
// this object lives and released when it goes, so a library is open only while pictures load.

#include <QByteArray>
#include <QString>
#include <memory>

#include "table/picture_store.h"

namespace orvala::table {

class ResourceLibrary final : public PictureSource {
  public:
    // The largest library file that is opened at all.
    static constexpr qint64 kMaxLibraryBytes = qint64{256} << 20;
    // Null when the file cannot be read as a resource file (missing, damaged, not one at all).
    static std::unique_ptr<ResourceLibrary> open(const QString& path);
    ~ResourceLibrary() override;
    ResourceLibrary(const ResourceLibrary&) = delete;
    ResourceLibrary& operator=(const ResourceLibrary&) = delete;

    // The picture of that name, decoded by its content (PNG, JPEG); null when the library has none.
    QImage picture(const QString& name) const override;
    bool contains(const QString& name) const;
    // The bytes of a resource of that name as they are (a voice clip); empty when there is none.
    QByteArray data(const QString& name) const;

  private:
    ResourceLibrary(QByteArray bytes, QString root)
        : bytes_(std::move(bytes)), root_(std::move(root)) {}
    QByteArray bytes_;  // mapped while the library is open
    QString root_;
};

}  // namespace orvala::table
