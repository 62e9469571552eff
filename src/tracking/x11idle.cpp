// How long the X server has seen no input, without asking while the user
// works: a single-shot timer runs to the earliest moment at which the
// watched time could have passed (the watched time less the idle time of the
// last look) and looks again then, so a user at work costs one look per
// watched time at most. Once a spell has lasted the watched time, an alarm
// on the SYNC extension's IDLETIME counter, set off when the counter falls
// below 1 ms, tells the first input: nothing is asked while the user is away.
#include "tracking/x11idle.h"

#include <QSocketNotifier>
#include <QTimer>

#include <xcb/screensaver.h>
#include <xcb/sync.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <optional>
#include <string_view>

namespace zanpel {
namespace {

using std::chrono::milliseconds;

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeReply>;

constexpr uint32_t AlarmMask = XCB_SYNC_CA_COUNTER | XCB_SYNC_CA_VALUE_TYPE | XCB_SYNC_CA_VALUE |
                               XCB_SYNC_CA_TEST_TYPE | XCB_SYNC_CA_DELTA | XCB_SYNC_CA_EVENTS;
constexpr uint8_t AlarmDestroyed = 2;

class TX11Idle final : public IdleSource {
public:
    TX11Idle(xcb_connection_t* c, xcb_window_t root, xcb_sync_counter_t idleCounter)
        : m_c(c), m_root(root), m_idleCounter(idleCounter),
          m_alarmEvent(xcb_get_extension_data(c, &xcb_sync_id)->first_event +
                       XCB_SYNC_ALARM_NOTIFY),
          m_notifier(xcb_get_file_descriptor(c), QSocketNotifier::Read) {
        m_timer.setSingleShot(true);
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { Look(); });
        QObject::connect(&m_notifier, &QSocketNotifier::activated, &m_notifier,
                         [this] { ReadEvents(); });
    }
    ~TX11Idle() override {
        m_notifier.setEnabled(false);
        xcb_disconnect(m_c);
    }
    TX11Idle(const TX11Idle&) = delete;
    TX11Idle& operator=(const TX11Idle&) = delete;

    bool Available() const override { return true; }
    std::string Name() const override { return "X11 の MIT-SCREEN-SAVER"; }
    void Watch(milliseconds after) override;

private:
    void Look();
    std::optional<milliseconds> IdleTime();
    void ArmReturn();
    void DisarmReturn();
    void ReadEvents();
    bool TakeQueuedEvents();
    bool IsReturn(const xcb_generic_event_t& event) const;
    void Returned();
    void Lost();

    xcb_connection_t* m_c;
    xcb_window_t m_root;
    xcb_sync_counter_t m_idleCounter;
    uint8_t m_alarmEvent;
    milliseconds m_after{0};
    bool m_away = false;                 // the idle event of the spell was given
    xcb_sync_alarm_t m_alarm = XCB_NONE; // set while away
    QTimer m_timer;
    QSocketNotifier m_notifier;
};

void TX11Idle::Watch(milliseconds after) {
    m_after = after;
    if (after.count() <= 0) {
        m_timer.stop();
        DisarmReturn();
        m_away = false;
        return;
    }
    // A spell under way ends at its return; the new time counts after it.
    // The first look comes from the event loop, as every event does.
    if (!m_away)
        m_timer.start(0);
}

void TX11Idle::Look() {
    const std::optional<milliseconds> idle = IdleTime();
    if (!idle) {
        Lost();
        return;
    }
    if (*idle < m_after) {
        m_timer.start(m_after - *idle);
        return;
    }
    m_away = true;
    ArmReturn();
    // An input between the look and the alarm sets no alarm off, but it
    // shows as a shorter idle time after it.
    const std::optional<milliseconds> later = IdleTime();
    const bool returned = TakeQueuedEvents() || (later && *later < *idle);
    Idle(*idle);
    if (returned && m_away)
        Returned();
}

std::optional<milliseconds> TX11Idle::IdleTime() {
    const Reply<xcb_screensaver_query_info_reply_t> info(
        xcb_screensaver_query_info_reply(m_c, xcb_screensaver_query_info(m_c, m_root), nullptr));
    if (!info)
        return std::nullopt;
    return milliseconds(info->ms_since_user_input);
}

void TX11Idle::ArmReturn() {
    xcb_sync_create_alarm_value_list_t alarm{};
    alarm.counter = m_idleCounter;
    alarm.valueType = XCB_SYNC_VALUETYPE_ABSOLUTE;
    alarm.value = {0, 1};
    alarm.testType = XCB_SYNC_TESTTYPE_NEGATIVE_TRANSITION;
    alarm.delta = {0, 0};
    alarm.events = 1;
    m_alarm = xcb_generate_id(m_c);
    xcb_sync_create_alarm_aux(m_c, m_alarm, AlarmMask, &alarm);
    xcb_flush(m_c);
}

void TX11Idle::DisarmReturn() {
    if (m_alarm == XCB_NONE)
        return;
    xcb_sync_destroy_alarm(m_c, m_alarm);
    xcb_flush(m_c);
    m_alarm = XCB_NONE;
}

void TX11Idle::ReadEvents() {
    bool returned = false;
    while (xcb_generic_event_t* event = xcb_poll_for_event(m_c)) {
        returned = returned || IsReturn(*event);
        std::free(event);
    }
    if (xcb_connection_has_error(m_c)) {
        Lost();
        return;
    }
    if (returned && m_away)
        Returned();
}

// The events that a reply brought along, which the socket's notifier no
// longer sees.
bool TX11Idle::TakeQueuedEvents() {
    bool returned = false;
    while (xcb_generic_event_t* event = xcb_poll_for_queued_event(m_c)) {
        returned = returned || IsReturn(*event);
        std::free(event);
    }
    return returned;
}

bool TX11Idle::IsReturn(const xcb_generic_event_t& event) const {
    if ((event.response_type & 0x7f) != m_alarmEvent || m_alarm == XCB_NONE)
        return false;
    xcb_sync_alarm_notify_event_t notify;
    std::memcpy(&notify, &event, sizeof notify);
    return notify.alarm == m_alarm && notify.state != AlarmDestroyed;
}

void TX11Idle::Returned() {
    DisarmReturn();
    m_away = false;
    m_timer.start(m_after);
    Active();
}

void TX11Idle::Lost() {
    // The server is gone: nothing more will be told.
    m_notifier.setEnabled(false);
    m_timer.stop();
    m_alarm = XCB_NONE;
    m_away = false;
}

xcb_window_t RootOf(xcb_connection_t* c, int screenNumber) {
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i)
        xcb_screen_next(&screens);
    return screens.rem > 0 ? screens.data->root : XCB_NONE;
}

