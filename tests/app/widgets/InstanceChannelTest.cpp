#include "app/widgets/CInstanceChannel.h"

#include "app/InstanceMessage.h"

#include <QFileInfo>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#ifdef Q_OS_UNIX
#include "support/CScopedEnv.h"
#include "support/CScopedTempDir.h"

#include <poll.h>
#include <pwd.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstring>
#endif

namespace {

// A generous bound for things that happen at once; never a measured time.
constexpr int kPatienceMs = 10000;

// Apart from any real instance and from the other tests of this run.
QString UniqueSocketName()
{
    static int counter = 0;
    return QStringLiteral("channel-test-%1").arg(++counter);
}

QStringList Received(const QSignalSpy& spy)
{
    QStringList paths;
    for (const QList<QVariant>& arguments : spy)
        paths << arguments.at(0).toString();
    return paths;
}

// Sends raw bytes as a foreign program would; answers whether the server
// closed the connection, and what it replied before.
struct RawExchange
{
    bool closed = false;
    QByteArray reply;
};

RawExchange SendRaw(const QString& socketPath, const QByteArray& bytes)
{
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    RawExchange exchange;
    if (!QTest::qWaitFor([&] { return socket.state() == QLocalSocket::ConnectedState; }, kPatienceMs))
        return exchange;
    socket.write(bytes);
    exchange.closed = QTest::qWaitFor(
        [&] {
            exchange.reply += socket.readAll();
            return socket.state() == QLocalSocket::UnconnectedState;
        },
        kPatienceMs);
    exchange.reply += socket.readAll();
    return exchange;
}

TEST(InstanceChannel, HandedOverNamesArriveAsOpenRequestsMadeAbsolute)
{
    const QString name = UniqueSocketName();
    CInstanceChannel server(name);
    CInstanceChannel client(name);
    QSignalSpy spy(&server, &CInstanceChannel::openRequested);

    EXPECT_FALSE(client.tryHandOver({"/tmp/a.bin"}));  // nobody serves yet
    EXPECT_FALSE(client.tryHandOver({}));
    ASSERT_TRUE(server.listen());
    EXPECT_TRUE(server.isListening());

    const std::vector<std::string> names = {"/tmp/a.bin", "/tmp/with blank \"quoted\".bin",
                                            "/データ/日本語.dat", "relative.bin"};
    ASSERT_TRUE(client.tryHandOver(names));
    ASSERT_TRUE(QTest::qWaitFor([&] { return spy.size() == 4; }, kPatienceMs));
    const QString relative =
        QString::fromStdString((std::filesystem::current_path() / "relative.bin").string());
    EXPECT_EQ(Received(spy), (QStringList{QStringLiteral("/tmp/a.bin"),
                                          QStringLiteral("/tmp/with blank \"quoted\".bin"),
                                          QStringLiteral("/データ/日本語.dat"), relative}));

    // With no names the answer only says that an instance runs.
    EXPECT_TRUE(client.tryHandOver({}));
    // A name that cannot travel is not sent at all; the caller opens it itself.
    EXPECT_FALSE(client.tryHandOver({"/tmp/ok.bin", "/tmp/\xFF.bin"}));
    EXPECT_FALSE(client.tryHandOver({"/tmp/line\nbreak.bin"}));
    QTest::qWait(0);
    EXPECT_EQ(spy.size(), 4);

    // A second program on the same channel finds it served and stays out.
    CInstanceChannel second(name);
    EXPECT_FALSE(second.listen());
    EXPECT_TRUE(client.tryHandOver({"/tmp/b.bin"}));
    // Switched off and on while running: what was handed over still arrives.
    EXPECT_TRUE(server.setServing(false));
    EXPECT_FALSE(server.isListening());
    EXPECT_FALSE(client.tryHandOver({"/tmp/c.bin"}));
    ASSERT_TRUE(server.setServing(true));
    ASSERT_TRUE(client.tryHandOver({"/tmp/d.bin"}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return spy.size() == 6; }, kPatienceMs));
    EXPECT_EQ(Received(spy).mid(4), (QStringList{"/tmp/b.bin", "/tmp/d.bin"}));
}

