#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <gtest/gtest.h>

#include "QtTestApplication.h"
#include "qt/NetworkUrlFetcher.h"

namespace keepgate::testing {
namespace {

// A loopback HTTP server that answers every request with one fixed response, or never answers at all.
class LoopbackServer {
  public:
    explicit LoopbackServer(QByteArray response) : response_(std::move(response)) {
        QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    request_ += socket->readAll();
                    if (!request_.contains("\r\n\r\n") || response_.isEmpty()) {
                        return;
                    }
                    socket->write(response_);
                    socket->disconnectFromHost();
                });
                QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
        EXPECT_TRUE(server_.listen(QHostAddress::LocalHost));
    }
    std::string url(const std::string& path) const {
        return "http://127.0.0.1:" + std::to_string(server_.serverPort()) + path;
    }
    const QByteArray& request() const { return request_; }

  private:
    QTcpServer server_;
    QByteArray response_;
    QByteArray request_;
};

QByteArray httpResponse(const QByteArray& status, const QByteArray& body) {
    return "HTTP/1.1 " + status +
           "\r\nContent-Type: text/xml\r\nContent-Length: " + QByteArray::number(body.size()) +
           "\r\nConnection: close\r\n\r\n" + body;
}

class NetworkUrlFetcherTest : public ::testing::Test {
  protected:
    void SetUp() override { ensureQtApplication(); }
};

TEST_F(NetworkUrlFetcherTest, AnswersTheBodyOfA200ByteForByte) {
    const QByteArray body = "<?xml version=\"1.0\"?>\n<plist><dict><key>versionnumber</key>"
                            "<string>0.8 \xc3\xa9</string></dict></plist>\n";
    LoopbackServer server(httpResponse("200 OK", body));
    qt::NetworkUrlFetcher fetcher;
    EXPECT_EQ(fetcher.fetch(server.url("/version.xml")), std::optional<std::string>(body.toStdString()));
    EXPECT_TRUE(server.request().startsWith("GET /version.xml HTTP/1.1\r\n"));
}

TEST_F(NetworkUrlFetcherTest, AnswersNothingWhenTheDocumentCannotBeHad) {
    LoopbackServer notFound(httpResponse("404 Not Found", "<html>missing</html>"));
    LoopbackServer serverError(httpResponse("500 Internal Server Error", "oops"));
    LoopbackServer noContent(httpResponse("204 No Content", ""));
    quint16 closedPort = 0;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
        closedPort = probe.serverPort();
    }
    qt::NetworkUrlFetcher fetcher;
    const std::vector<std::string> urls = {notFound.url("/version.xml"),
                                           serverError.url("/version.xml"),
                                           noContent.url("/version.xml"),
                                           "http://127.0.0.1:" + std::to_string(closedPort) + "/version.xml",
                                           "not a url",
                                           ""};
    for (const auto& url : urls) {
        SCOPED_TRACE(url);
        EXPECT_EQ(fetcher.fetch(url), std::nullopt);
    }
}

TEST_F(NetworkUrlFetcherTest, GivesUpOnAServerThatNeverAnswers) {
    LoopbackServer silent{QByteArray()};
    qt::NetworkUrlFetcher fetcher(std::chrono::milliseconds(300));
    EXPECT_EQ(fetcher.fetch(silent.url("/version.xml")), std::nullopt);
}

} // namespace
} // namespace keepgate::testing
