// The one lock around starting programs that inherit handles.
#include "base/inherit_lock.h"

namespace kelpo {

std::mutex& InheritLock() {
    static std::mutex lock;
    return lock;
}

}  // namespace kelpo
