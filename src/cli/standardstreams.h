// The standard streams as zanpelctl writes them: bytes, UTF-8 text with LF
// line ends, the same on every system.
#pragma once

namespace zanpel::cli {

// Called once at the start, before anything is written.
void PrepareStandardStreams();

} // namespace zanpel::cli
