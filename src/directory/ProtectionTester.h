#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "operations/LiveTest.h"
#include "ui/Controls.h"

namespace keepgate {

// Asks the web server whether the directory being edited is really protected, and says so in the status
// line and the log: on request (the "Test Protection" button, with credentials from a sheet when the user
// gives them) and after every save or removal. The request runs in the background; a second click cancels
// it. It also keeps the directory's address: worked out from the server's configuration, or as the user
// typed it, remembered per directory. The status area of the directory tab keeps the last verdict with
// its cause, the server check's finding and the time of the test; it never shows another directory's.
class ProtectionTester {
  public:
    using Verdict = operations::Verdict;
    // The server check's first finding for the directory, and whether Keepgate can fix it.
    struct ServerFinding {
        std::string sentence;
        bool fixable = false;
    };

    ProtectionTester();
    ~ProtectionTester();
    ProtectionTester(const ProtectionTester&) = delete;
    ProtectionTester& operator=(const ProtectionTester&) = delete;

    ui::Window* mainWindow = nullptr;
    ui::TextField* addressField = nullptr;
    ui::Button* testProtectionButton = nullptr;
    ui::ProgressIndicator* testProgress = nullptr;
    // The status area: the verdict and what goes with it, Test Again and the finding's Fix….
    ui::TextField* verdictField = nullptr;
    ui::Button* testAgainButton = nullptr;
    ui::Button* fixButton = nullptr;
    // Asked on load, after each test and after a server change (it may run the server's control
    // program); answers nothing when the check finds nothing. `fixFinding` is the Fix… button's action.
    std::function<std::optional<ServerFinding>()> serverFinding;
    std::function<void()> fixFinding;

    // How long one test may take; tests of slow servers lower it.
    int timeoutMilliseconds = 5000;

    // The directory editor loaded a directory: show its address.
    void directoryLoaded(const std::string& directory);
    // The user finished editing the address: remember it for the directory (an empty field forgets it
    // and shows the address worked out from the configuration again).
    void addressEdited();
    // Action of the button: cancels a running test, otherwise asks for optional credentials and tests.
    void testProtection();
    void credentialSheetEnd(int returnCode, const std::string& username, const std::string& password);
    // After a save or removal that reached the disk: tests without credentials, after the write's line.
    void protectionWritten(const std::string& directory, const std::string& status);
    // Action of Test Again: tests without asking for credentials.
    void testAgain();
    // The server was reloaded or its configuration fixed: the verdict may have changed, so test again.
    void serverChanged();

    Verdict verdict() const { return verdict_; }
    // The status area's text, as shown.
    std::string statusText() const;

    bool isTesting() const { return running_ != nullptr; }

  private:
    struct Plan;
    void start(const std::string& username, const std::string& password, const std::string& prefix);
    void finish(const std::shared_ptr<std::atomic<bool>>& token, const Plan& plan);
    std::optional<std::string> rememberedAddress(const std::string& directory) const;
    void remember(const std::string& directory, const std::string& address);

    void showVerdict();
    void refreshFinding();

    std::string directory_;
    // The address the configuration gives the directory, with where to connect for a named host.
    std::string publishedUrl_;
    std::string publishedConnectTo_;
    Verdict verdict_ = Verdict::NotTested;
    std::string verdictSentence_; // the test's sentence, without the verdict word
    std::string verdictNotes_;    // the certificate and clear-text notes, one line each
    std::string testedUrl_;
    std::string testedAt_; // "14:03:07"
    std::optional<ServerFinding> finding_;
    // The cancel flag of the running test; completions of any other test are dropped.
    std::shared_ptr<std::atomic<bool>> running_;
    // Cleared when the tester goes, so a completion that arrives later does nothing.
    std::shared_ptr<bool> alive_;
};

} // namespace keepgate
