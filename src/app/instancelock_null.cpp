// Platforms without file locks: every copy runs as if it were the only one.
#include "app/instancelock.h"

namespace zanpel {

bool InstanceLock::TryAcquire() {
    m_handle = 0;
    return true;
}
int InstanceLock::HolderPid() const {
    return 0;
}
void InstanceLock::Release() {
    m_handle = -1;
}
std::string InstanceLock::RuntimeFolder() {
    return ".";
}

} // namespace zanpel
