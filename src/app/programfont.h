// The program's font: "ＭＳ Ｐゴシック" when the machine has it, else a
// Japanese Gothic font, at 12 pixels.
#pragma once

class QApplication;

namespace zanpel {

void ApplyProgramFont(QApplication& app);

} // namespace zanpel
