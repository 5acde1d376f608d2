#include "app/widgets/CInstanceChannel.h"

#include "app/InstanceMessage.h"

#include <QFileInfo>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#ifdef Q_OS_UNIX
#include "support/CScopedEnv.h"
#include "support/CScopedTempDir.h"

#include <pwd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

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

// Sends raw bytes as a foreign program would; the server's reply once it has
// closed the connection, nothing if it keeps it open.
std::optional<QByteArray> SendRaw(const QString& socketPath, const QByteArray& bytes)
{
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!QTest::qWaitFor([&] { return socket.state() == QLocalSocket::ConnectedState; }, kPatienceMs))
        return std::nullopt;
    socket.write(bytes);
    QByteArray reply;
    const auto closed = [&] {
        reply += socket.readAll();
        return socket.state() == QLocalSocket::UnconnectedState;
    };
    if (!QTest::qWaitFor(closed, kPatienceMs))
        return std::nullopt;
    return reply + socket.readAll();
}

TEST(InstanceChannel, HandedOverNamesArriveAsOpenRequestsMadeAbsolute)
{
    const QString name = UniqueSocketName();
    CInstanceChannel server(name);
    CInstanceChannel client(name);
    QSignalSpy spy(&server, &CInstanceChannel::openRequested);

    EXPECT_FALSE(client.tryHandOver({"/tmp/a.bin"})); // nobody serves yet
    EXPECT_FALSE(client.tryHandOver({}));
    ASSERT_TRUE(server.listen());
    const std::vector<std::string> names = {"/tmp/a.bin", "/tmp/with blank \"quoted\".bin",
                                            "/データ/日本語.dat", "relative.bin"};
    ASSERT_TRUE(client.tryHandOver(names));
    // With no names the answer only says that an instance runs.
    EXPECT_TRUE(client.tryHandOver({}));
    // A name that cannot travel is not sent at all; the caller opens it itself.
    EXPECT_FALSE(client.tryHandOver({"/tmp/ok.bin", "/tmp/\xFF.bin"}));
    EXPECT_FALSE(client.tryHandOver({"/tmp/line\nbreak.bin"}));

    // A second program on the same channel finds it served and stays out.
    CInstanceChannel second(name);
    EXPECT_FALSE(second.listen());
    // Switched off and on while running: what was handed over still arrives.
    EXPECT_TRUE(client.tryHandOver({"/tmp/b.bin"}));
    EXPECT_TRUE(server.setServing(false));
    EXPECT_FALSE(server.isListening());
    EXPECT_FALSE(client.tryHandOver({"/tmp/c.bin"}));
    ASSERT_TRUE(server.setServing(true));
    ASSERT_TRUE(client.tryHandOver({"/tmp/d.bin"}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return spy.size() == 6; }, kPatienceMs));
    const QString relative = QString::fromStdString(std::filesystem::current_path() / "relative.bin");
    EXPECT_EQ(Received(spy), (QStringList{"/tmp/a.bin", "/tmp/with blank \"quoted\".bin",
                                          "/データ/日本語.dat", relative, "/tmp/b.bin", "/tmp/d.bin"}));
}

