// CP932 texts of the core as QString and back, through the one codec module.
#pragma once

#include "records/textcodec.h"

#include <QString>

namespace zanpel {

inline QString FromCp932(const std::string& text) {
    return QString::fromStdString(Cp932ToUtf8(text));
}
inline std::string ToCp932(const QString& text) {
    return Utf8ToCp932(text.toStdString());
}

// Multi-line texts: CR LF in the core, LF in the widgets.
inline QString FromCp932Lines(const std::string& text) {
    return FromCp932(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}
inline std::string ToCp932Lines(QString text) {
    return ToCp932(text.replace(QStringLiteral("\n"), QStringLiteral("\r\n")));
}

} // namespace zanpel