#ifdef Q_OS_UNIX
// What a crashed program leaves behind: a socket file nobody listens on.
bool LeaveStaleSocket(const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (static_cast<size_t>(native.size()) >= sizeof(address.sun_path))
        return false;
    std::memcpy(address.sun_path, native.constData(), static_cast<size_t>(native.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
    ::close(fd);
    return bound;
}

TEST(InstanceChannel, StaleSocketLeftBehindDoesNotStopListening)
{
    const QString name = UniqueSocketName();
    CInstanceChannel client(name);
    const QString path = client.socketPath();
    ASSERT_TRUE(LeaveStaleSocket(path));
    ASSERT_TRUE(QFileInfo::exists(path));
    EXPECT_FALSE(client.tryHandOver({"/tmp/a.bin"}));  // the stale socket answers nothing

    CInstanceChannel server(name);
    QSignalSpy spy(&server, &CInstanceChannel::openRequested);
    ASSERT_TRUE(server.listen());
    ASSERT_TRUE(client.tryHandOver({"/tmp/a.bin"}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return spy.size() == 1; }, kPatienceMs));
    server.stop();
    EXPECT_FALSE(QFileInfo::exists(path));
}
#endif

TEST(InstanceChannel, ForeignDataIsDroppedAndTheServerGoesOnWorking)
{
    const QString name = UniqueSocketName();
    CInstanceChannel server(name);
    QSignalSpy spy(&server, &CInstanceChannel::openRequested);
    ASSERT_TRUE(server.listen());

    const QByteArray malformed[] = {
        QByteArrayLiteral("garbage\n"),
        QByteArrayLiteral("[open(\"relative.bin\")]\n"),
        QByteArrayLiteral("[open(\"/tmp/a.bin\")\n"),
        QByteArray("[open(\"/tmp/a\0b\")]\n", sizeof("[open(\"/tmp/a\0b\")]\n") - 1),
        QByteArray(1 << 20, 'A'),                                   // no end in sight
        QByteArray(1, '\n').prepend(QByteArray(int(MaxOpenRequestLength()) + 1, '[')),
    };
    for (const QByteArray& bytes : malformed) {
        SCOPED_TRACE(bytes.left(40).toStdString());
        const RawExchange exchange = SendRaw(server.socketPath(), bytes);
        EXPECT_TRUE(exchange.closed);
        EXPECT_TRUE(exchange.reply.isEmpty());
    }

    // A good request is acknowledged before the garbage after it ends the connection.
    const RawExchange mixed =
        SendRaw(server.socketPath(), QByteArrayLiteral("[open(\"/tmp/good.bin\")]\nrubbish\n"));
    EXPECT_TRUE(mixed.closed);
    EXPECT_EQ(mixed.reply.toStdString(), kRequestAcknowledgement);

    // One connection carries as much as one start hands over, and no more.
    const std::string longest = "/" + std::string(kMaxRequestName - 1, 'a');
    const QByteArray request = QByteArray::fromStdString(MakeOpenRequest(longest) + kRequestTerminator);
    const RawExchange greedy = SendRaw(server.socketPath(), request.repeated(kMaxHandOverNames + 1));
    EXPECT_TRUE(greedy.closed);
    EXPECT_EQ(greedy.reply, QByteArray::fromStdString(std::string(kRequestAcknowledgement))
                                .repeated(kMaxHandOverNames));

    CInstanceChannel client(name);
    ASSERT_TRUE(client.tryHandOver({"/tmp/after.bin"}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return spy.size() == 2 + kMaxHandOverNames; }, kPatienceMs));
    QStringList expected{QStringLiteral("/tmp/good.bin")};
    for (size_t i = 0; i < kMaxHandOverNames; ++i)
        expected << QString::fromStdString(longest);
    EXPECT_EQ(Received(spy), expected << QStringLiteral("/tmp/after.bin"));
}

TEST(InstanceChannel, HeldConnectionsAndABusyReceiverHoldNoHandOffUp)
{
    const QString name = UniqueSocketName();
    CInstanceChannel server(name);
    CInstanceChannel client(name);
    ASSERT_TRUE(server.listen());

    // Connections that never write anything keep no later start out.
    std::vector<std::unique_ptr<QLocalSocket>> held;
    for (int i = 0; i < 40; ++i) {
        held.push_back(std::make_unique<QLocalSocket>());
        held.back()->connectToServer(server.socketPath());
    }
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return std::all_of(held.begin(), held.end(), [](const auto& socket) {
                return socket->state() == QLocalSocket::ConnectedState;
            });
        },
        kPatienceMs));

    // The receiver of the first request runs an event loop of its own, as a
    // message box does; the requests taken meanwhile wait until it returns.
    QStringList handled;
    int depth = 0;
    int deepest = 0;
    bool secondHandOver = false;
    QObject::connect(&server, &CInstanceChannel::openRequested, [&](const QString& path) {
        deepest = std::max(deepest, ++depth);
        handled << path;
        if (handled.size() == 1)
            secondHandOver = client.tryHandOver({"/tmp/second.bin", "/tmp/third.bin"});
        --depth;
    });
    ASSERT_TRUE(client.tryHandOver({"/tmp/first.bin"}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return handled.size() == 3; }, kPatienceMs));
    EXPECT_TRUE(secondHandOver);
    EXPECT_EQ(deepest, 1);
    EXPECT_EQ(handled, (QStringList{"/tmp/first.bin", "/tmp/second.bin", "/tmp/third.bin"}));
}

