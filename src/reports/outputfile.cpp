#include "reports/outputfile.h"

#include "records/atomicfile.h"
#include "records/ownfiles.h"

namespace zanpel {

std::string WriteOutputFile(const std::string& path, std::string_view data,
                            const std::string& dataDir, AtomicWriter& writer,
                            const std::string& heading) {
    if (path.empty())
        return heading + "ファイル名がありません";
    if (const std::string refusal = OwnFileRefusal(path, dataDir); !refusal.empty())
        return heading + refusal;
    const std::string cause = writer.WriteOutput(path, data);
    return cause.empty() ? cause : heading + cause;
}

} // namespace zanpel
