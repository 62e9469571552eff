// CP932 texts of the core as QString and back, through the one codec module.
#pragma once

#include "records/textcodec.h"

#include <QString>

namespace zanpel {

inline QString FromCp932(const std::string& text) {
    return QString::fromStdString(Cp932ToUtf8(text));
}
inline std::string ToCp932(const QString& text) { return Utf8ToCp932(text.toStdString()); }

} // namespace zanpel
