// The saves at the program's end: the settings, the definitions and the
// month, each tried again for as long as the user, told which files could
// not be written, asks for it (after freeing the disk, say). Nothing the bar
// holds is given up without that question.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace zanpel {

class AtomicWriter;
class ErrorReporter;
class TDataList;
class TInitParam;

struct TEndSave {
    TInitParam& Settings;
    TDataList& List;
    ErrorReporter& Reporter;
    std::string DefinitionFile; // where the list saves the definitions
    // The question (UTF-8) whether to try again; none: the saves are tried once.
    std::function<bool(const std::string&)> AskAgain;
    // Told "saved settings", "saved definitions", then "saved month" or
    // "month not saved", as the saves end.
    std::function<void(const std::string&)> Trace;
    AtomicWriter* SettingsWriter = nullptr; // none: the standard one
};

// Answers whether everything was written.
bool SaveAtEnd(const TEndSave& end);

// The question at the end, naming the files that could not be written.
std::string UnsavedQuestion(const std::vector<std::string>& files);

} // namespace zanpel