// The server's counter of the time since the last input of any device.
xcb_sync_counter_t IdleCounterOf(xcb_connection_t* c) {
    const xcb_query_extension_reply_t* sync = xcb_get_extension_data(c, &xcb_sync_id);
    if (sync == nullptr || !sync->present)
        return XCB_NONE;
    const Reply<xcb_sync_initialize_reply_t> version(
        xcb_sync_initialize_reply(c, xcb_sync_initialize(c, 3, 1), nullptr));
    const Reply<xcb_sync_list_system_counters_reply_t> list(
        xcb_sync_list_system_counters_reply(c, xcb_sync_list_system_counters(c), nullptr));
    if (!version || !list)
        return XCB_NONE;
    // Each entry: the counter (4 bytes), its resolution (8), the name's
    // length (2) and the name, padded to a multiple of 4 from the length on.
    // xcb's iterator steps over the padding wrongly, so the entries are read
    // here.
    const auto* entry = reinterpret_cast<const uint8_t*>(
        xcb_sync_list_system_counters_counters_iterator(list.get()).data);
    const uint8_t* end = reinterpret_cast<const uint8_t*>(list.get()) + sizeof(*list) +
                         4 * std::size_t{list->length};
    for (uint32_t i = 0; i < list->counters_len && entry + 14 <= end; ++i) {
        uint32_t counter = 0;
        uint16_t length = 0;
        std::memcpy(&counter, entry, sizeof counter);
        std::memcpy(&length, entry + 12, sizeof length);
        if (entry + 14 + length > end)
            break;
        if (std::string_view(reinterpret_cast<const char*>(entry + 14), length) == "IDLETIME")
            return counter;
        entry += 12 + ((2 + length + 3) & ~std::size_t{3});
    }
    return XCB_NONE;
}

bool HasScreenSaver(xcb_connection_t* c) {
    const xcb_query_extension_reply_t* saver = xcb_get_extension_data(c, &xcb_screensaver_id);
    return saver != nullptr && saver->present;
}

} // namespace

std::unique_ptr<IdleSource> ConnectX11Idle(const std::string& display) {
    int screenNumber = 0;
    xcb_connection_t* c = xcb_connect(display.empty() ? nullptr : display.c_str(), &screenNumber);
    if (xcb_connection_has_error(c)) {
        xcb_disconnect(c);
        return nullptr;
    }
    const xcb_window_t root = RootOf(c, screenNumber);
    const xcb_sync_counter_t idleCounter = HasScreenSaver(c) ? IdleCounterOf(c) : XCB_NONE;
    if (root == XCB_NONE || idleCounter == XCB_NONE) {
        xcb_disconnect(c);
        return nullptr;
    }
    return std::make_unique<TX11Idle>(c, root, idleCounter);
}

} // namespace zanpel
