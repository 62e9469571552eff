#include "app/tilingplacement.h"

#include "app/bargeometry.h"
#include "app/i3ipc.h"

#include <QTimer>

namespace zanpel {
namespace {

// A command may come before the manager has taken the new window on: it is
// sent again a little later, for a few seconds.
constexpr int RetryMs = 100;
constexpr int MaxRetries = 50;

} // namespace

TTilingPlacement::TTilingPlacement(const QString& socketPath, uint64_t windowId,
                                   std::function<void(const std::string&)> trace,
                                   std::function<void()> lost, QObject* parent)
    : QObject(parent), m_windowId(windowId), m_trace(std::move(trace)), m_lost(std::move(lost)) {
    connect(&m_socket, &TLocalStream::ReadyRead, this, &TTilingPlacement::ReadReplies);
    connect(&m_socket, &TLocalStream::Closed, this, [this] { Lost(m_socket.Error()); });
    if (!m_socket.ConnectTo(socketPath.toStdString()))
        Lost(m_socket.Error());
}

void TTilingPlacement::Lost(const std::string& error) {
    if (m_trace)
        m_trace("window manager ipc: " + error);
    // Queued: out of the socket's own signal, and out of the constructor,
    // before the bar has taken the object on.
    QTimer::singleShot(0, this, [this] {
        if (m_lost)
            m_lost();
    });
}

void TTilingPlacement::Place(const TRect& wanted, int align) {
    m_wanted = wanted;
    m_align = align;
    m_placed = true;
    m_retries = 0;
    m_pending = TilingRect(wanted, align, m_minThickness);
    SendNext();
}

void TTilingPlacement::Resized(int thickness) {
    // A size from an earlier wish (in an animation) may come late: taking it
    // for the smallest size only makes the window reach further off the
    // screen, never shows more of it.
    if (!m_placed)
        return;
    const int wanted = IsVerticalBar(m_align) ? m_wanted.Width() : m_wanted.Height();
    if (thickness <= wanted || thickness <= m_minThickness)
        return;
    m_minThickness = thickness;
    Place(m_wanted, m_align);
}

void TTilingPlacement::SendNext() {
    if (!m_pending || m_inFlight || !m_socket.IsOpen())
        return;
    const std::string command =
        BarPlacementCommand(m_windowId, ToDevicePixels ? ToDevicePixels(*m_pending) : *m_pending);
    m_sent = *m_pending;
    m_pending.reset();
    m_inFlight = true;
    const std::string message = EncodeI3Message(I3RunCommand, command);
    m_socket.Write(message);
    if (m_trace)
        m_trace("window manager: " + command);
}

void TTilingPlacement::ReadReplies() {
    m_received += m_socket.ReadAll();
    while (std::optional<TI3Message> reply = TakeI3Message(m_received)) {
        m_inFlight = false;
        if (reply->Type != I3RunCommand || !I3CommandsSucceeded(reply->Payload)) {
            if (m_trace)
                m_trace("window manager refused: " + reply->Payload);
            if (!m_pending && m_retries < MaxRetries) {
                ++m_retries;
                QTimer::singleShot(RetryMs, this, [this, rect = m_sent] {
                    if (!m_pending)
                        m_pending = rect;
                    SendNext();
                });
            }
        }
    }
    SendNext();
}

} // namespace zanpel
