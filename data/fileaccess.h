#pragma once

#include "data/error.h"

#include <QString>

namespace qm {

// The error for a database file at `path` that could not be opened or read for `reason`:
// when its folder cannot be written, it says so and names the file and the folder.
Error unreadableFileError(const QString &path, const QString &reason);

} // namespace qm
