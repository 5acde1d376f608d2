#include "app/widgets/CInstanceChannel.h"

#include "app/InstanceMessage.h"
#include "platform/PrivateRuntimeDir.h"

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
// As long as the hand-over of one name may take; a connection that stays
// silent this long is dropped too.
constexpr int kHandOverTimeoutMs = 15000;
constexpr int kProbeTimeoutMs = 1000;
constexpr int kLockWaitMs = 2000;
// Beyond this many open connections the oldest is dropped: a real hand-off
// writes at once, so the oldest is the likeliest to be one that never will.
constexpr qsizetype kMaxConnections = 16;
// Taken requests not yet delivered; beyond this a request is refused unread,
// and its sender opens the file itself.
constexpr size_t kMaxPendingRequests = 4096;

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

// Connects, and stays connected only when the listener runs as this user:
// a socket of anyone else is never written to.
bool ConnectToOwnInstance(QLocalSocket& socket, const QString& path, int timeoutMs)
{
    socket.connectToServer(path);
    if (!WaitFor(socket, timeoutMs, [&] { return socket.state() == QLocalSocket::ConnectedState; }))
        return false;
    if (platform::PeerIsSameUser(socket.socketDescriptor()))
        return true;
    socket.abort();
    return false;
}

std::string AbsoluteName(const std::string& name)
{
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(name, ec);
    return ec ? name : absolute.string();
}

QString SocketPath(const QString& socketName)
{
    const std::optional<std::string> dir = platform::PrivateRuntimeDir();
    return dir ? QDir(QString::fromStdString(*dir)).filePath(socketName) : QString();
}

} // namespace

CInstanceChannel::CInstanceChannel(QObject* parent)
    : CInstanceChannel(DefaultSocketName(), parent)
{
}

CInstanceChannel::CInstanceChannel(const QString& socketName, QObject* parent)
    : QObject(parent), m_strSocketPath(SocketPath(socketName))
{
}

CInstanceChannel::~CInstanceChannel()
{
    stop();
}

QString CInstanceChannel::DefaultSocketName()
{
    const QString program = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    return QString::fromStdString(InstanceSocketName(program.toStdString()));
}

// ---- The second start -------------------------------------------------------

bool CInstanceChannel::tryHandOver(const std::vector<std::string>& names, int32_t line, int32_t column)
{
    if (!isUsable() || names.size() > kMaxHandOverNames)
        return false;
    std::vector<std::string> absoluteNames;
    for (const std::string& name : names) {
        absoluteNames.push_back(AbsoluteName(name));
        if (!IsTransferableName(absoluteNames.back()))
            return false;
    }
    QLocalSocket socket;
    if (!ConnectToOwnInstance(socket, m_strSocketPath, kConnectTimeoutMs))
        return false;
    for (const std::string& name : absoluteNames) {
        if (!sendRequest(socket, {name, line, column}))
            return false;
    }
    socket.disconnectFromServer();
    return true;
}

bool CInstanceChannel::sendRequest(QLocalSocket& socket, const OpenRequest& request) const
{
    const std::string text = MakeOpenRequest(request) + kRequestTerminator;
    socket.write(text.data(), static_cast<qint64>(text.size()));
    const auto answered = [&] { return socket.canReadLine(); };
    if (!WaitFor(socket, kHandOverTimeoutMs, answered))
        return false;
    const QByteArray reply = socket.readLine();
    return reply.toStdString() == kRequestAcknowledgement;
}

// ---- The running instance ---------------------------------------------------

bool CInstanceChannel::instanceAnswers() const
{
    QLocalSocket probe;
    const bool answered = ConnectToOwnInstance(probe, m_strSocketPath, kProbeTimeoutMs);
    probe.abort();
    return answered;
}

