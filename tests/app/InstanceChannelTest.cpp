#include "app/CInstanceChannel.h"

#include "app/InstanceMessage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <cstring>
#endif

namespace {

// A generous bound for things that happen at once; never a measured time.
constexpr int kPatienceMs = 10000;

// Apart from any real instance and from other runs of these tests.
QString UniqueServerName()
{
    static int counter = 0;
    return QStringLiteral("vexel-channel-test-%1-%2")
        .arg(QCoreApplication::applicationPid())
        .arg(++counter);
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

RawExchange SendRaw(const QString& serverName, const QByteArray& bytes)
{
    QLocalSocket socket;
    socket.connectToServer(serverName);
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
    const QString name = UniqueServerName();
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
    ASSERT_TRUE(QTest::qWaitFor([&] { return spy.size() == 5; }, kPatienceMs));
}

TEST(InstanceChannel, ServingCanBeSwitchedOffAndOnWhileRunning)
{
    const QString name = UniqueServerName();
    CInstanceChannel server(name);
    CInstanceChannel client(name);
    QSignalSpy spy(&server, &CInstanceChannel::openRequested);

    ASSERT_TRUE(server.setServing(true));
    ASSERT_TRUE(client.tryHandOver({"/tmp/one.bin"}));
    EXPECT_TRUE(server.setServing(false));
    EXPECT_FALSE(server.isListening());
    EXPECT_FALSE(client.tryHandOver({"/tmp/two.bin"}));
    ASSERT_TRUE(server.setServing(true));
    ASSERT_TRUE(client.tryHandOver({"/tmp/three.bin"}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return spy.size() == 2; }, kPatienceMs));
    EXPECT_EQ(Received(spy), (QStringList{QStringLiteral("/tmp/one.bin"), QStringLiteral("/tmp/three.bin")}));
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
    const QString name = UniqueServerName();
    const QString path = QDir::temp().filePath(name);
    ASSERT_TRUE(LeaveStaleSocket(path));
    ASSERT_TRUE(QFileInfo::exists(path));

    CInstanceChannel client(name);
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
    const QString name = UniqueServerName();
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
        const RawExchange exchange = SendRaw(name, bytes);
        EXPECT_TRUE(exchange.closed);
        EXPECT_TRUE(exchange.reply.isEmpty());
    }

    // A good request is acknowledged before the garbage after it ends the connection.
    const RawExchange mixed = SendRaw(name, QByteArrayLiteral("[open(\"/tmp/good.bin\")]\nrubbish\n"));
    EXPECT_TRUE(mixed.closed);
    EXPECT_EQ(mixed.reply.toStdString(), kRequestAcknowledgement);

    CInstanceChannel client(name);
    ASSERT_TRUE(client.tryHandOver({"/tmp/after.bin"}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return spy.size() == 2; }, kPatienceMs));
    EXPECT_EQ(Received(spy), (QStringList{QStringLiteral("/tmp/good.bin"), QStringLiteral("/tmp/after.bin")}));
}

} // namespace
