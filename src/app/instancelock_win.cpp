// The lock on Windows: LockFileEx on the lock file, which the system drops
// when the process ends.
#include "app/instancelock.h"
#include "records/widetext.h"

#include <io.h>
#include <windows.h>

#include <cstdlib>

namespace zanpel {

bool InstanceLock::TryAcquire() {
    if (Held())
        return true;
    const HANDLE file =
        ::CreateFileW(WideText(Path()).c_str(), GENERIC_READ | GENERIC_WRITE,
                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        m_error = Path() + ": " + SystemErrorText(::GetLastError());
        return false;
    }
    OVERLAPPED whole{};
    if (!::LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD,
                      MAXDWORD, &whole)) {
        const DWORD code = ::GetLastError();
        m_error =
            code == ERROR_LOCK_VIOLATION ? std::string() : Path() + ": " + SystemErrorText(code);
        ::CloseHandle(file);
        return false;
    }
    m_handle = ::_open_osfhandle(reinterpret_cast<intptr_t>(file), 0);
    if (m_handle < 0) {
        m_error = Path() + ": " + SystemErrorText(::GetLastError());
        ::CloseHandle(file);
        return false;
    }
    m_error.clear();
    return true;
}

// The lock covers the whole file, so no other process may read the holder's
// id from it: Windows does not say who holds it.
int InstanceLock::HolderPid() const {
    return 0;
}

void InstanceLock::Release() {
    if (m_handle < 0)
        return;
    const auto file = reinterpret_cast<HANDLE>(::_get_osfhandle(m_handle));
    OVERLAPPED whole{};
    ::UnlockFileEx(file, 0, MAXDWORD, MAXDWORD, &whole);
    ::_close(m_handle);
    m_handle = -1;
}

std::string InstanceLock::RuntimeFolder() {
    const wchar_t* local = ::_wgetenv(L"LOCALAPPDATA");
    return local != nullptr ? Utf8Text(local) + "\\zanpel" : std::string(".");
}

} // namespace zanpel
