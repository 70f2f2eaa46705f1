#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <gtest/gtest.h>

#include "QtTestApplication.h"
#include "app/Controller.h"
#include "platform/SystemPaths.h"
#include "qt/NetworkUrlFetcher.h"
#include "support/TestSupport.h"

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

// The update check as the program runs it: the controller asks the shipped fetcher.
class UpdateCheckThroughQtTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        ensureQtApplication();
        setUrlFetcher(std::make_shared<qt::NetworkUrlFetcher>());
    }
    static QByteArray versionDocument(const QByteArray& version) {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
               "<key>versionnumber</key><string>" +
               version +
               "</string><key>whatsnew</key><string>Faster &amp; 100% safer</string>"
               "<key>gotoURL</key><string>http://example.org/download</string></dict></plist>\n";
    }
    Controller controller;
};

TEST_F(UpdateCheckThroughQtTest, ANewerVersionIsAnnouncedAndItsPageOpenedOnRequest) {
    LoopbackServer server(httpResponse("200 OK", versionDocument("0.8")));
    systemPaths().updateURL = server.url("/version.xml");
    windows->queueModalAnswer(1);
    controller.checkForUpdateNow(1);
    ASSERT_EQ(windows->alerts.size(), 1u);
    EXPECT_EQ(windows->alerts[0].alert.title, "New Version");
    EXPECT_EQ(windows->alerts[0].alert.message,
              "A new version (0.8) is available with the following new features:\n\nFaster & 100% safer\n\n"
              "Would you like to visit the web site to download it?");
    EXPECT_EQ(windows->openedURLs, std::vector<std::string>{"http://example.org/download"});
}

TEST_F(UpdateCheckThroughQtTest, TheSameVersionIsQuietAtStartAndSaidWhenAsked) {
    LoopbackServer server(httpResponse("200 OK", versionDocument("0.7")));
    systemPaths().updateURL = server.url("/version.xml");
    controller.checkForUpdateNow(1);
    EXPECT_TRUE(windows->alerts.empty());
    controller.checkForUpdate();
    ASSERT_EQ(windows->alerts.size(), 1u);
    EXPECT_EQ(windows->alerts[0].alert.title, "No Update Available");
}

TEST_F(UpdateCheckThroughQtTest, AnUnreachableServerBeepsAndSaysWhichHost) {
    LoopbackServer notFound(httpResponse("404 Not Found", "<html>missing</html>"));
    systemPaths().updateURL = notFound.url("/version.xml");
    controller.checkForUpdateNow(0);
    EXPECT_EQ(windows->beepCount, 1);
    ASSERT_EQ(windows->alerts.size(), 1u);
    EXPECT_EQ(windows->alerts[0].alert.title, "Could not check for update");
    EXPECT_NE(windows->alerts[0].alert.message.find("127.0.0.1 may be temporarily unavailable"),
              std::string::npos)
        << windows->alerts[0].alert.message;
}

} // namespace
} // namespace keepgate::testing
