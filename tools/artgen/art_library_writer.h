#pragma once
// Writes the pictures of one picture library and its resource list (see art_library_writer.cpp).

#include <QString>

namespace orvala::artgen {

// 0 on success; 2 for an unknown library file name, 1 when a file cannot be written.
int writeLibrary(const QString& file, const QString& outDir);

}  // namespace orvala::artgen
