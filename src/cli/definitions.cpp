#include "cli/definitions.h"

#include "app/datafolder.h"

namespace zanpel::cli {

bool LoadDefinitionsReadOnly(const Context& ctx, TAppSwitch& list) {
    const std::string path = ctx.DataDir + "/" + DefinitionFileName;
    std::string cause;
    if (list.LoadFromFile(path, cause))
        return true;
    ctx.Reporter.ReportError(std::string(ReadErrorText) + "\r\n" + path + "\r\n" + cause);
    return false;
}

} // namespace zanpel::cli
