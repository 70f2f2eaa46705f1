#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "formats/HashKind.h"
#include "operations/UserStore.h"
#include "services/PasswordGenerator.h"
#include "support/Layouts.h"
#include "support/TestSupport.h"

namespace keepgate::testing {
namespace {

TEST(PasswordGeneratorTest, PasswordsAreLongDistinctFreeOfLookAlikesAndEveryCharacterIsEquallyLikely) {
    const std::string alphabet(PasswordGenerator::kAlphabet);
    for (const char lookAlike : std::string("0OoQ1lI5Ss2Zz8BGbgq")) {
        EXPECT_EQ(alphabet.find(lookAlike), std::string::npos) << lookAlike;
    }
    // 18,000 passwords: each character is expected 10,000 times. A modulo draw would give the first four
    // characters 8/7 of the others' share (about 11,400 against 9,850), far outside this band of five
    // standard deviations.
    constexpr int kDraws = 18000;
    std::set<std::string> seen;
    std::map<char, int> counts;
    for (int i = 0; i < kDraws; ++i) {
        const auto password = PasswordGenerator::generate();
        ASSERT_TRUE(password);
        ASSERT_EQ(password->size(), 20u);
        for (const char c : *password) {
            ASSERT_NE(alphabet.find(c), std::string::npos) << *password;
            ++counts[c];
        }
        seen.insert(*password);
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(kDraws)) << "every draw is new";
    const double expected = kDraws * 20.0 / static_cast<double>(alphabet.size());
    ASSERT_EQ(counts.size(), alphabet.size());
    for (const auto& [c, count] : counts) {
        EXPECT_NEAR(count, expected, expected * 0.05) << c;
    }
}

// A user file holding every kind of hash the list tells apart, the weak ones included.
const char* const kEveryKind = "# every kind\n"
                               "bea:$2y$05$abcdefghijklmnopqrstuu5s7OTdVMtdFm0uOTDMnlAiIGNUlCnmi\n"
                               "amy:$apr1$UaZKwe6O$RhOgAbXJKaH/jMWlGGDvt.\n"
                               "al:$apr1$xyzxyzxy$RhOgAbXJKaH/jMWlGGDvt.\n"
                               "sue:$6$88uJ3uFfD5wxRBTA$7Pji0vatzFVG1Gb1NEW3jhg4\n"
                               "sam:$5$n3hINDYRsOH0R2hu$UrlCDPHlcrx7OwWCx0D9LL4\n"
                               "mo:$1$saltsalt$qjXMvbEw8oaL.CzflDugX/\n"
                               "shi:{SHA}GpHWL3ymc5liWkNopqtdSjuqYHM=\n"
                               "cy:iH/wPFUBhNtoo\r\n"
                               "pat:secret\n"
                               "pia:plain too\n"
                               "nell:\n";

TEST_F(HeadlessTest, HashHealthCountsEveryKindFlagsTheWeakOnesAndFollowsEveryChange) {
    const std::string file = temp / "users";
    writeFile(file, kEveryKind);
    headless::TextField health;
    UserEditorLayout layout;
    layout.controller.hashHealthField = &health;
    layout.controller.selectUserfile();
    windows->answer(1, {file});
    using hashes::Kind;
    const std::map<Kind, std::size_t> expected{
        {Kind::Bcrypt, 1}, {Kind::Apr1, 2},  {Kind::Sha512, 1},    {Kind::Sha256, 1}, {Kind::Md5Crypt, 1},
        {Kind::Sha1, 1},   {Kind::Crypt, 1}, {Kind::PlainText, 2}, {Kind::None, 1},
    };
    for (const auto& [kind, count] : expected) {
        EXPECT_EQ(layout.controller.hashHealth().count(kind), count) << hashes::shortName(kind);
    }
    EXPECT_EQ(health.text, "Hash kinds: bcrypt 1, apr1 (MD5) 2, SHA-512 1, SHA-256 1, MD5 crypt 1, SHA-1 1, "
                           "crypt 1, plain text 2, no password 1\n"
                           "5 users have weak passwords: SHA-1 1, crypt 1, plain text 2, no password 1");

    // Changing a weak user's password, deleting one and adding one are each counted at once.
    layout.tableView.selectRows({8}); // pat
    layout.passwordField.text = "better";
    layout.controller.changePassword();
    EXPECT_EQ(layout.controller.hashHealth().count(Kind::PlainText), 1u);
    EXPECT_EQ(layout.controller.hashHealth().count(Kind::Apr1), 3u);
    layout.tableView.selectRows({7}); // cy
    layout.controller.deleteUser();
    windows->answer(1);
    layout.usernameField.text = "new";
    layout.passwordField.text = "pw";
    layout.controller.addUser();
    EXPECT_EQ(layout.controller.hashHealth().count(Kind::Crypt), 0u);
    EXPECT_EQ(layout.controller.hashHealth().count(Kind::Apr1), 4u);
    EXPECT_NE(health.text.find("\n3 users have weak passwords: SHA-1 1, plain text 1, no password 1"),
              std::string::npos)
        << health.text;
    const auto titles = windows->alertTitles();
    EXPECT_EQ(std::count(titles.begin(), titles.end(), "Error!"), 0);
}

TEST_F(HeadlessTest, TheFilterNarrowsByAnyCaseOfTheNameShowWeakJoinsItAndActionsHitTheShownUser) {
    const std::string file = temp / "users";
    writeFile(file, std::string(kEveryKind) + "JOSÉ:{SHA}x=\nbeatrice:secret\n");
    headless::TextField filter;
    headless::Button weakOnly;
    UserEditorLayout layout;
    layout.controller.filterField = &filter;
    layout.controller.weakOnlyButton = &weakOnly;
    layout.controller.selectUserfile();
    windows->answer(1, {file});
    const struct {
        const char* filter;
        bool weakOnly;
        std::vector<std::string> shown;
    } cases[] = {
        {"",
         false,
         {"bea", "amy", "al", "sue", "sam", "mo", "shi", "cy", "pat", "pia", "nell", "JOSÉ", "beatrice"}},
        {"A", false, {"bea", "amy", "al", "sam", "pat", "pia", "beatrice"}},
        {"Ea", false, {"bea", "beatrice"}},
        {"BEAT", false, {"beatrice"}},
        {"josé", false, {"JOSÉ"}},
        {"", true, {"shi", "cy", "pat", "pia", "nell", "JOSÉ", "beatrice"}},
        {"p", true, {"pat", "pia"}},
        {"bea", true, {"beatrice"}},
        {"nobody", false, {}},
    };
    for (const auto& c : cases) {
        filter.text = c.filter;
        weakOnly.buttonState = c.weakOnly ? 1 : 0;
        layout.controller.filterUsers();
        EXPECT_EQ(layout.tableView.columnTexts("username"), c.shown) << c.filter << " " << c.weakOnly;
    }
    // The second shown row of "p" + Show Weak is pia, whom Delete names and removes, and no one else.
    filter.text = "p";
    weakOnly.buttonState = 1;
    layout.controller.filterUsers();
    layout.tableView.selectRows({1});
    layout.controller.deleteUser();
    EXPECT_EQ(windows->pendingSheet().alert.message, "Are you sure you want to delete the user \"pia\"?");
    windows->answer(1);
    EXPECT_EQ(readFile(file).find("pia:"), std::string::npos);
    EXPECT_NE(readFile(file).find("pat:secret\n"), std::string::npos);
    EXPECT_EQ(layout.tableView.columnTexts("username"), (std::vector<std::string>{"pat"}))
        << "the filter stays after the change";
}

TEST_F(HeadlessTest, TheBcryptCostReachesHtpasswdAndOneCheckIsTimedInTheBackground) {
    const std::string file = temp / "users";
    // The preference chooses the cost of the window's hashes...
    defaults->setString(hashes::kPasswordHashKey, "bcrypt");
    defaults->setObject(hashes::kBcryptCostKey, Value(6));
    UserEditorLayout layout;
    layout.controller.newUserfile();
    windows->answer(1, {file});
    layout.usernameField.text = "alice";
    layout.passwordField.text = "pw";
    layout.controller.addUser();
    EXPECT_EQ(readFile(file).rfind("alice:$2y$06$", 0), 0u) << readFile(file);

    // ...and the command line's, which refuses a cost out of range or for another hash.
    operations::UserStore store(file);
    ASSERT_TRUE(store.open().ok());
    std::string problem;
    const auto options = operations::UserStore::bcryptOptionsFor("7", std::nullopt, &problem);
    ASSERT_TRUE(options) << problem;
    const auto added = store.add("bob", "pw", *options, false);
    ASSERT_TRUE(added.ok()) << added.message;
    EXPECT_NE(added.changes.front().after->find("\nbob:$2y$07$"), std::string::npos);
    for (const char* refused : {"4", "15", "", "x", "07x", "-5", "123"}) {
        EXPECT_FALSE(operations::UserStore::bcryptOptionsFor(refused, std::nullopt, &problem)) << refused;
        EXPECT_NE(problem.find("5 to 14"), std::string::npos) << problem;
    }
    EXPECT_FALSE(operations::UserStore::bcryptOptionsFor("10", std::string("sha512"), &problem));
    EXPECT_NE(problem.find("bcrypt only"), std::string::npos) << problem;

    // The preferences window shows what one check at the chosen cost takes, measured off the window's
    // thread with the real tool.
    PreferencesLayout prefs;
    headless::PopUpButton popup;
    headless::TextField cost, checkCost;
    prefs.controller.passwordHashPopup = &popup;
    prefs.controller.bcryptCostField = &cost;
    prefs.controller.checkCostField = &checkCost;
    prefs.controller.defaults = defaults.get();
    prefs.controller.showWindow();
    EXPECT_EQ(cost.text, "6");
    EXPECT_TRUE(cost.editable);
    EXPECT_NE(checkCost.text.find("Measuring"), std::string::npos) << checkCost.text;
    windows->deliverCompletions();
    EXPECT_EQ(checkCost.text.rfind("One check: ", 0), 0u) << checkCost.text;
    EXPECT_NE(checkCost.text.find(" ms — every request to a protected page pays it."), std::string::npos);
    cost.text = "9";
    prefs.controller.savePrefs();
    EXPECT_EQ(defaults->integerForKey(hashes::kBcryptCostKey), 9);
    popup.selectItem(2);
    prefs.controller.hashChoiceChanged();
    EXPECT_FALSE(cost.editable) << "the cost is for bcrypt only";
    EXPECT_EQ(checkCost.text, "");
}

} // namespace
} // namespace keepgate::testing
