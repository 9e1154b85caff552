#include "file/gx_file_lock.h"

namespace gx {

GxMutex& GetFileLock() {
    static GxMutex lock;
    return lock;
}

}  // namespace gx
