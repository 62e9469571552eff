// Lets a Qt event loop run until a condition holds, for widget and X tests.
#pragma once

#include <QEventLoop>
#include <QTimer>

#include <functional>

namespace zanpel::test {

// Runs events until done() holds or timeoutMs pass; answers done().
inline bool RunLoopUntil(const std::function<bool()>& done, int timeoutMs) {
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    poll.start(1);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    return done();
}

} // namespace zanpel::test
