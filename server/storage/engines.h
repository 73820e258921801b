#pragma once
// The two engines and the schema, seen only by the storage folder.

#include <memory>
#include <string>

#include "storage/storage.h"

namespace orvala::service {

std::unique_ptr<Storage> openSqlite(const std::string& file);
std::unique_ptr<Storage> openPostgres(const std::string& url);

// Brings the schema up to the newest numbered migration, in one transaction; several processes
// starting at once apply each migration once.
void applyMigrations(Storage& storage);
int schemaVersion(Storage& storage);

}  // namespace orvala::service
