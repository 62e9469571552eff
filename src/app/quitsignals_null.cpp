#include "app/quitsignals.h"

namespace zanpel {

TQuitSignals::TQuitSignals(std::function<void()> onSignal, QObject* parent)
    : QObject(parent), m_onSignal(std::move(onSignal)) {}
TQuitSignals::~TQuitSignals() = default;

} // namespace zanpel
