// The running copy's side of the hand-over, with senders that go away at any
// moment, also while a frame is being handled.
#include "app/handoverframe.h"
#include "app/handoverserver.h"
#include "support/qtwait.h"
#include "support/testsupport.h"

#include <QCoreApplication>
#include <QLocalSocket>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>

namespace zanpel::test {
namespace {

class HandOverServerTest : public ::testing::Test {
protected:
    HandOverServerTest() {
        EXPECT_TRUE(server.Listen(path));
        server.OnHandOver = [this](const THandOver& frame) {
            handled.push_back(frame);
            if (whileHandling)
                std::exchange(whileHandling, nullptr)();
            if (animate)
                Animate();
        };
    }
    // What the bar's show animation does between its steps: the events run,
    // deferred deletes included.
    static void Animate() {
        for (int step = 0; step < 20; ++step) {
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QThread::msleep(2);
        }
    }
    // Connects and sends bytes; the sender waits for the answer.
    std::unique_ptr<QLocalSocket> Send(const QByteArray& bytes) {
        auto client = std::make_unique<QLocalSocket>();
        client->connectToServer(path);
        EXPECT_TRUE(client->waitForConnected(2000));
        client->write(bytes);
        client->flush();
        return client;
    }
    // Connects, sends bytes and goes away at once.
    void SendAndVanish(const QByteArray& bytes) {
        QLocalSocket client;
        client.connectToServer(path);
        ASSERT_TRUE(client.waitForConnected(2000));
        client.write(bytes);
        client.flush();
        client.waitForBytesWritten(2000);
        client.abort();
    }
    static QByteArray Bytes(const std::string& s) {
        return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
    }

    TempDir dir;
    QString path = QString::fromStdString(dir.File("TZanpelForm"));
    THandOverServer server;
    std::vector<THandOver> handled;
    std::function<void()> whileHandling;
    bool animate = true;
};

TEST_F(HandOverServerTest, ASenderThatVanishesDuringTheHandlingIsDroppedSafely) {
    for (int round = 0; round < 3; ++round) {
        std::unique_ptr<QLocalSocket> client = Send(Bytes(EncodeShowFrame()));
        whileHandling = [&] { client.reset(); }; // gone while the bar grows back
        EXPECT_TRUE(RunLoopUntil([&] { return handled.size() == size_t(round + 1); }, 3000));
        RunLoopUntil([] { return false; }, 50); // the vanished socket is cleaned up
    }
    // A later sender that waits gets its answer.
    std::unique_ptr<QLocalSocket> client = Send(Bytes(EncodeCopyDataFrame(7, "x")));
    EXPECT_TRUE(RunLoopUntil([&] { return client->bytesAvailable() > 0; }, 3000));
    EXPECT_EQ(client->readAll(), QByteArray("\1", 1));
    EXPECT_EQ(handled.back().Data, "x");
}

TEST_F(HandOverServerTest, ASenderThatHasGoneHandsOverNothingWhateverItSent) {
    // A second start waits for the answer; one that has gone gave up on a
    // bar that did not answer in time, and told its user so.
    const QByteArray frame = Bytes(EncodeCopyDataFrame(42, Sjis("会議")));
    for (qsizetype cut = 0; cut <= frame.size(); ++cut) {
        SendAndVanish(frame.left(cut));
        RunLoopUntil([] { return false; }, 10);
    }
    EXPECT_TRUE(handled.empty());
    std::unique_ptr<QLocalSocket> client = Send(frame);
    EXPECT_TRUE(RunLoopUntil([&] { return handled.size() == 1; }, 3000));
    EXPECT_EQ(handled[0].Data, Sjis("会議"));
}

TEST_F(HandOverServerTest, TwoFramesInOneWriteAreBothHandledAndAnswered) {
    animate = false;
    QLocalSocket client;
    client.connectToServer(path);
    ASSERT_TRUE(client.waitForConnected(2000));
    client.write(Bytes(EncodeShowFrame() + EncodeCopyDataFrame(1, "a")));
    EXPECT_TRUE(RunLoopUntil([&] { return client.bytesAvailable() >= 2; }, 3000));
    ASSERT_EQ(handled.size(), 2u);
    EXPECT_EQ(handled[1].Data, "a");
}

} // namespace
} // namespace zanpel::test
