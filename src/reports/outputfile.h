// Files the user names for output from the summary window (the text report,
// the saved chart): written through AtomicWriter::WriteOutput, never over a
// file of the data folder.
#pragma once

#include <string>
#include <string_view>

namespace zanpel {

class AtomicWriter;

// Writes data to the file at path: a regular file is replaced atomically, a
// device, a FIFO or the standard output written in place. A file of the data
// folder dataDir (a month file, the lock, a kept copy...) is refused, by
// whatever name it is reached. Answers the error message to show, heading
// (UTF-8, with its line end) and then the file and the reason; empty on
// success.
std::string WriteOutputFile(const std::string& path, std::string_view data,
                            const std::string& dataDir, AtomicWriter& writer,
                            const std::string& heading);

} // namespace zanpel
