// Values and blocks that once turned the editor against the server: against a real Apache, the server
// answers the same before and after the editor touched the block, and `apache2 -t` passes after every write.

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ApacheInstance.h"
#include "platform/Constants.h"
#include "platform/FileSystem.h"
#include "support/Layouts.h"
#include "support/TestSupport.h"

namespace keepgate::testing {
namespace {

// Who asks: nobody, the two users of the user file, and a name the file lacks.
const std::vector<std::string> kVisitors = {"", "alice:a1", "bob:b2", "zed:z3"};

class HostileBlocksEndToEnd : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        openToApache(temp.path());
        apache = std::make_unique<ApacheInstance>(temp / "server");
        defaults->setString(constants::kDefaultAccessFilenameKey, constants::kDefaultAccessFilename);
        defaults->setString(constants::kConfigFilePathKey, shared);
        users = temp / "users";
        makeUsers();
    }
    void TearDown() override {
        apache.reset();
        HeadlessTest::TearDown();
    }

    // Two users hashed by the real htpasswd, through the user editor.
    void makeUsers() {
        UserEditorLayout editor;
        editor.controller.newUserfile();
        windows->answer(1, {users});
        for (const auto& [name, password] : {std::pair{"alice", "a1"}, std::pair{"bob", "b2"}}) {
            editor.usernameField.text = name;
            editor.passwordField.text = password;
            editor.controller.addUser();
        }
        ASSERT_FALSE(windows->hasPendingSheet());
        openToApache(users);
    }
    // A user file line for `name` with alice's password hash, as another tool could have written it.
    void addUserLine(const std::string& name) {
        const std::string text = readFile(users);
        const auto colon = text.find(':');
        writeFile(users, text + name + text.substr(colon, text.find('\n') - colon + 1));
    }

    void useAccessFiles() {
        defaults->setString(constants::kProtectionSettingsKey, constants::kAccessFileMode);
        // Every override allowed, so the other lines an access file may hold are legal there.
        apache->writeConfig("AllowOverride All\nRequire all granted\n");
    }
    void useConfigFile() {
        defaults->setString(constants::kProtectionSettingsKey, constants::kConfigFileMode);
        if (!platform::fileExists(shared)) {
            writeFile(shared, "");
        }
        openToApache(shared);
        apache->writeConfig("AllowOverride None\nRequire all granted\n", "Include " + shared + "\n");
    }

    std::string page(const std::string& relative) { return apache->publishPage(relative); }
    std::string url(const std::string& directory) const {
        return directory.substr(apache->documentRoot().size()) + "/";
    }

    std::vector<int> answers(const std::string& directory) const {
        std::vector<int> statuses;
        for (const auto& visitor : kVisitors) {
            statuses.push_back(apache->status(url(directory), visitor));
        }
        return statuses;
    }
    void expectConfigAccepted() {
        std::string output;
        EXPECT_TRUE(apache->configTest(&output)) << output << "\n--- shared configuration ---\n"
                                                 << readFile(shared);
    }
    void restart() { ASSERT_TRUE(apache->restart()) << apache->lastError; }
    // In configuration-file mode the server reads the section only when it starts.
    void refresh() {
        if (!isAccessFileMode(*defaults)) {
            restart();
        }
    }

    void load(DirectoryEditorLayout& editor, const std::string& directory) {
        editor.directory.selectDirectory();
        windows->answer(1, {directory});
    }
    std::string blockFile(const std::string& directory) const {
        return isAccessFileMode(*defaults) ? directory + "/.htaccess" : shared;
    }
    std::string lastError() const {
        for (auto shown = windows->alerts.rbegin(); shown != windows->alerts.rend(); ++shown) {
            if (shown->alert.title == "Error!") {
                return shown->alert.message;
            }
        }
        return {};
    }

    // Loads the directory, applies the edit and saves: the save must be refused with an alert that names
    // `offender`, nothing may change on disk, and the server must answer as before.
    void expectRefused(const std::string& directory, const std::string& offender,
                       const std::function<void(DirectoryEditorLayout&)>& edit) {
        SCOPED_TRACE(offender);
        const std::string before = readFile(blockFile(directory));
        const auto answered = answers(directory);
        DirectoryEditorLayout editor;
        load(editor, directory);
        windows->alerts.clear();
        edit(editor);
        editor.directory.saveProtection();
        EXPECT_NE(lastError().find(offender), std::string::npos) << lastError();
        EXPECT_NE(lastError().find("Nothing was saved."), std::string::npos) << lastError();
        windows->pending.clear();
        EXPECT_EQ(readFile(blockFile(directory)), before);
        expectConfigAccepted();
        refresh();
        EXPECT_EQ(answers(directory), answered);
    }

