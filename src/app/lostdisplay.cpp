#include "app/lostdisplay.h"

#include <QString>
#include <QtGlobal>

namespace zanpel {
namespace {

std::function<void()> g_lastChance;
QtMessageHandler g_previousHandler = nullptr;

void WatchForLostDisplay(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtWarningMsg && text.startsWith(QLatin1String("The X11 connection broke")) &&
        g_lastChance) {
        const auto save = std::move(g_lastChance);
        g_lastChance = nullptr;
        save();
    }
    if (g_previousHandler)
        g_previousHandler(type, context, text);
}

} // namespace

void SaveWhenDisplayIsLost(std::function<void()> save) {
    g_lastChance = std::move(save);
    g_previousHandler = qInstallMessageHandler(WatchForLostDisplay);
}

void ForgetLostDisplaySave() {
    g_lastChance = nullptr;
}

} // namespace zanpel
