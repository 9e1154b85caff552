#pragma once

#include "base/gx_mutex.h"

namespace gx {

// The file lock: guards the archive list and the name-level file functions.
// When the file cache's lock is also needed, this one is taken first.
GxMutex& GetFileLock();

}  // namespace gx
