#include <gtest/gtest.h>

#include <regex>
#include <thread>

#include "TcpTestSupport.h"
#include "platform/MessageWindow.h"
#include "tcp/StatusDialog.h"

using namespace tb::tcp;
using namespace tb::tcp::testing;
using tb::platform::IsMessageWindow;

TEST_F(TcpTest, ConnectReachesTheNotifyWindowAndASecondConnectOnTheThreadIsRefused) {
    LoopbackListener listener;
    ASSERT_EQ(VkTcpCom_Connect("127.0.0.1", listener.port()), 0);
    ConnectionState& state = ThisThreadConnection();
    EXPECT_TRUE(IsMessageWindow(state.dialog));
    EXPECT_EQ(VkTcpCom_Connect("127.0.0.1", listener.port()), -10);

    ASSERT_TRUE(PumpUntil([&] { return !results_.empty(); }));
    EXPECT_EQ(results_, std::vector<intptr_t>{0});
    ASSERT_TRUE(PumpUntil([] { return Logged("データ送信可能"); }));
    const std::regex stamped(R"(\d{4}/\d\d/\d\d \d\d:\d\d \d\d\(\d{3}\) データ送信可能)");
    EXPECT_TRUE(std::regex_match(state.statusLines.back(), stamped)) << state.statusLines.back();
    EXPECT_EQ(state.statusText, state.statusLines.back());

    // Another thread has a connection of its own.
    std::thread other([&] {
        tb::platform::ScopedPumpHook pump(tb::platform::MessageQueuePumpHook());
        EXPECT_EQ(VkTcpCom_Connect("localhost", listener.port()), 0);
        EXPECT_EQ(VkTcpCom_DisConnect(), 0);
        EXPECT_EQ(ThisThreadConnection().dialog, nullptr);
    });
    other.join();

    EXPECT_EQ(VkTcpCom_DisConnect(), 0);
    EXPECT_EQ(state.dialog, nullptr);
    EXPECT_FALSE(state.connected);
    EXPECT_EQ(VkTcpCom_Connect("127.0.0.1", listener.port()), 0) << "free again after disconnect";
}

TEST_F(TcpTest, HostThatCannotBeUsedGivesMinus12AndKeepsTheDialogUntilDisconnect) {
    const std::string tooLong(128, 'a');
    const char* hosts[] = {"no-such-host.invalid", "", nullptr, tooLong.c_str()};
    for (const char* host : hosts) {
        SCOPED_TRACE(host ? host : "(null)");
        ASSERT_EQ(VkTcpCom_Connect(host, 4000), -12);
        EXPECT_TRUE(IsMessageWindow(ThisThreadConnection().dialog));
        EXPECT_EQ(ThisThreadConnection().socket, -1) << "no socket left behind";
        EXPECT_EQ(VkTcpCom_Connect("127.0.0.1", 4000), -10);
        VkTcpCom_DisConnect();
        EXPECT_EQ(ThisThreadConnection().dialog, nullptr);
    }
    EXPECT_EQ(VkTcpCom_Connect("127.0.0.1", 0), -12) << "port 0 is no port";
    VkTcpCom_DisConnect();
    EXPECT_TRUE(results_.empty());
}

TEST_F(TcpTest, RefusedConnectionReachesTheNotifyWindowWithMinus13) {
    LoopbackListener listener;
    const int port = listener.port();
    listener.Close();
    ASSERT_EQ(VkTcpCom_Connect("127.0.0.1", port), 0) << "the refusal comes as an event";
    ASSERT_TRUE(PumpUntil([&] { return !results_.empty(); }));
    EXPECT_EQ(results_, std::vector<intptr_t>{-13});
}

TEST_F(TcpTest, ADialogWhoseNotifyWindowIsGoneCannotBeCreated) {
    tb::platform::WindowHandle gone =
        tb::platform::CreateMessageWindow(tb::platform::DefaultWindowProc);
    tb::platform::DestroyMessageWindow(gone);
    VkTcpCom_SetHWND(gone, kNotifyMessage);
    EXPECT_EQ(VkTcpCom_Connect("127.0.0.1", 4000), -13);
    EXPECT_EQ(ThisThreadConnection().dialog, nullptr);
}

TEST_F(TcpTest, ClosingTheNotifyWindowTakesTheDialogAndTheSocketAlong) {
    LoopbackListener listener;
    ASSERT_EQ(VkTcpCom_Connect("127.0.0.1", listener.port()), 0);
    int peer = listener.Accept();
    ASSERT_TRUE(PumpUntil([&] { return !results_.empty(); }));
    tb::platform::DestroyMessageWindow(notify_);
    EXPECT_EQ(ThisThreadConnection().dialog, nullptr);
    EXPECT_EQ(ThisThreadConnection().socket, -1);
    char byte;
    EXPECT_EQ(::recv(peer, &byte, 1, 0), 0) << "the peer sees the connection end";
    ::close(peer);
}
