#include "app/endsave.h"

#include "records/errorreporter.h"
#include "settings/initparam.h"
#include "worklist/datalist.h"

namespace zanpel {

std::string UnsavedQuestion(const std::vector<std::string>& files) {
    std::string text = "記録を保存できませんでした。もう一度保存しますか？\r\n"
                       "「いいえ」を選ぶと、保存できなかった記録は失われます。";
    for (const std::string& file : files)
        text += "\r\n" + file;
    return text;
}

bool SaveAtEnd(const TEndSave& end) {
    const auto trace = [&](const std::string& line) {
        if (end.Trace)
            end.Trace(line);
    };
    bool settingsSaved = end.Settings.Save(end.Reporter, end.SettingsWriter);
    trace("saved settings");
    bool definitionsSaved = end.List.SaveDefinitions();
    trace("saved definitions");
    end.List.SaveIfAllowed();
    const auto unsavedFiles = [&] {
        std::vector<std::string> files;
        if (!settingsSaved)
            files.push_back(end.Settings.FileName);
        if (!definitionsSaved)
            files.push_back(end.DefinitionFile);
        for (const std::string& month : end.List.UnsavedMonthFiles())
            files.push_back(month);
        return files;
    };
    // What could not be written is lost with the process: the user may free
    // the disk (or fix the folder) and try again. The month goes last, as
    // it does at the first try.
    for (std::vector<std::string> files = unsavedFiles();
         !files.empty() && end.AskAgain && end.AskAgain(UnsavedQuestion(files));
         files = unsavedFiles()) {
        if (!settingsSaved)
            settingsSaved = end.Settings.Save(end.Reporter, end.SettingsWriter);
        if (!definitionsSaved)
            definitionsSaved = end.List.SaveDefinitions();
        end.List.SaveIfAllowed();
    }
    trace(end.List.HasUnsavedRecords() ? "month not saved" : "saved month");
    return settingsSaved && definitionsSaved && !end.List.HasUnsavedRecords();
}

} // namespace zanpel
