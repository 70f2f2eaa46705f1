#include "app/Controller.h"
#include "services/AdmTools.h"
#include "support/Layouts.h"
#include "support/TestSupport.h"

namespace keepgate::testing {
namespace {

// htpasswd reads a password as a C string: everything after a NUL would be dropped without a word,
// leaving a password the user never chose.
TEST_F(HeadlessTest, PasswordHoldingNulIsRefusedWithAnAlertAndNothingWritten) {
    UserEditorLayout layout;
    const std::string file = temp / "users";
    writeFile(file, "alice:h1\n");
    layout.controller.selectUserfile();
    windows->answer(1, {file});
    for (const std::string& password : {std::string("abc\0def", 7), std::string("\0", 1)}) {
        windows->alerts.clear();
        layout.usernameField.text = "bob";
        layout.passwordField.text = password;
        layout.controller.addUser();

        EXPECT_EQ(readFile(file), "alice:h1\n");
        EXPECT_EQ(layout.passwordField.text, password);
        ASSERT_EQ(windows->alerts.size(), 1u);
        EXPECT_EQ(windows->alerts[0].alert.title, "Error!");
        EXPECT_NE(windows->alerts[0].alert.message.find("NUL"), std::string::npos);
        EXPECT_EQ(AdmTools::getPasswd("bob", password), std::nullopt);
    }
}

} // namespace
} // namespace keepgate::testing
