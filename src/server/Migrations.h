#pragma once

#include "foundation/core/Result.h"

class Storage;

// The schema as numbered steps. Each step runs once, in order, in the same
// transaction that records it, so a failed start leaves the database as it was
// and a second server starting at the same time waits instead of repeating it.
namespace Migrations {

Status apply(Storage& storage);
int latestVersion();

} // namespace Migrations