#ifdef Q_OS_UNIX
// A socket bound at `path` that does not listen yet, as a crashed program leaves one behind.
int BoundSocket(const std::string& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof(address.sun_path))
        return -1;
    std::memcpy(address.sun_path, path.c_str(), path.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
    if (fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

TEST(InstanceChannel, StaleSocketLeftBehindDoesNotStopListening)
{
    const QString name = UniqueSocketName();
    CInstanceChannel client(name);
    const QString path = client.socketPath();
    const int stale = BoundSocket(path.toStdString());
    ASSERT_GE(stale, 0);
    ::close(stale);
    EXPECT_FALSE(client.tryHandOver({"/tmp/a.bin"}));

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
        QByteArray("[open(\"/tmp/a\0b\")]\n", sizeof("[open(\"/tmp/a\0b\")]\n") - 1),
        QByteArray(1 << 20, 'A'),                                   // no end in sight
        QByteArray(1, '\n').prepend(QByteArray(int(MaxOpenRequestLength()) + 1, '[')),
    };
    for (const QByteArray& bytes : malformed)
        EXPECT_EQ(SendRaw(server.socketPath(), bytes), QByteArray()) << bytes.left(40).toStdString();

    // A good request is acknowledged before the garbage after it ends the connection.
    const QByteArray ack = QByteArray::fromStdString(std::string(kRequestAcknowledgement));
    EXPECT_EQ(SendRaw(server.socketPath(), "[open(\"/tmp/good.bin\")]\nrubbish\n"), ack);

    // One connection carries as much as one start hands over, and no more.
    const std::string longest = "/" + std::string(kMaxRequestName - 1, 'a');
    const QByteArray request = QByteArray::fromStdString(MakeOpenRequest({longest}) + kRequestTerminator);
    EXPECT_EQ(SendRaw(server.socketPath(), request.repeated(kMaxHandOverNames + 1)),
              ack.repeated(kMaxHandOverNames));

    CInstanceChannel client(name);
    ASSERT_TRUE(client.tryHandOver({"/tmp/after.bin"}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return spy.size() == 2 + kMaxHandOverNames; }, kPatienceMs));
    const QStringList longNames(kMaxHandOverNames, QString::fromStdString(longest));
    EXPECT_EQ(Received(spy), QStringList{"/tmp/good.bin"} + longNames + QStringList{"/tmp/after.bin"});
}

TEST(InstanceChannel, HeldConnectionsAndABusyReceiverHoldNoHandOffUp)
{
    const QString name = UniqueSocketName();
    CInstanceChannel server(name);
    CInstanceChannel client(name);
    ASSERT_TRUE(server.listen());

    // Connections that never write anything keep no later start out.
    QLocalSocket held[40];
    for (QLocalSocket& socket : held)
        socket.connectToServer(server.socketPath());
    const auto connected = [](const QLocalSocket& socket) {
        return socket.state() == QLocalSocket::ConnectedState;
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return std::all_of(held, held + 40, connected); }, kPatienceMs));

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
// Everything that reached the given listeners, none of which ever accepted.
std::string Drain(const std::vector<int>& listeners)
{
    std::string received;
    for (const int fd : listeners) {
        for (int connection; (connection = ::accept(fd, nullptr, nullptr)) >= 0; ::close(connection)) {
            char buffer[4096];
            for (ssize_t n; (n = ::read(connection, buffer, sizeof buffer)) > 0;)
                received.append(buffer, static_cast<size_t>(n));
        }
        ::close(fd);
    }
    return received;
}

TEST(InstanceChannel, AnotherUsersSocketIsNeverTalkedTo)
{
    const passwd* nobody = ::getpwnam("nobody");
    if (::geteuid() != 0 || !nobody)
        GTEST_SKIP() << "needs root, to listen as another user (nobody)";
    const CScopedTempDir ownDir;    // this user's runtime directory, 0700
    const CScopedTempDir sharedDir; // a temporary directory every user may write, like /tmp
    ASSERT_EQ(::chmod(sharedDir.path().c_str(), 01777), 0);
    const std::string name = "foreign-test.instance";
    const std::string ownFallback = sharedDir / ("vexel-" + std::to_string(::geteuid()));

    // Nobody got there first: listening in our own directory on a socket made
    // there (a socket's user is taken when it listens), and in the shared one
    // on our fallback directory and beside it.
    std::vector<int> squatter{BoundSocket(ownDir / name)};
    const gid_t ownGroup = ::getegid();
    const bool becameNobody = ::setegid(nobody->pw_gid) == 0 && ::seteuid(nobody->pw_uid) == 0;
    ::mkdir(ownFallback.c_str(), 0700);
    squatter.push_back(BoundSocket(ownFallback + "/" + name));
    squatter.push_back(BoundSocket(sharedDir / name));
    const bool listening = std::all_of(squatter.begin(), squatter.end(),
                                       [](int fd) { return fd >= 0 && ::listen(fd, 16) == 0; });
    ASSERT_TRUE(::seteuid(0) == 0 && ::setegid(ownGroup) == 0);
    ASSERT_TRUE(becameNobody && listening);

    {
        // A foreign socket in our own directory: nothing runs here; we serve in its place.
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
    EXPECT_EQ(Drain(squatter), "");
}
#endif

} // namespace
