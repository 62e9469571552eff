// The parts of process.h that need no process of their own.
#include "support/process.h"

#include <chrono>
#include <thread>

namespace zanpel::test {

int CountOf(const std::string& text, const std::string& part) {
    int found = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++found;
    return found;
}

bool WaitFor(const std::function<bool()>& predicate, int timeoutMs) {
    for (int waited = 0;; waited += 20) {
        if (predicate())
            return true;
        if (waited >= timeoutMs)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

} // namespace zanpel::test
