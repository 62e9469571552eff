// The start of a copy of the bar while another may run: take the
// single-instance lock, or hand the start over to the copy that holds it.
#pragma once

#include <string>

namespace zanpel {

class InstanceLock;

enum class StartResult {
    FirstCopy,  // the lock is ours: this copy runs the bar
    HandedOver, // the running copy took the hand-over: this copy ends
    NoAnswer,   // a copy holds the lock but did not answer in time
    NoLock,     // the lock file cannot be made and no copy answers (the lock's Error())
};

// Tries for up to timeoutMs in all: a copy that holds the lock without
// answering (the command-line tool writing a month for a moment, a bar just
// starting) gets that long; one that is stopped or hung is given up on.
StartResult AcquireOrHandOver(InstanceLock& lock, const std::string& socketPath,
                              const std::string& frame, int timeoutMs);

// What a copy that got no answer says (UTF-8): the running copy's process
// when it is known.
std::string NoAnswerText(int holderPid);

} // namespace zanpel
