#include "app/CInstanceChannel.h"

#include "app/InstanceMessage.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <memory>
#include <system_error>

namespace {

constexpr int kConnectTimeoutMs = 5000;
constexpr int kReplyTimeoutMs = 15000;   // per name, as long as a hand-over may take
constexpr int kProbeTimeoutMs = 1000;
constexpr int kLockWaitMs = 2000;
// A connection that stays silent this long is dropped, so that a client that
// connects and never writes cannot hold a slot for good.
constexpr int kIdleTimeoutMs = 30000;
constexpr int kMaxConnections = 8;

// Runs a local event loop until done() holds, the socket has gone, or the time
// is up. An event loop rather than the socket's blocking waits, so a server on
// this same thread (as in the tests) keeps answering.
bool WaitFor(QLocalSocket& socket, int timeoutMs, const std::function<bool()>& done)
{
    if (done())
        return true;
    if (socket.state() == QLocalSocket::UnconnectedState)
        return false;
    QEventLoop loop;
    const auto check = [&] {
        if (done() || socket.state() == QLocalSocket::UnconnectedState)
            loop.quit();
    };
    QObject::connect(&socket, &QLocalSocket::connected, &loop, check);
    QObject::connect(&socket, &QLocalSocket::readyRead, &loop, check);
    QObject::connect(&socket, &QLocalSocket::bytesWritten, &loop, check);
    QObject::connect(&socket, &QLocalSocket::stateChanged, &loop, check);
    QObject::connect(&socket, &QLocalSocket::errorOccurred, &loop, check);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    return done();
}

bool Connect(QLocalSocket& socket, const QString& serverName, int timeoutMs)
{
    socket.connectToServer(serverName);
    return WaitFor(socket, timeoutMs,
                   [&] { return socket.state() == QLocalSocket::ConnectedState; });
}

std::string AbsoluteName(const std::string& name)
{
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(name, ec);
    return ec ? name : absolute.string();
}

QString UserName()
{
    for (const char* variable : {"USER", "USERNAME", "LOGNAME"}) {
        const QString value = qEnvironmentVariable(variable);
        if (!value.isEmpty())
            return value;
    }
    return QDir::home().dirName();
}

} // namespace

CInstanceChannel::CInstanceChannel(QObject* parent)
    : CInstanceChannel(DefaultServerName(), parent)
{
}

CInstanceChannel::CInstanceChannel(QString serverName, QObject* parent)
    : QObject(parent), m_strServerName(std::move(serverName))
{
}

CInstanceChannel::~CInstanceChannel()
{
    stop();
}

QString CInstanceChannel::DefaultServerName()
{
    const QString program = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    return QString::fromStdString(
        InstanceServerName(program.toStdString(), UserName().toStdString()));
}

// ---- The second start -------------------------------------------------------

bool CInstanceChannel::tryHandOver(const std::vector<std::string>& names)
{
    std::vector<std::string> absoluteNames;
    for (const std::string& name : names) {
        absoluteNames.push_back(AbsoluteName(name));
        if (!IsTransferableName(absoluteNames.back()))
            return false;
    }
    QLocalSocket socket;
    if (!Connect(socket, m_strServerName, kConnectTimeoutMs))
        return false;
    for (const std::string& name : absoluteNames) {
        if (!sendRequest(socket, name))
            return false;
    }
    socket.disconnectFromServer();
    return true;
}

bool CInstanceChannel::sendRequest(QLocalSocket& socket, const std::string& name) const
{
    const std::string request = MakeOpenRequest(name) + kRequestTerminator;
    socket.write(request.data(), static_cast<qint64>(request.size()));
    const auto answered = [&] { return socket.canReadLine(); };
    if (!WaitFor(socket, kReplyTimeoutMs, answered))
        return false;
    const QByteArray reply = socket.readLine();
    return reply.toStdString() == kRequestAcknowledgement;
}

// ---- The running instance ---------------------------------------------------

bool CInstanceChannel::instanceAnswers() const
{
    QLocalSocket probe;
    const bool answered = Connect(probe, m_strServerName, kProbeTimeoutMs);
    probe.abort();
    return answered;
}

bool CInstanceChannel::listen()
{
    if (isListening())
        return true;
    // Two programs starting together must not both find the socket stale and
    // remove each other's; the lock keeps the check and the listen together.
    // Without the lock (temporary folder not writable) we go on: listening
    // will tell. The lock is released when it goes out of scope.
    QLockFile lock(QDir::temp().filePath(m_strServerName + QStringLiteral(".lock")));
    static_cast<void>(lock.tryLock(kLockWaitMs));
    if (instanceAnswers())
        return false;
    QLocalServer::removeServer(m_strServerName);
    auto server = std::make_unique<QLocalServer>(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(m_strServerName))
        return false;
    m_pServer = server.release();
    connect(m_pServer, &QLocalServer::newConnection, this, &CInstanceChannel::acceptConnections);
    return true;
}

void CInstanceChannel::stop()
{
    if (!m_pServer)
        return;
    // The connections are the server's children and go with it.
    m_pServer->close();
    delete m_pServer;
    m_pServer = nullptr;
    m_nConnections = 0;
}

bool CInstanceChannel::isListening() const
{
    return m_pServer && m_pServer->isListening();
}

bool CInstanceChannel::setServing(bool on)
{
    if (on)
        return listen();
    stop();
    return true;
}

void CInstanceChannel::acceptConnections()
{
    while (m_pServer && m_pServer->hasPendingConnections()) {
        QLocalSocket* socket = m_pServer->nextPendingConnection();
        if (m_nConnections >= kMaxConnections) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        serveConnection(socket);
    }
}

void CInstanceChannel::serveConnection(QLocalSocket* socket)
{
    ++m_nConnections;
    connect(socket, &QObject::destroyed, this, [this] { --m_nConnections; });
    const qint64 limit = static_cast<qint64>(MaxOpenRequestLength());
    // Never holds more than one request: anything longer is dropped unread.
    socket->setReadBufferSize(limit + 1);
    auto* idle = new QTimer(socket);
    idle->setSingleShot(true);
    idle->start(kIdleTimeoutMs);
    auto buffer = std::make_shared<QByteArray>();
    const auto drop = [socket] {
        socket->flush();  // an acknowledgement already given still reaches the sender
        socket->abort();
        socket->deleteLater();
    };
    connect(idle, &QTimer::timeout, socket, drop);
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket, idle, buffer, limit, drop] {
        idle->start(kIdleTimeoutMs);
        while (socket->bytesAvailable() > 0) {
            buffer->append(socket->read(limit + 1 - buffer->size()));
            qsizetype end = 0;
            while ((end = buffer->indexOf(kRequestTerminator)) >= 0) {
                const QByteArray line = buffer->left(end);
                buffer->remove(0, end + 1);
                if (!takeRequest(socket, line))
                    return drop();
            }
            if (buffer->size() > limit)
                return drop();
        }
    });
}

bool CInstanceChannel::takeRequest(QLocalSocket* socket, const QByteArray& line)
{
    const std::optional<std::string> name =
        ParseOpenRequest(std::string_view(line.constData(), static_cast<size_t>(line.size())));
    if (!name)
        return false;
    socket->write(kRequestAcknowledgement.data(),
                  static_cast<qint64>(kRequestAcknowledgement.size()));
    // Opening may show a message box and run its own event loop; that must
    // not happen inside this socket's signal, nor keep the sender waiting.
    const QString path = QString::fromStdString(*name);
    QMetaObject::invokeMethod(
        this, [this, path] { emit openRequested(path); }, Qt::QueuedConnection);
    return true;
}