    const std::string shared = temp / "keepgate.conf";
    std::string users;
    std::unique_ptr<ApacheInstance> apache;
};

TEST_F(HostileBlocksEndToEnd, ValuesApacheWouldMisreadAreRefusedAndTheServerAnswersAsBefore) {
    useAccessFiles();
    addUserLine("ev\vil");
    addUserLine("trail\\");
    const std::string guarded = page("guarded");
    writeFile(guarded + "/.htaccess",
              "AuthType Basic\nAuthName \"Members\"\nAuthUserFile " + users + "\nRequire user alice\n");
    openToApache(guarded + "/.htaccess");
    restart();
    ASSERT_EQ(answers(guarded), (std::vector<int>{401, 200, 401, 401}));

    const auto tickUser = [](const std::string& name) {
        return [name](DirectoryEditorLayout& e) {
            const auto names = e.userfileView.columnTexts("username");
            const auto row = std::find(names.begin(), names.end(), name) - names.begin();
            EXPECT_TRUE(e.userfileView.clickCheckBox(static_cast<int>(row)));
        };
    };
    const auto host = [](const std::string& kind, const std::string& value, bool denyAll) {
        return [=](DirectoryEditorLayout& e) {
            e.directoryAccess.addRecord();
            e.accessView.editCell(value, "hostnameip", 0);
            e.accessView.editCell(kind, "denyallow", 0);
            e.denyAllOthersCB.buttonState = denyAll ? 1 : 0;
        };
    };
    expectRefused(guarded, "vertical tab", tickUser("ev\vil"));
    expectRefused(guarded, "ends with a backslash", tickUser("trail\\"));
    expectRefused(guarded, "ends with a backslash", host("Deny", "127.0.0.1\\", false));
    expectRefused(guarded, "deny all others", host("Allow", "all", true));
    expectRefused(guarded, "%{", [](DirectoryEditorLayout& e) { e.authnameField.text = "%{REMOTE_ADDR}"; });
}

// Blocks written by hand in forms the editor cannot show: loaded and saved without an edit, the server's
// answer stays; a save asks before replacing their access lines and Cancel writes nothing.
TEST_F(HostileBlocksEndToEnd, HandWrittenBlocksAnswerTheSameAfterTheEditorTouchedThem) {
    useAccessFiles();
    writeFile(apache->root() + "/relative-users", readFile(users));
    openToApache(apache->root() + "/relative-users");
    const std::string head = "AuthType Basic\nAuthName \"Members\"\nAuthUserFile " + users + "\n";
    // Asks: the save asks before replacing the access lines. Refused: without them the block would admit
    // everyone, so the save is refused outright. Quiet: nothing to ask, the same bytes are written. Shown:
    // every line is one the editor shows, so it writes them in its own spelling without asking.
    enum class Save { Asks, Refused, Quiet, Shown };
    const struct Case {
        const char* name;
        std::string block;
        Save save;
        bool replaceKeepsAnswers; // Replace, too, leaves the server's answer as it was
    } cases[] = {
        {"doubled blanks and lower case", head + "Require user alice\ndeny from  all\n", Save::Shown, false},
        {"Order in another case", head + "Require valid-user\nOrder Allow,Deny\nAllow from 127.0.0.1\n",
         Save::Shown, false},
        {"Require all denied", head + "Require all denied\n", Save::Shown, false},
        {"Satisfy", head + "Require user alice\nDeny from 127.0.0.1\nSatisfy any\n", Save::Shown, false},
        {"single-quoted file path",
         "AuthType Basic\nAuthName \"Members\"\nAuthUserFile '" + users + "'\nRequire valid-user\n",
         Save::Shown, false},
        {"server-root-relative file path",
         "AuthType Basic\nAuthName \"Members\"\nAuthUserFile relative-users\nRequire user bob\n",
         Save::Refused, false},
        {"a user missing from the user file", head + "Require user alice zed\n", Save::Asks, true},
        {"other lines around the block",
         "# members only\nDirectoryIndex index.html\nOptions -Indexes\n" + head + "Require user bob\n",
         Save::Quiet, false},
    };
    const std::string kept = page("kept");
    restart();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(kept + "/.htaccess", c.block);
        openToApache(kept + "/.htaccess");
        const auto answered = answers(kept);
        EXPECT_EQ(std::count(answered.begin(), answered.end(), 500), 0) << "the handwritten block is valid";
        DirectoryEditorLayout editor;
        load(editor, kept);
        EXPECT_EQ(editor.keptField.text == "", c.save == Save::Shown)
            << "the lines the editor cannot show are listed";
        windows->alerts.clear();
        editor.directory.saveProtection();
        EXPECT_EQ(windows->hasPendingSheet(), c.save != Save::Quiet && c.save != Save::Shown);
        if (c.save == Save::Asks) {
            EXPECT_EQ(windows->pendingSheet().alert.defaultButton, "Replace");
            EXPECT_EQ(windows->pendingSheet().alert.alternateButton, "Cancel");
            windows->answer(0);
        }
        if (c.save == Save::Refused) {
            EXPECT_NE(lastError().find("would stay open to everyone"), std::string::npos) << lastError();
            windows->pending.clear();
        } else {
            EXPECT_TRUE(lastError().empty()) << lastError();
        }
        if (c.save != Save::Shown) {
            EXPECT_EQ(readFile(kept + "/.htaccess"), c.block);
        }
        expectConfigAccepted();
        EXPECT_EQ(answers(kept), answered) << readFile(kept + "/.htaccess");
        if (c.replaceKeepsAnswers) {
            editor.directory.saveProtection();
            windows->answer(1);
            EXPECT_NE(readFile(kept + "/.htaccess"), c.block);
            EXPECT_EQ(answers(kept), answered);
        }
    }
}

