// Reading and writing the work definitions on behalf of the work list.
#include "records/atomicfile.h"
#include "records/brokencopy.h"
#include "worklist/datalist.h"

namespace zanpel {

bool TDataList::LoadDefinitions(const std::string& path) {
    m_definitionFile = path;
    m_brokenDefinitionCopy.clear();
    std::string cause;
    if (AppSwitch().LoadFromFile(path, cause))
        return true;
    m_brokenDefinitionCopy = zanpel::BrokenCopyPath(path, GetClock());
    std::string message = std::string(ReadErrorText) + "\r\n" + path + "\r\n" + cause;
    // What is no file (a FIFO, a device, a folder) cannot be copied, and no
    // save goes over it while it is there: no copy is promised.
    if (!IsOtherThanRegularFile(path))
        message += "\r\n" + KeptCopyNote(m_brokenDefinitionCopy);
    Reporter().ReportError(message);
    return false;
}

bool TDataList::SaveDefinitions() {
    if (m_definitionFile.empty())
        return false;
    std::string cause;
    if (!m_brokenDefinitionCopy.empty()) {
        cause = KeepCopy(m_definitionFile, m_brokenDefinitionCopy, Writer());
        if (cause.empty())
            m_brokenDefinitionCopy.clear();
    }
    if (cause.empty() && AppSwitch().SaveToFile(m_definitionFile, Writer(), cause))
        return true;
    Reporter().ReportError(std::string(WriteErrorText) + "\r\n" + cause);
    return false;
}

} // namespace zanpel