#ifdef Q_OS_UNIX
// Another user's program listening where ours would, as one who got there
// first: it acknowledges every request like the real instance and reports
// every byte it receives through a pipe. `ownDirSocket` is bound while still
// root, standing for a foreign socket inside a directory of ours; the rest is
// made as nobody in the shared, world-writable `sharedDir`.
class CForeignListener
{
public:
    CForeignListener(const std::string& ownDirSocket, const std::string& sharedDir,
                     const std::vector<std::string>& sharedSockets, const passwd& user)
    {
        // Everything the child needs is made here: after fork it only makes system calls.
        std::vector<sockaddr_un> shared;
        for (const std::string& path : sharedSockets)
            shared.push_back(Address(path));
        const sockaddr_un own = Address(ownDirSocket);
        int report[2];
        if (::pipe(report) != 0)
            return;
        m_pid = ::fork();
        if (m_pid == 0) {
            ::close(report[0]);
            Serve(own, sharedDir.c_str(), shared, user, report[1]);
        }
        ::close(report[1]);
        m_fdReport = report[0];
        char ready = 0;
        m_bReady = m_pid > 0 && ::read(m_fdReport, &ready, 1) == 1 && ready == 'R';
    }
    ~CForeignListener() { static_cast<void>(stopAndTakeReport()); }

    bool ready() const { return m_bReady; }

    // Everything the listener received.
    std::string stopAndTakeReport()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
            m_pid = -1;
        }
        std::string received;
        char chunk[4096];
        ssize_t n = 0;
        while (m_fdReport >= 0 && (n = ::read(m_fdReport, chunk, sizeof chunk)) > 0)
            received.append(chunk, static_cast<size_t>(n));
        if (m_fdReport >= 0)
            ::close(m_fdReport);
        m_fdReport = -1;
        return received;
    }

private:
    static sockaddr_un Address(const std::string& path)
    {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, path.c_str(), std::min(path.size(), sizeof(address.sun_path) - 1));
        return address;
    }

    static int Bound(const sockaddr_un& address)
    {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address));
        return fd;
    }

    [[noreturn]] static void Serve(const sockaddr_un& own, const char* sharedDir,
                                   const std::vector<sockaddr_un>& shared, const passwd& user, int report)
    {
        std::array<pollfd, 8> fds{};
        size_t count = 0;
        fds[count++].fd = Bound(own);
        if (::setgid(user.pw_gid) != 0 || ::setuid(user.pw_uid) != 0)
            ::_exit(1);
        ::mkdir(sharedDir, 0700);
        for (const sockaddr_un& address : shared)
            fds[count++].fd = Bound(address);
        for (size_t i = 0; i < count; ++i) {
            ::listen(fds[i].fd, 16);  // the listener's user is taken here
            fds[i].events = POLLIN;
        }
        ::write(report, "R", 1);
        char buffer[4096];
        for (;;) {
            ::poll(fds.data(), count, -1);
            for (size_t i = 0; i < count; ++i) {
                if (!(fds[i].revents & POLLIN))
                    continue;
                const int connection = ::accept(fds[i].fd, nullptr, nullptr);
                ssize_t n = 0;
                while ((n = ::read(connection, buffer, sizeof buffer)) > 0) {
                    ::write(report, buffer, static_cast<size_t>(n));
                    ::write(connection, "ok\n", 3);
                }
                ::close(connection);
            }
        }
    }

    pid_t m_pid = -1;
    int m_fdReport = -1;
    bool m_bReady = false;
};

TEST(InstanceChannel, AnotherUsersSocketIsNeverTalkedTo)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root, to listen as another user (nobody)";
    const passwd* nobody = ::getpwnam("nobody");
    ASSERT_NE(nobody, nullptr);
    const CScopedTempDir ownDir;    // this user's runtime directory, 0700
    const CScopedTempDir sharedDir; // a temporary directory every user may write, like /tmp
    ASSERT_EQ(::chmod(sharedDir.path().c_str(), 01777), 0);
    const std::string name = "foreign-test.instance";
    const std::string ownFallback = sharedDir / ("vexel-" + std::to_string(::geteuid()));
    CForeignListener squatter(ownDir / name, ownFallback,
                              {ownFallback + "/" + name, sharedDir / name}, *nobody);
    ASSERT_TRUE(squatter.ready());

    {
        // A foreign socket in our own directory: nothing runs here; we serve
        // in its place.
        const CScopedEnv runtime("XDG_RUNTIME_DIR", ownDir.path());
        CInstanceChannel victim(QString::fromStdString(name));
        EXPECT_FALSE(victim.tryHandOver({"/home/secret/a.bin"}));
        ASSERT_TRUE(victim.listen());
        QSignalSpy spy(&victim, &CInstanceChannel::openRequested);
        CInstanceChannel client(QString::fromStdString(name));
        EXPECT_TRUE(client.tryHandOver({"/home/secret/b.bin"}));
        EXPECT_TRUE(QTest::qWaitFor([&] { return spy.size() == 1; }, kPatienceMs));
    }
    {
        // No runtime directory, and the fallback in the shared directory was
        // made by someone else first: no hand-off at all, in either direction.
        const CScopedEnv runtime("XDG_RUNTIME_DIR", std::nullopt);
        const CScopedEnv temp("TMPDIR", sharedDir.path());
        CInstanceChannel victim(QString::fromStdString(name));
        EXPECT_FALSE(victim.isUsable());
        EXPECT_FALSE(victim.tryHandOver({"/home/secret/c.bin"}));
        EXPECT_FALSE(victim.listen());
    }
    EXPECT_EQ(squatter.stopAndTakeReport(), "");
}
#endif

} // namespace