// The shared file: a lower-case closing line, a commented-out header and other sections survive a load and
// save; paths Apache would misread cannot get a section; a thousand users fit within the line limit.
TEST_F(HostileBlocksEndToEnd, SectionsOfTheSharedFileAnswerTheSameAfterTheEditorTouchedThem) {
    useConfigFile();
    const std::string a = page("a");
    const std::string b = page("b");
    const std::string section = "AuthType Basic\nAuthName \"Members\"\nAuthUserFile " + users + "\n";
    writeFile(shared, "# <Directory \"" + a + "\">\n# Require valid-user\n# </Directory>\n<Directory \"" + a +
                          "\">\n" + section + "Require user alice\n</directory>\n<Directory \"" + b +
                          "\">\n" + section + "Require user bob\n</Directory>\n");
    openToApache(shared);
    expectConfigAccepted();
    restart();
    const auto answeredA = answers(a);
    const auto answeredB = answers(b);
    ASSERT_EQ(answeredA, (std::vector<int>{401, 200, 401, 401}));
    ASSERT_EQ(answeredB, (std::vector<int>{401, 401, 200, 401}));
    {
        DirectoryEditorLayout editor;
        load(editor, a);
        EXPECT_EQ(editor.userfileView.columnTexts("check"), (std::vector<std::string>{"1", "0"}));
        editor.directory.saveProtection();
        EXPECT_FALSE(windows->hasPendingSheet());
    }
    expectConfigAccepted();
    EXPECT_NE(readFile(shared).find("# <Directory \"" + a + "\">\n# Require valid-user\n"), std::string::npos)
        << "the commented-out section stays";
    restart();
    EXPECT_EQ(answers(a), answeredA);
    EXPECT_EQ(answers(b), answeredB);

    for (const std::string name : {"${HOME}", "trailing\\"}) {
        SCOPED_TRACE(name);
        const std::string odd = page(name);
        const std::string before = readFile(shared);
        DirectoryEditorLayout editor;
        windows->alerts.clear();
        load(editor, odd);
        EXPECT_NE(lastError().find(odd), std::string::npos) << lastError();
        windows->pending.clear();
        EXPECT_EQ(editor.directoryField.text, "");
        EXPECT_EQ(readFile(shared), before);
        expectConfigAccepted();
    }

    for (int i = 0; i < 1000; ++i) {
        addUserLine("member-with-a-long-name-" + std::to_string(i));
    }
    const std::string crowd = page("crowd");
    {
        DirectoryEditorLayout editor;
        load(editor, crowd);
        editor.directory.selectUserfile();
        windows->answer(1, {users});
        for (int row = 2; row < editor.userfileView.rowCount(); ++row) {
            editor.userfileView.clickCheckBox(row);
        }
        editor.directory.saveProtection();
        EXPECT_FALSE(windows->hasPendingSheet()) << lastError();
    }
    expectConfigAccepted();
    restart();
    EXPECT_EQ(apache->status(url(crowd), ""), 401);
    EXPECT_EQ(apache->status(url(crowd), "member-with-a-long-name-999:a1"), 200);
    EXPECT_EQ(apache->status(url(crowd), "member-with-a-long-name-0:a1"), 200);
    EXPECT_EQ(apache->status(url(crowd), "bob:b2"), 401);
    EXPECT_EQ(answers(a), answeredA);
    EXPECT_EQ(answers(b), answeredB);
}

} // namespace
} // namespace keepgate::testing
