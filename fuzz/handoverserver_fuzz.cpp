// The running copy's hand-over server fed with arbitrary bytes by senders that
// go away after every prefix of them, while a handler runs event loops (as
// the bar's show animation does): nothing is handed over that was not sent
// whole, and a vanished sender is never touched again.
#include "app/handoverframe.h"
#include "app/handoverserver.h"
#include "fuzzcheck.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocalSocket>

#include <cstdint>
#include <memory>
#include <string_view>

namespace {

// Frames complete within the first size bytes.
size_t CompleteFrames(std::string_view bytes) {
    size_t count = 0;
    for (;;) {
        zanpel::THandOver frame;
        size_t consumed = 0;
        if (zanpel::ParseFrame(bytes, frame, consumed) != zanpel::FrameStatus::Complete)
            return count;
        ++count;
        bytes.remove_prefix(consumed);
    }
}

void RunEvents() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

struct Harness {
    Harness() {
        static int argc = 1;
        static char name[] = "handoverserver_fuzz";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QCoreApplication>(argc, argv);
        path = QDir::tempPath() + "/zanpel-fuzz-" +
               QString::number(QCoreApplication::applicationPid());
        server.OnHandOver = [this](const zanpel::THandOver&) {
            ++handled;
            RunEvents();
        };
        FUZZ_CHECK(server.Listen(path));
    }
    std::unique_ptr<QCoreApplication> app;
    QString path;
    zanpel::THandOverServer server;
    size_t handled = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Harness harness;
    const std::string_view bytes(reinterpret_cast<const char*>(data), std::min<size_t>(size, 512));
    for (size_t cut = 0; cut <= bytes.size(); ++cut) {
        harness.handled = 0;
        QLocalSocket client;
        client.connectToServer(harness.path);
        FUZZ_CHECK(client.waitForConnected(1000));
        client.write(bytes.data(), static_cast<qint64>(cut));
        client.flush();
        client.waitForBytesWritten(100);
        client.abort();
        RunEvents();
        FUZZ_CHECK(harness.handled <= CompleteFrames(bytes.substr(0, cut)));
    }
    return 0;
}