bool CInstanceChannel::listen()
{
    if (isListening())
        return true;
    if (!isUsable())
        return false;
    // Two programs starting together must not both find the socket stale and
    // remove each other's; the lock keeps the check and the listen together.
    // Without the lock we go on: listening will tell. The lock is released
    // when it goes out of scope.
    QLockFile lock(m_strSocketPath + QStringLiteral(".lock"));
    static_cast<void>(lock.tryLock(kLockWaitMs));
    if (instanceAnswers())
        return false;
    QLocalServer::removeServer(m_strSocketPath);
    auto server = std::make_unique<QLocalServer>(this);
    if (!server->listen(m_strSocketPath))
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
    m_connections.clear();
    m_pServer->close();
    delete m_pServer;
    m_pServer = nullptr;
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
        if (!platform::PeerIsSameUser(socket->socketDescriptor())) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        if (m_connections.size() >= kMaxConnections)
            dropConnection(m_connections.front());
        serveConnection(socket);
    }
}

void CInstanceChannel::serveConnection(QLocalSocket* socket)
{
    m_connections.append(socket);
    connect(socket, &QObject::destroyed, this, [this, socket] { m_connections.removeOne(socket); });
    const qint64 limit = static_cast<qint64>(MaxOpenRequestLength());
    // As much as one start may hand over; a sender that goes on is dropped.
    const qint64 cap = static_cast<qint64>(kMaxHandOverNames) * (limit + 1);
    // Never holds more than one request: anything longer is dropped unread.
    socket->setReadBufferSize(limit + 1);
    auto* idle = new QTimer(socket);
    idle->setSingleShot(true);
    idle->start(kHandOverTimeoutMs);
    auto buffer = std::make_shared<QByteArray>();
    auto taken = std::make_shared<qint64>(0);
    connect(idle, &QTimer::timeout, this, [this, socket] { dropConnection(socket); });
    connect(socket, &QLocalSocket::disconnected, this, [this, socket] { dropConnection(socket); });
    connect(socket, &QLocalSocket::readyRead, this, [=, this] {
        idle->start(kHandOverTimeoutMs);
        while (socket->bytesAvailable() > 0) {
            buffer->append(socket->read(limit + 1 - buffer->size()));
            qsizetype end = 0;
            while ((end = buffer->indexOf(kRequestTerminator)) >= 0) {
                const QByteArray line = buffer->left(end);
                buffer->remove(0, end + 1);
                *taken += end + 1;
                if (*taken > cap || !takeRequest(socket, line))
                    return dropConnection(socket);
            }
            if (buffer->size() > limit)
                return dropConnection(socket);
        }
    });
}

void CInstanceChannel::dropConnection(QLocalSocket* socket)
{
    if (!m_connections.removeOne(socket))
        return;
    socket->flush();  // an acknowledgement already given still reaches the sender
    socket->abort();
    socket->deleteLater();
}

bool CInstanceChannel::takeRequest(QLocalSocket* socket, const QByteArray& line)
{
    std::optional<OpenRequest> request =
        ParseOpenRequest(std::string_view(line.constData(), static_cast<size_t>(line.size())));
    if (!request || m_pending.size() >= kMaxPendingRequests)
        return false;
    socket->write(kRequestAcknowledgement.data(),
                  static_cast<qint64>(kRequestAcknowledgement.size()));
    m_pending.push_back(std::move(*request));
    scheduleDelivery();
    return true;
}

// ---- Delivery ----------------------------------------------------------------

// Opening may show a message box and run its own event loop; a request must
// neither be handled inside a socket's signal nor inside the box of the
// request before it, or a flood of failing requests nests boxes without end.
void CInstanceChannel::scheduleDelivery()
{
    if (m_bDeliveryScheduled)
        return;
    m_bDeliveryScheduled = true;
    QTimer::singleShot(0, this, &CInstanceChannel::deliverNext);
}

void CInstanceChannel::deliverNext()
{
    m_bDeliveryScheduled = false;
    if (m_bDelivering || m_pending.empty())
        return;  // the delivery under way schedules the next when it returns
    const OpenRequest request = std::move(m_pending.front());
    m_pending.pop_front();
    m_bDelivering = true;
    emit openRequested(QString::fromStdString(request.name), request.line, request.column);
    m_bDelivering = false;
    if (!m_pending.empty())
        scheduleDelivery();
}
