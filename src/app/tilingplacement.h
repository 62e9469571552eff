// Placing the bar through the IPC of a tiling window manager of the i3
// family: such a manager ignores where a window puts itself, so every
// change of the bar's place goes to it as commands instead.
#pragma once

#include "app/localstream.h"
#include "app/rect.h"

#include <QObject>

#include <functional>
#include <optional>
#include <string>

namespace zanpel {

class TTilingPlacement : public QObject {
    Q_OBJECT
public:
    // socketPath: the manager's socket; windowId: the bar's X11 window.
    // lost: called (later, from the event loop) when the socket cannot be
    // reached or closes, so that the bar places itself again.
    TTilingPlacement(const QString& socketPath, uint64_t windowId,
                     std::function<void(const std::string&)> trace, std::function<void()> lost,
                     QObject* parent = nullptr);

    // Asks the manager to put the bar, docked at align, at wanted. Commands
    // go one at a time; while one is on its way only the latest wish waits.
    void Place(const TRect& wanted, int align);
    // The size the manager gave the window: a bar thinner than the manager
    // allows is placed again so that only its wanted part shows.
    void Resized(int thickness);
    // The manager counts the screen's device pixels: the bar's logical
    // rectangles go through this on their way out (none: the same).
    std::function<TRect(const TRect&)> ToDevicePixels;

private:
    void SendNext();
    void ReadReplies();
    void Lost(const std::string& error);

    TLocalStream m_socket;
    uint64_t m_windowId;
    std::function<void(const std::string&)> m_trace;
    std::function<void()> m_lost;
    std::string m_received;
    std::optional<TRect> m_pending; // the latest wish not sent yet
    TRect m_sent;                   // the last one sent
    int m_retries = 0;
    bool m_inFlight = false;
    TRect m_wanted;
    int m_align = 0;
    bool m_placed = false;
    int m_minThickness = 0;
};

} // namespace zanpel
