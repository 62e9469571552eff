#include "app/secondcopy.h"

#include "app/handoverclient.h"
#include "app/instancelock.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace zanpel {

StartResult AcquireOrHandOver(InstanceLock& lock, const std::string& socketPath,
                              const std::string& frame, int timeoutMs) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (lock.TryAcquire())
            return StartResult::FirstCopy;
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return StartResult::NoAnswer;
        if (SendHandOver(socketPath, frame, static_cast<int>(left)))
            return StartResult::HandedOver;
        // No copy holds a lock that cannot be made: waiting would not help.
        if (!lock.Error().empty())
            return StartResult::NoLock;
        std::this_thread::sleep_until(
            std::min(deadline, Clock::now() + std::chrono::milliseconds(100)));
    }
}

std::string NoAnswerText(int holderPid) {
    const std::string who = holderPid > 0
                                ? "動作中の zanpel (プロセス " + std::to_string(holderPid) + ")"
                                : "動作中の zanpel";
    return who + " が応答しません。そのプロセスを終了してから起動し直してください。";
}

} // namespace zanpel
