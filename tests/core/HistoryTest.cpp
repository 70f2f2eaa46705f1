#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "app/HistoryController.h"
#include "platform/FileSystem.h"
#include "platform/History.h"
#include "platform/SystemPaths.h"
#include "support/TestSupport.h"

namespace keepgate::testing {
namespace {

using platform::History;

class HistoryTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        folder = temp / "state/keepgate";
        History::shared().setNoticeHandler([this](const std::string& notice) { notices.push_back(notice); });
        History::shared().open(folder);
        controller.window = &window;
        controller.entriesView = &table;
        controller.diffField = &diff;
        controller.noticeField = &notice;
        controller.restoreButton = &restore;
        table.setDataSource(&controller);
    }
    void TearDown() override {
        History::shared().close();
        History::shared().setNoticeHandler(nullptr);
        History::shared().maxEntries = 500;
        History::shared().maxBytes = 200ull * 1024 * 1024;
        HeadlessTest::TearDown();
    }
    void change(const std::string& label, const std::string& path, const std::string& text) {
        const platform::HistoryAction action(label);
        ASSERT_TRUE(platform::writeFileAtomically(path, text));
    }
    std::vector<std::string> actions() {
        std::vector<std::string> list;
        for (const auto& entry : History::shared().entries()) {
            list.push_back(entry.action);
        }
        return list;
    }
    // Another program's write, which Keepgate does not record.
    static void writeBehindKeepgate(const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
    }

    std::string folder;
    std::vector<std::string> notices;
    HistoryController controller;
    headless::Window window;
    headless::TableView table;
    headless::TextField diff, notice;
    headless::Button restore;
};

