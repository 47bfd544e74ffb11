#include "sync/QtDavTransport.h"

#include <QCoreApplication>
#include <QTcpServer>
#include <QTcpSocket>
#include <functional>
#include <gtest/gtest.h>

namespace morvane {
namespace {

// The network needs an application object and its event loop.
void EnsureApplication()
{
    static int argc = 1;
    static char name[] = "sync_transport_test";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, argv);
}

// A server on this machine that answers each request with the bytes its
// function gives (nothing at all for an empty answer).
class TinyHttp
{
public:
    explicit TinyHttp(std::function<QByteArray(const QByteArray& head)> answer)
        : m_answer(std::move(answer))
    {
        m_server.listen(QHostAddress::LocalHost);
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
            QTcpSocket* socket = m_server.nextPendingConnection();
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                m_pending[socket] += socket->readAll();
                if (!m_pending[socket].contains("\r\n\r\n"))
                    return;
                const QByteArray reply = m_answer(m_pending[socket]);
                m_pending[socket].clear();
                if (!reply.isEmpty()) {
                    socket->write(reply);
                    socket->disconnectFromHost();
                }
            });
        });
    }
    quint16 port() const { return m_server.serverPort(); }
    QUrl url(const char* path = "/") const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port()).arg(QLatin1String(path)));
    }

private:
    QTcpServer m_server;
    std::function<QByteArray(const QByteArray&)> m_answer;
    QHash<QTcpSocket*, QByteArray> m_pending;
};

struct TransportFault
{
    const char* name;
    std::function<QByteArray(const QByteArray& head, quint16 port)> answer;
    const char* says;
};

class QtDavTransportFault : public ::testing::TestWithParam<TransportFault>
{
protected:
    void SetUp() override { EnsureApplication(); }
};

TEST_P(QtDavTransportFault, EndsWithAReasonAndNoAnswer)
{
    quint16 port = 0;
    TinyHttp server([&](const QByteArray& head) { return GetParam().answer(head, port); });
    port = server.port();
    QtDavTransport transport(QStringLiteral("alice"), QStringLiteral("secret"));
    transport.setTimeoutMs(300);
    transport.setMaxBodyBytes(1024 * 1024);
    const DavResponse response = transport.send(DavRequest{"PROPFIND", server.url(), {}, {}});
    EXPECT_FALSE(response.answered());
    EXPECT_TRUE(response.fault.contains(QString::fromUtf8(GetParam().says)))
        << response.fault.toStdString();
    EXPECT_FALSE(response.fault.contains(QLatin1String("secret")));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, QtDavTransportFault,
    ::testing::Values(
        TransportFault{"silent", [](const QByteArray&, quint16) { return QByteArray(); },
                       "時間内"},
        TransportFault{"redirect_elsewhere",
                       [](const QByteArray&, quint16 port) {
                           return "HTTP/1.1 301 Moved Permanently\r\nLocation: http://127.0.0.2:" +
                                  QByteArray::number(port) + "/\r\nContent-Length: 0\r\n\r\n";
                       },
                       "別のサーバー"},
        TransportFault{"huge_declared",
                       [](const QByteArray&, quint16) {
                           return QByteArray("HTTP/1.1 207 Multi-Status\r\nContent-Length: "
                                             "400000000\r\n\r\n<d:multistatus");
                       },
                       "大きすぎ"},
        TransportFault{"huge_sent",
                       [](const QByteArray&, quint16) {
                           return "HTTP/1.1 207 Multi-Status\r\nConnection: close\r\n\r\n" +
                                  QByteArray(3 * 1024 * 1024, 'x');
                       },
                       "大きすぎ"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(QtDavTransport, ARefusedConnectionIsNamed)
{
    EnsureApplication();
    quint16 port = 0;
    {
        QTcpServer closed;
        closed.listen(QHostAddress::LocalHost);
        port = closed.serverPort();
    }
    QtDavTransport transport(QStringLiteral("alice"), QStringLiteral("secret"));
    const DavResponse response = transport.send(
        DavRequest{"PROPFIND", QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(port)), {}, {}});
    EXPECT_TRUE(response.fault.contains(QStringLiteral("拒否"))) << response.fault.toStdString();
}

TEST(QtDavTransport, ARedirectOnTheSameServerIsFollowedWithTheCredentials)
{
    EnsureApplication();
    QByteArray secondHead;
    TinyHttp server([&](const QByteArray& head) -> QByteArray {
        if (head.startsWith("PROPFIND / "))
            return "HTTP/1.1 301 Moved Permanently\r\nLocation: /alice/\r\nContent-Length: 0\r\n\r\n";
        secondHead = head;
        return "HTTP/1.1 207 Multi-Status\r\nContent-Length: 2\r\nETag: \"7\"\r\n\r\nok";
    });
    QtDavTransport transport(QStringLiteral("alice"), QStringLiteral("secret"));
    const DavResponse response = transport.send(DavRequest{"PROPFIND", server.url(), {}, {}});
    EXPECT_EQ(response.status, 207) << response.fault.toStdString();
    EXPECT_EQ(response.body, "ok");
    EXPECT_EQ(response.etag, "\"7\"");
    EXPECT_TRUE(secondHead.startsWith("PROPFIND /alice/ ")) << secondHead.constData();
}

struct Address
{
    const char* url;
    bool allowed;
};

class SyncAddress : public ::testing::TestWithParam<Address>
{
};

TEST_P(SyncAddress, PlainHttpOnlyToThisMachine)
{
    EXPECT_EQ(RefusedAddress(QUrl(QString::fromUtf8(GetParam().url))).isEmpty(), GetParam().allowed)
        << GetParam().url;
}

INSTANTIATE_TEST_SUITE_P(Urls, SyncAddress,
                         ::testing::Values(Address{"https://dav.example/cal/", true},
                                           Address{"http://127.0.0.1:5232/", true},
                                           Address{"http://localhost:5232/", true},
                                           Address{"http://[::1]:5232/", true},
                                           Address{"http://dav.example/cal/", false},
                                           Address{"http://192.168.1.10/", false},
                                           Address{"ftp://dav.example/", false},
                                           Address{"dav.example", false}));

} // namespace
} // namespace morvane
