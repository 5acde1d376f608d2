// The single-instance hand-off: the running instance serves a local socket in
// the user's private directory (platform/PrivateRuntimeDir.h); a later start
// connects to it and hands over its file names as open requests
// (app/InstanceMessage.h), then ends. Both ends make sure the other runs as
// the same user; whatever else arrives on the socket is dropped with its
// connection. Without a private directory there is no hand-off at all.
#pragma once

#include "app/InstanceMessage.h"

#include <QList>
#include <QObject>
#include <QString>

#include <deque>
#include <string>
#include <vector>

class QLocalServer;
class QLocalSocket;

class CInstanceChannel : public QObject
{
    Q_OBJECT

public:
    // The channel of this program (DefaultSocketName()).
    explicit CInstanceChannel(QObject* parent = nullptr);
    // A channel under another socket name (tests keep apart from a running program).
    explicit CInstanceChannel(const QString& socketName, QObject* parent = nullptr);
    ~CInstanceChannel() override;

    // The executable's base name made into a socket name.
    static QString DefaultSocketName();
    // The socket's full path; empty when the user has no private directory,
    // and then the channel neither connects nor serves.
    const QString& socketPath() const { return m_strSocketPath; }
    bool isUsable() const { return !m_strSocketPath.isEmpty(); }

    // The second start: connects to the running instance and sends each name,
    // made absolute against the current directory, waiting up to 15 s for each
    // to be acknowledged. True when an instance of this user answered and took
    // every name (with no names: when one answered at all). Nothing is sent
    // when a name cannot travel (not UTF-8, a control character, too long) or
    // there are more than kMaxHandOverNames: the caller then opens the files itself.
    // A line (and column) given travels with every name.
    [[nodiscard]] bool tryHandOver(const std::vector<std::string>& names, int32_t line = 0, int32_t column = 0);

    // The first start: serves the channel. False when another instance of
    // this user already answers on it, the channel is not usable or the socket
    // cannot be made. Any other socket at its place is removed first.
    [[nodiscard]] bool listen();
    // Stops serving and drops every open connection; requests already taken
    // are still delivered.
    void stop();
    bool isListening() const;
    // Serves or stops at run time (MultiInstance changed); answers isListening() == on.
    [[nodiscard]] bool setServing(bool on);

signals:
    // One well-formed open request, delivered from the event loop after the
    // sender has its acknowledgement. Requests are delivered one at a time:
    // while a receiver still handles one (say, behind a message box with its
    // own event loop), the next waits until it returns.
    // line and column are those of /L and /C, 0 when absent.
    void openRequested(QString path, int line, int column);

private:
    bool instanceAnswers() const;
    bool sendRequest(QLocalSocket& socket, const OpenRequest& request) const;
    void acceptConnections();
    void serveConnection(QLocalSocket* socket);
    void dropConnection(QLocalSocket* socket);
    [[nodiscard]] bool takeRequest(QLocalSocket* socket, const QByteArray& line);
    void scheduleDelivery();
    void deliverNext();

    QString m_strSocketPath;
    QLocalServer* m_pServer = nullptr;
    QList<QLocalSocket*> m_connections;  // oldest first
    std::deque<OpenRequest> m_pending;
    bool m_bDeliveryScheduled = false;
    bool m_bDelivering = false;
};
