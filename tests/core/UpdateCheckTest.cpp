#include "ShellTestFixture.h"

namespace keepgate::testing {
namespace {

using headless::AlertKind;

const std::string kFailureMessage =
    "A problem arose while attempting to check for a new version of Keepgate.  127.0.0.1 may be temporarily "
    "unavailable or your network may be down.";

class UpdateCheckTest : public ShellTest {
  protected:
    void check(int noDialog) {
        if (noDialog == 0) {
            layout.controller.checkForUpdate();
        } else {
            layout.controller.checkForUpdateNow(noDialog);
        }
    }
};

TEST_F(UpdateCheckTest, SameVersionIsAnnouncedOnlyWhenTheUserAsked) {
    server.serve("/version.xml", versionDocument(entry("versionnumber", "0.7") + entry("whatsnew", "x") +
                                                 entry("gotoURL", "http://example.org/")));
    for (const int noDialog : {0, 2, 1}) {
        windows->alerts.clear();
        check(noDialog);
        if (noDialog == 1) {
            EXPECT_TRUE(windows->alerts.empty());
        } else {
            ASSERT_EQ(windows->alerts.size(), 1u) << noDialog;
            const auto& shown = windows->alerts[0];
            EXPECT_EQ(shown.kind, AlertKind::Informational);
            EXPECT_EQ(shown.alert.title, "No Update Available");
            EXPECT_EQ(shown.alert.message, "You already have the latest version of this application.");
            EXPECT_EQ(shown.alert.defaultButton, "OK");
            EXPECT_EQ(shown.alert.alternateButton, "");
        }
    }
    EXPECT_EQ(server.requestCount(), 3);
    EXPECT_EQ(windows->beepCount, 0);
    EXPECT_TRUE(windows->openedURLs.empty());
}

TEST_F(UpdateCheckTest, AnyOtherVersionOffersTheDownloadPage) {
    const struct {
        const char* version;
        int noDialog;
        int answer;
        bool opens;
    } cases[] = {
        {"0.8", 1, 1, true},   {"0.70", 0, 1, true}, {"0.6", 1, 0, false},
        {"0.7 ", 0, 0, false}, {"1.0b", 1, 1, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version);
        windows->alerts.clear();
        windows->openedURLs.clear();
        server.serve("/version.xml",
                     versionDocument(entry("versionnumber", c.version) +
                                     entry("whatsnew", "Groups &amp; more.\n100% %@ %d faster.") +
                                     entry("gotoURL", "http://example.org/download?a=1&amp;b=2")));
        windows->queueModalAnswer(c.answer);

        check(c.noDialog);

        ASSERT_EQ(windows->alerts.size(), 1u);
        const auto& shown = windows->alerts[0];
        EXPECT_EQ(shown.kind, AlertKind::Informational);
        EXPECT_EQ(shown.alert.title, "New Version");
        EXPECT_EQ(shown.alert.message,
                  std::string("A new version (") + c.version +
                      ") is available with the following new features:\n\nGroups & more.\n100% "
                      "%@ %d faster.\n\nWould you like to visit the web site to download it?");
        EXPECT_EQ(shown.alert.defaultButton, "Visit Web Site");
        EXPECT_EQ(shown.alert.alternateButton, "Cancel");
        EXPECT_EQ(windows->openedURLs, c.opens
                                           ? std::vector<std::string>{"http://example.org/download?a=1&b=2"}
                                           : std::vector<std::string>{});
    }
    EXPECT_EQ(windows->beepCount, 0);
}

TEST_F(UpdateCheckTest, MissingWhatsNewOrDownloadAddress) {
    server.serve("/version.xml", versionDocument(entry("versionnumber", "0.8")));
    check(0);
    ASSERT_EQ(windows->alerts.size(), 1u);
    EXPECT_EQ(windows->alerts[0].alert.message,
              "A new version (0.8) is available with the following new "
              "features:\n\n\n\nWould you like to visit the web site to download it?");
    // Visit Web Site without an address opens nothing.
    EXPECT_TRUE(windows->openedURLs.empty());
}

TEST_F(UpdateCheckTest, OnlyWebAddressesAreOpened) {
    const struct {
        const char* gotoURL;
        bool opens;
    } cases[] = {{"https://example.org/", true},
                 {"HTTP://example.org/", true},
                 {"", false},
                 {"http://", false},
                 {"file:///etc/passwd", false},
                 {"javascript:alert(1)", false},
                 {"example.org", false}};
    for (const auto& c : cases) {
        windows->openedURLs.clear();
        server.serve("/version.xml",
                     versionDocument(entry("versionnumber", "0.8") + entry("gotoURL", c.gotoURL)));
        check(1);
        EXPECT_EQ(windows->openedURLs.size(), c.opens ? 1u : 0u) << c.gotoURL;
    }
}

TEST_F(UpdateCheckTest, NoVersionNumberBeepsAndSaysSoInBothForms) {
    const struct {
        const char* name;
        std::function<void(LoopbackHttpServer&)> setUp;
    } cases[] = {
        {"missing key",
         [](LoopbackHttpServer& s) {
             s.serve("/version.xml", versionDocument(entry("whatsnew", "x") + entry("gotoURL", "http://e/")));
         }},
        {"version as a number",
         [](LoopbackHttpServer& s) {
             s.serve("/version.xml", versionDocument("<key>versionnumber</key><real>0.8</real>"));
         }},
        {"malformed document",
         [](LoopbackHttpServer& s) {
             s.serve("/version.xml", "<plist><dict><key>versionnumber</key><string>0.8");
         }},
        {"root is no dictionary",
         [](LoopbackHttpServer& s) { s.serve("/version.xml", "<plist><string>0.8</string></plist>"); }},
        {"not found",
         [](LoopbackHttpServer& s) {
             s.serve("/version.xml", versionDocument(entry("versionnumber", "0.8")), 404);
         }},
        {"connection dropped", [](LoopbackHttpServer& s) { s.hangUp("/version.xml"); }},
    };
    for (const auto& c : cases) {
        for (const int noDialog : {0, 1}) {
            SCOPED_TRACE(std::string(c.name) + (noDialog ? " (quiet)" : ""));
            windows->alerts.clear();
            windows->beepCount = 0;
            c.setUp(server);

            check(noDialog);

            // The quiet check at start never raises an alert; the status line says it.
            if (noDialog == 1) {
                EXPECT_EQ(windows->beepCount, 0);
                EXPECT_TRUE(windows->alerts.empty());
                EXPECT_EQ(windows->statusLine().rfind("Could not check for update: ", 0), 0u);
                continue;
            }
            EXPECT_EQ(windows->beepCount, 1);
            ASSERT_EQ(windows->alerts.size(), 1u);
            EXPECT_EQ(windows->alerts[0].kind, AlertKind::Modal);
            EXPECT_EQ(windows->alerts[0].alert.title, "Could not check for update");
            EXPECT_EQ(windows->alerts[0].alert.message, kFailureMessage);
            EXPECT_EQ(windows->alerts[0].alert.defaultButton, "OK");
            EXPECT_EQ(windows->alerts[0].alert.alternateButton, "");
        }
    }
    EXPECT_TRUE(windows->openedURLs.empty());
}

TEST_F(UpdateCheckTest, UnreachableServerNamesTheHostOfTheUpdateAddress) {
    {
        LoopbackHttpServer gone;
        systemPaths().updateURL = "http://localhost:" + std::to_string(gone.port()) + "/keepgate/version.xml";
    }
    check(0);
    EXPECT_EQ(windows->beepCount, 1);
    ASSERT_EQ(windows->alerts.size(), 1u);
    EXPECT_EQ(windows->alerts[0].alert.message,
              "A problem arose while attempting to check for a new version of Keepgate.  localhost may be "
              "temporarily unavailable or your network may be down.");
}

TEST(HttpFetcherTest, ReturnsTheBodyByteForByteAndNothingOnFailure) {
    LoopbackHttpServer server;
    const char raw[] = "a\0b\r\n\xff\r\n\r\nend";
    const std::string bytes(raw, sizeof raw - 1);
    server.serve("/file", bytes);
    server.serve("/error", "oops", 500);
    HttpFetcher fetcher;
    EXPECT_EQ(fetcher.fetch(server.url("/file")), bytes);
    EXPECT_EQ(fetcher.fetch(server.url("/error")), std::nullopt);
    EXPECT_EQ(fetcher.fetch(server.url("/nothing")), std::nullopt);
    EXPECT_EQ(fetcher.fetch("ftp://127.0.0.1/file"), std::nullopt);
    EXPECT_EQ(fetcher.fetch("http:///file"), std::nullopt);
    EXPECT_EQ(server.requestCount(), 3);
}

} // namespace
} // namespace keepgate::testing