TEST_F(HistoryTest, TheOldestChangesAreDroppedFirstBeyondEitherBound) {
    struct Case {
        std::size_t maxEntries;
        std::uint64_t maxBytes;
        std::vector<std::string> kept;
    };
    // Each entry holds 2,000 previous bytes and a header of a few hundred.
    for (const Case& c : {Case{3, 1u << 30, {"change 5", "change 4", "change 3"}},
                          Case{500, 5000, {"change 5", "change 4"}}}) {
        SCOPED_TRACE(c.maxEntries);
        History::shared().close();
        std::filesystem::remove_all(folder);
        ASSERT_TRUE(History::shared().open(folder));
        History::shared().maxEntries = c.maxEntries;
        History::shared().maxBytes = c.maxBytes;
        const std::string path = temp / "users";
        std::filesystem::remove(path);
        for (int i = 1; i <= 5; ++i) {
            change("change " + std::to_string(i), path, std::string(2000, static_cast<char>('a' + i)));
        }
        EXPECT_EQ(actions(), c.kept);
        // What is kept is sound: the newest entry still puts back the bytes before it.
        const auto newest = History::shared().load(History::shared().entries().front().id);
        ASSERT_TRUE(newest && newest->previous);
        EXPECT_EQ(*newest->previous, std::string(2000, 'e'));
    }
    // The store is private to the user.
    struct stat info {};
    ASSERT_EQ(stat(folder.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    for (const auto& item : std::filesystem::directory_iterator(folder)) {
        ASSERT_EQ(stat(item.path().c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0600u) << item.path();
    }
}

TEST_F(HistoryTest, ADamagedEntryIsShownAsDamagedAndNeverRestored) {
    struct Case {
        const char* name;
        std::function<void(const std::string& entryFile)> damage;
        const char* says;
    };
    const Case cases[] = {
        {"truncated",
         [](const std::string& file) {
             std::filesystem::resize_file(file, std::filesystem::file_size(file) - 5);
         },
         "cut short"},
        {"bad digest",
         [](const std::string& file) {
             std::string text = readFile(file);
             text.back() = text.back() == 'x' ? 'y' : 'x';
             std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
         },
         "digest"},
        {"unreadable",
         [](const std::string& file) {
             std::filesystem::remove(file);
             std::filesystem::create_directory(file);
         },
         "cannot be read"},
    };
    const std::string path = temp / "users";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeBehindKeepgate(path, "alice:old\n");
        change("Changed the password of alice", path, "alice:new\n");
        const std::string id = History::shared().entries().front().id;
        c.damage(folder + "/" + id + ".entry");

        controller.reload();
        ASSERT_GE(controller.numberOfRowsInTableView(), 1);
        EXPECT_NE(controller.objectValueForTableColumn("action", 0).text().find("Damaged entry"),
                  std::string::npos);
        EXPECT_NE(controller.objectValueForTableColumn("action", 0).text().find(c.says), std::string::npos);
        EXPECT_NE(notice.text.find("damaged"), std::string::npos);
        table.selectRows({0});
        controller.selectionChanged();
        EXPECT_FALSE(restore.enabled);
        EXPECT_NE(diff.text.find("damaged"), std::string::npos);

        // Asked directly (as Undo would), it refuses with the reason and leaves the file alone.
        controller.restore(id);
        ASSERT_TRUE(windows->hasPendingSheet());
        EXPECT_EQ(windows->pendingSheet().alert.title, "Error!");
        EXPECT_NE(windows->pendingSheet().alert.message.find(c.says), std::string::npos);
        windows->answer(1);
        EXPECT_EQ(readFile(path), "alice:new\n");
        std::filesystem::remove_all(folder + "/" + id + ".entry");
    }
}

TEST_F(HistoryTest, AFolderThatCannotBeWrittenIsToldOnceAndWritesGoOnWithoutHistory) {
    struct Case {
        const char* name;
        bool breakAfterOpening;
    };
    for (const Case& c : {Case{"at start", false}, Case{"while running", true}}) {
        SCOPED_TRACE(c.name);
        notices.clear();
        History::shared().close();
        std::filesystem::remove_all(temp / "blocked");
        writeFile(temp / "blocked", "a file where the folder should be\n");
        const std::string blocked = c.breakAfterOpening ? folder : temp / "blocked/keepgate";
        if (c.breakAfterOpening) {
            std::filesystem::remove_all(folder);
            ASSERT_TRUE(History::shared().open(folder));
            std::filesystem::remove_all(folder);
            writeFile(folder, "a file where the folder was\n");
        } else {
            EXPECT_FALSE(History::shared().open(blocked));
        }
        for (int i = 0; i < 3; ++i) {
            change("change " + std::to_string(i), temp / "users", "line " + std::to_string(i) + "\n");
            EXPECT_EQ(readFile(temp / "users"), "line " + std::to_string(i) + "\n");
        }
        ASSERT_EQ(notices.size(), 1u);
        EXPECT_NE(notices.front().find(blocked), std::string::npos);
        EXPECT_FALSE(History::shared().isOpen());
        EXPECT_FALSE(controller.canUndo());
        controller.reload();
        EXPECT_NE(notice.text.find("No history is being kept"), std::string::npos);
        std::filesystem::remove_all(folder);
    }
}

TEST_F(HistoryTest, ARestoreOfAFileChangedSinceShowsTheDifferenceAsksAndCanItselfBeUndone) {
    const std::string path = temp / "site/.htaccess";
    writeFile(temp / "site/placeholder", "");
    change("Saved protection of " + temp / "site", path, "Require valid-user\n");
    EXPECT_EQ(controller.undoTitle(), "Undo Saved protection of " + temp / "site");
    writeBehindKeepgate(path, "Require all granted\n");

    const std::string id = History::shared().entries().front().id;
    controller.restore(id);
    ASSERT_TRUE(windows->hasPendingSheet());
    EXPECT_EQ(windows->pendingSheet().alert.title, "Changed Since");
    EXPECT_NE(windows->pendingSheet().alert.message.find("-Require all granted\n"), std::string::npos);
    EXPECT_NE(windows->pendingSheet().alert.message.find("+++ /dev/null"), std::string::npos);
    windows->answer(0);
    EXPECT_EQ(readFile(path), "Require all granted\n");

    controller.restore(id);
    windows->answer(1);
    EXPECT_FALSE(platform::fileExists(path)); // it did not exist before the save
    EXPECT_EQ(windows->statusLine(),
              "Restored " + path + " as before \u201cSaved protection of " + temp / "site" + "\u201d");

    // The restore is the newest change of the run, and undoing it brings back the other program's bytes.
    EXPECT_EQ(controller.undoTitle(), "Undo " + windows->statusLine());
    controller.undo();
    EXPECT_FALSE(windows->hasPendingSheet());
    EXPECT_EQ(readFile(path), "Require all granted\n");
    EXPECT_EQ(History::shared().entries().size(), 3u);
}

TEST_F(HistoryTest, ARestoredServerFileIsKeptOnlyWhenTheServersOwnTestAcceptsIt) {
    struct Case {
        const char* name;
        int testStatus;
        bool kept;
    };
    const std::string root = temp / "server";
    const std::string own = root + "/conf.d/keepgate.conf";
    systemPaths().mainConfig = root + "/httpd.conf";
    systemPaths().serverRoot = root;
    systemPaths().controlProgram = temp / "apachectl";
    writeFile(systemPaths().mainConfig, "IncludeOptional conf.d/*.conf\n");
    std::filesystem::create_directories(root + "/conf.d");
    for (const Case& c : {Case{"refused", 1, false}, Case{"accepted", 0, true}}) {
        SCOPED_TRACE(c.name);
        writeScript(systemPaths().controlProgram, "echo 'AH00526: Syntax error on line 1' >&2\nexit " +
                                                      std::to_string(c.testStatus) + "\n");
        std::filesystem::remove(own);
        change("Allowed access files for /srv/www", own, "<Directory \"/srv/www\">\n</Directory>\n");
        const std::string amended = readFile(own);

        controller.restore(History::shared().entries().front().id);
        ASSERT_TRUE(windows->hasPendingSheet());
        if (c.kept) {
            EXPECT_FALSE(platform::fileExists(own));
            EXPECT_EQ(windows->pendingSheet().alert.defaultButton, "Reload the web server now");
        } else {
            // The file is back as the amendment left it, and the alert gives the server's own words.
            EXPECT_EQ(readFile(own), amended);
            EXPECT_EQ(windows->pendingSheet().alert.title, "Error!");
            EXPECT_NE(windows->pendingSheet().alert.message.find("AH00526"), std::string::npos);
        }
        windows->answer(0);
    }
}

} // namespace
} // namespace keepgate::testing
