// Keeping a file that could not be read before it is saved over, so that the
// records or definitions that could not be read are never lost.
#pragma once

#include "records/clock.h"

#include <string>

namespace zanpel {

class AtomicWriter;

// A free name beside path: "<path>.broken-YYYYMMDD-hhmmss", with "-2", "-3"...
// added when that exists already.
std::string BrokenCopyPath(const std::string& path, const Clock& clock);

// Copies the file at from to to (atomically). A missing original is no error.
// Returns the cause on failure, else an empty text.
std::string KeepCopy(const std::string& from, const std::string& to, AtomicWriter& writer);

// The sentence added to a load error that names the copy.
std::string KeptCopyNote(const std::string& copyPath);

} // namespace zanpel
