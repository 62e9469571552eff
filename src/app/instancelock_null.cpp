// Platforms without file locks: every copy runs as if it were the only one.
#include "app/instancelock.h"

namespace zanpel {

InstanceLock::InstanceLock(std::string folder, std::string fileName)
    : m_folder(std::move(folder)), m_fileName(std::move(fileName)) {}
InstanceLock::~InstanceLock() {
    Release();
}
std::string InstanceLock::Path() const {
    return m_folder + "/" + m_fileName;
}
bool InstanceLock::TryAcquire() {
    m_handle = 0;
    return true;
}
void InstanceLock::Release() {
    m_handle = -1;
}
std::string InstanceLock::RuntimeFolder() {
    return ".";
}

} // namespace zanpel
