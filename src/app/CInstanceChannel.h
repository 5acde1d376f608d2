// The single-instance hand-off: the running instance serves a per-user local
// socket; a later start connects to it and hands over its file names as open
// requests (app/InstanceMessage.h), then ends. Only the same user may connect,
// and whatever else arrives on the socket is dropped with its connection.
#pragma once

#include <QObject>
#include <QString>

#include <string>
#include <vector>

class QLocalServer;
class QLocalSocket;

class CInstanceChannel : public QObject
{
    Q_OBJECT

public:
    // The channel of this program and user (DefaultServerName()).
    explicit CInstanceChannel(QObject* parent = nullptr);
    // A channel under another local server name (tests keep apart from a running program).
    explicit CInstanceChannel(QString serverName, QObject* parent = nullptr);
    ~CInstanceChannel() override;

    // The executable's base name and the user's name, so two users never meet.
    static QString DefaultServerName();
    const QString& serverName() const { return m_strServerName; }

    // The second start: connects to the running instance and sends each name,
    // made absolute against the current directory, waiting up to 15 s for each
    // to be acknowledged. True when an instance answered and took every name
    // (with no names: when an instance answered at all). Nothing is sent when a
    // name cannot travel (not UTF-8, a control character, too long): the
    // caller then opens the files itself.
    [[nodiscard]] bool tryHandOver(const std::vector<std::string>& names);

    // The first start: serves the channel. False when another instance
    // already answers on it or the socket cannot be made. A socket left by a
    // program that ended without removing it is removed first.
    [[nodiscard]] bool listen();
    // Stops serving and drops every open connection.
    void stop();
    bool isListening() const;
    // Serves or stops at run time (MultiInstance changed); answers isListening() == on.
    [[nodiscard]] bool setServing(bool on);

signals:
    // One well-formed open request arrived; delivered from the event loop,
    // after the sender has its acknowledgement.
    void openRequested(QString path);

private:
    bool instanceAnswers() const;
    bool sendRequest(QLocalSocket& socket, const std::string& name) const;
    void acceptConnections();
    void serveConnection(QLocalSocket* socket);
    [[nodiscard]] bool takeRequest(QLocalSocket* socket, const QByteArray& line);

    QString m_strServerName;
    QLocalServer* m_pServer = nullptr;
    int m_nConnections = 0;
};
