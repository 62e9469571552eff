// The bar's local sockets end to end: a write larger than the kernel's
// buffer arrives whole and in order, the other end's close is signalled once,
// and the listener's socket is the user's alone, replacing a stale file.
#include "app/localstream.h"
#include "support/qtwait.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <random>
#include <string>

namespace zanpel::test {
namespace {

TEST(LocalStream, ALargeWriteArrivesWholeAndACloseIsSignalledOnce) {
    TempDir dir;
    const std::string path = dir.File("socket");
    std::ofstream(path) << "left behind by a copy that crashed";
    TLocalListener listener;
    ASSERT_TRUE(listener.Listen(path));
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_TRUE(S_ISSOCK(info.st_mode));
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    TLocalStream* accepted = nullptr;
    QObject::connect(&listener, &TLocalListener::Accepted,
                     [&](TLocalStream* stream) { accepted = stream; });
    std::string received;
    int closes = 0;
    auto client = std::make_unique<TLocalStream>();
    ASSERT_TRUE(client->ConnectTo(path)) << client->Error();
    ASSERT_TRUE(RunLoopUntil([&] { return accepted != nullptr; }, 3000));
    QObject::connect(accepted, &TLocalStream::ReadyRead, [&] { received += accepted->ReadAll(); });
    QObject::connect(accepted, &TLocalStream::Closed, [&] { ++closes; });

    std::mt19937 random(7);
    std::string sent(3 << 20, '\0'); // far more than a socket's buffer
    for (char& c : sent)
        c = static_cast<char>(random());
    client->Write(sent.substr(0, 1000));
    client->Write(sent.substr(1000));
    EXPECT_TRUE(RunLoopUntil([&] { return received.size() >= sent.size(); }, 10000));
    EXPECT_TRUE(received == sent);

    client.reset();
    EXPECT_TRUE(RunLoopUntil([&] { return closes > 0; }, 3000));
    RunLoopUntil([] { return false; }, 20);
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(accepted->IsOpen());

    TLocalStream nobody;
    EXPECT_FALSE(nobody.ConnectTo(dir.File("nothing-there")));
    EXPECT_FALSE(nobody.Error().empty());
}

} // namespace
} // namespace zanpel::test
