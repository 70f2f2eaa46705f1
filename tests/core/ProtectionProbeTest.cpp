// The protection probe against a loopback server that answers as told: statuses, realms, fallbacks and
// servers that misbehave.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "services/ProtectionProbe.h"
#include "support/LoopbackHttpServer.h"

namespace keepgate::testing {
namespace {

using Outcome = ProbeAnswer::Outcome;

struct AnswerCase {
    const char* name;
    const char* head; // raw bytes for HEAD (empty: same as GET)
    const char* get;  // raw bytes for GET
    Outcome outcome;
    int status;
    const char* realm;
    int requests; // how many requests the server saw
};

std::ostream& operator<<(std::ostream& out, const AnswerCase& c) {
    return out << c.name;
}

class ProbeAnswers : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(ProbeAnswers, AreReadAsTheServerMeantThem) {
    const AnswerCase& c = GetParam();
    LoopbackHttpServer server;
    server.serveRaw("/private/", c.get);
    if (*c.head) {
        server.serveRaw("/private/", c.head, "HEAD");
    }
    ProtectionProbe probe;
    probe.timeoutMilliseconds = 2000;
    const ProbeAnswer answer = probe.request(server.url("/private/"));
    EXPECT_EQ(answer.outcome, c.outcome) << answer.detail;
    EXPECT_EQ(answer.status, c.status);
    EXPECT_EQ(answer.realm, c.realm);
    EXPECT_EQ(static_cast<int>(server.requests().size()), c.requests);
    ASSERT_FALSE(server.requests().empty());
    EXPECT_EQ(server.requests().front().rfind("HEAD /private/ HTTP/1.1\r\n", 0), 0u)
        << server.requests().front();
}

INSTANTIATE_TEST_SUITE_P(
    Servers, ProbeAnswers,
    ::testing::Values(
        AnswerCase{"Unauthorized", "",
                   "HTTP/1.1 401 Unauthorized\r\nWWW-Authenticate: Basic realm=\"Staff only\"\r\n\r\n",
                   Outcome::Answered, 401, "Staff only", 1},
        AnswerCase{
            "RealmWithEscapedQuote", "",
            "HTTP/1.1 401 Unauthorized\r\nwww-authenticate: Digest realm=\"d\"\r\nWWW-Authenticate: basic "
            "REALM=\"say \\\"hi\\\"\", charset=\"UTF-8\"\r\n\r\n",
            Outcome::Answered, 401, "say \"hi\"", 1},
        AnswerCase{"Served", "", "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello", Outcome::Answered, 200,
                   "", 1},
        AnswerCase{"Forbidden", "", "HTTP/1.1 403 Forbidden\r\n\r\n", Outcome::Answered, 403, "", 1},
        AnswerCase{"Failing", "", "HTTP/1.0 500 Internal Server Error\r\n\r\n", Outcome::Answered, 500, "",
                   1},
        AnswerCase{"RedirectNotFollowed", "",
                   "HTTP/1.1 301 Moved\r\nLocation: http://127.0.0.1:1/elsewhere/\r\n\r\n", Outcome::Answered,
                   301, "", 1},
        AnswerCase{"BareLineFeeds", "", "HTTP/1.1 401 Unauthorized\nWWW-Authenticate: Basic realm=x\n\n",
                   Outcome::Answered, 401, "x", 1},
        AnswerCase{"HeadNotAllowedFallsBackToGet", "HTTP/1.1 405 Method Not Allowed\r\n\r\n",
                   "HTTP/1.1 401 Unauthorized\r\nWWW-Authenticate: Basic realm=\"r\"\r\n\r\n",
                   Outcome::Answered, 401, "r", 2},
        AnswerCase{"HeadNotImplementedFallsBackToGet", "HTTP/1.1 501 Not Implemented\r\n\r\n",
                   "HTTP/1.1 200 OK\r\n\r\n", Outcome::Answered, 200, "", 2},
        AnswerCase{"SilentCloseTriesGetThenGivesUp", "", "", Outcome::NoAnswer, 0, "", 2},
        AnswerCase{"Garbage", "", "SSH-2.0-OpenSSH_9.6\r\n", Outcome::NoAnswer, 0, "", 2},
        AnswerCase{"StatusNotThreeDigits", "", "HTTP/1.1 20 OK\r\n\r\n", Outcome::NoAnswer, 0, "", 2},
        AnswerCase{"GarbageOnHeadThenGet", "\x16\x03\x01\x02", "HTTP/1.1 403 Forbidden\r\n\r\n",
                   Outcome::Answered, 403, "", 2}),
    [](const auto& info) { return std::string(info.param.name); });

int closedPort() {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    close(fd);
    return ntohs(address.sin_port);
}

TEST(ProtectionProbe, ARefusedConnectionIsNoAnswer) {
    const ProbeAnswer answer =
        ProtectionProbe().request("http://127.0.0.1:" + std::to_string(closedPort()) + "/");
    EXPECT_EQ(answer.outcome, Outcome::NoAnswer);
    EXPECT_EQ(answer.detail, "connection refused");
}

TEST(ProtectionProbe, ASilentOrDrippingServerIsNoAnswerAfterTheTimeout) {
    LoopbackHttpServer server;
    server.stall("/silent/");
    server.stall("/dripping/", "HTTP/1.1 200 OK\r\nX-Slow: ");
    ProtectionProbe probe;
    probe.timeoutMilliseconds = 300;
    for (const char* path : {"/silent/", "/dripping/"}) {
        const ProbeAnswer answer = probe.request(server.url(path));
        EXPECT_EQ(answer.outcome, Outcome::NoAnswer) << path;
        EXPECT_EQ(answer.detail.rfind("no answer within", 0), 0u) << answer.detail;
    }
    // The timeout covers the exchange as a whole, so a silent HEAD is not followed by a GET.
    EXPECT_EQ(server.requests().size(), 2u);
}

TEST(ProtectionProbe, CancellingEndsAWaitingRequest) {
    LoopbackHttpServer server;
    server.stall("/silent/");
    ProtectionProbe probe;
    probe.cancelled = std::make_shared<std::atomic<bool>>(false);
    server.onRequest([&](const std::string&, int) { probe.cancelled->store(true); });
    EXPECT_EQ(probe.request(server.url("/silent/")).outcome, Outcome::Cancelled);
}

TEST(ProtectionProbe, CredentialsTravelOnlyInTheAuthorizationHeader) {
    LoopbackHttpServer server;
    server.serveRaw("/p/", "HTTP/1.1 200 OK\r\n\r\n");
    ProtectionProbe().request(server.url("/p/"), "alice", "s3cret");
    ProtectionProbe().request(server.url("/p/"));
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_NE(requests[0].find("\r\nAuthorization: Basic YWxpY2U6czNjcmV0\r\n"), std::string::npos)
        << requests[0];
    EXPECT_EQ(requests[1].find("Authorization"), std::string::npos) << requests[1];
    EXPECT_NE(requests[0].find("\r\nHost: 127.0.0.1:" + std::to_string(server.port()) + "\r\n"),
              std::string::npos);
}

struct AddressCase {
    const char* url;
    Outcome outcome;
};

class RefusedAddresses : public ::testing::TestWithParam<AddressCase> {};

TEST_P(RefusedAddresses, AreNeverRequested) {
    const ProbeAnswer answer = ProtectionProbe().request(GetParam().url);
    EXPECT_EQ(answer.outcome, GetParam().outcome) << GetParam().url << ": " << answer.detail;
}

INSTANTIATE_TEST_SUITE_P(Addresses, RefusedAddresses,
                         ::testing::Values(AddressCase{"http://example.com/private/", Outcome::NotLocal},
                                           AddressCase{"http://192.0.2.7/", Outcome::NotLocal},
                                           AddressCase{"http://[2001:db8::1]:8080/", Outcome::NotLocal},
                                           AddressCase{"http://127.0.0.1.example.com/", Outcome::NotLocal},
                                           AddressCase{"https://user@127.0.0.1/", Outcome::BadAddress},
                                           AddressCase{"ftp://127.0.0.1/", Outcome::BadAddress},
                                           AddressCase{"http://user@127.0.0.1/", Outcome::BadAddress},
                                           AddressCase{"http://127.0.0.1:99999/", Outcome::BadAddress},
                                           AddressCase{"http://127.0.0.1/a b", Outcome::BadAddress},
                                           AddressCase{"http:///x", Outcome::BadAddress}));

TEST(ProtectionProbe, LoopbackNamesAndAddressesCountAsLocal) {
    for (const char* host : {"127.0.0.1", "127.1.2.3", "localhost", "LOCALHOST", "[::1]"}) {
        EXPECT_TRUE(ProtectionProbe::isLocalHost(host)) << host;
    }
    for (const char* host : {"8.8.8.8", "example.com", "::1", "[127.0.0.1]"}) {
        EXPECT_FALSE(ProtectionProbe::isLocalHost(host)) << host;
    }
}

} // namespace
} // namespace keepgate::testing
