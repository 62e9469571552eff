#include "app/datafolder.h"

namespace zanpel {

std::string ResolveDataFolder(const DataFolderInputs& in,
                              const std::function<bool(const std::string&)>& isPortable) {
    if (!in.DataDirVariable.empty())
        return in.DataDirVariable;
    if (!in.ProgramFolder.empty() && isPortable(in.ProgramFolder))
        return in.ProgramFolder;
    if (!in.XdgDataHome.empty())
        return in.XdgDataHome + "/zanpel";
    return in.Home + "/.local/share/zanpel";
}

std::string ResolveStateFolder(const std::string& xdgStateHome, const std::string& home) {
    if (!xdgStateHome.empty() && xdgStateHome.front() == '/')
        return xdgStateHome + "/zanpel";
    if (!home.empty() && home.front() == '/')
        return home + "/.local/state/zanpel";
    return {};
}

} // namespace zanpel
