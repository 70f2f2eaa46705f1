#include "app/ServerActions.h"

#include <algorithm>

#include "app/AdministratorWrite.h"
#include "operations/ServerAdmin.h"
#include "platform/FileSystem.h"
#include "platform/Messages.h"
#include "platform/History.h"
#include "platform/SystemPaths.h"
#include "services/ServerControl.h"
#include "ui/WindowSystem.h"

namespace keepgate {

namespace {

// Paragraphs that may each hold several lines stay apart, so each is translated as the message it is.
std::string paragraphs(const std::string& first, const std::string& second) {
    return text::fill(QT_TRANSLATE_NOOP("Messages", "%1\n\n%2"), first, second);
}

void showAlert(ui::Window* parent, const std::string& title, const std::string& message) {
    ui::windowSystem().beginAlertSheet({title, message, "OK", ""}, parent, {});
}

} // namespace

void ServerActions::installMainConfiguration(ui::Window* parent, const std::string& amendedText) {
    const ServerProfile profile = ServerProfile::current();
    const auto result = ServerControl::installMainConfiguration(profile, amendedText);
    if (!result.installed) {
        std::string message = text::fill(
            result.unchanged
                ? QT_TRANSLATE_NOOP("Messages", "Keepgate did not install the amended configuration of "
                                                "%1: %2. The web server's configuration was not changed.")
                : QT_TRANSLATE_NOOP("Messages", "Keepgate did not install the amended configuration of "
                                                "%1: %2. The file may have been changed; compare it "
                                                "with its backup %3."),
            profile.mainConfig, result.error, result.backup);
        if (!result.testMessage.empty()) {
            message = paragraphs(message, result.testMessage);
        }
        showAlert(parent, "Error!", message);
        return;
    }
    complete(profile, text::fill(QT_TRANSLATE_NOOP("Messages", "Keepgate changed %1."), profile.mainConfig),
             result.backup);
}

void ServerActions::complete(const ServerProfile& profile, const std::string& whatHappened,
                             const std::string& backup) {
    std::string message = QT_TRANSLATE_NOOP("Messages", "Apache (httpd) is now configured.");
    if (!whatHappened.empty()) {
        message = paragraphs(message, whatHappened);
    }
    if (!backup.empty()) {
        message = paragraphs(
            message,
            text::fill(QT_TRANSLATE_NOOP("Messages", "The previous configuration was kept as %1."), backup));
    }
    if (profile.reloadCommand().empty()) {
        // Only the Mac's own web server is restarted from System Preferences.
        const bool macLayout =
            !systemPaths().serverDetected || profile.documentRoot.starts_with("/Library/WebServer");
        message = paragraphs(message,
                             macLayout ? QT_TRANSLATE_NOOP("Messages", "Please restart the Personal Web "
                                                                       "Sharing in your System Preferences "
                                                                       "for the changes to take effect!")
                                       : QT_TRANSLATE_NOOP("Messages", "Restart the web server for the "
                                                                       "changes to take effect."));
        showAlert(nullptr, QT_TRANSLATE_NOOP("Messages", "Complete!"), message);
        return;
    }
    message =
        paragraphs(message, QT_TRANSLATE_NOOP("Messages", "The web server reads the change when it reloads "
                                                          "its configuration."));
    ui::windowSystem().beginAlertSheet(
        {"Complete!", message, QT_TRANSLATE_NOOP("Messages", "Reload the web server now"),
         QT_TRANSLATE_NOOP("Messages", "Later")},
        nullptr, [profile](int returnCode) {
            if (returnCode != 1) {
                return;
            }
            const auto reloaded = ServerControl::reload(profile);
            showAlert(nullptr, reloaded.reloaded ? QT_TRANSLATE_NOOP("Messages", "Reloaded") : "Error!",
                      reloaded.message);
        });
}

void ServerActions::applyAmendment(ui::Window* parent, const Amendment& amendment) {
    const ServerProfile profile = ServerProfile::current();
    const operations::Outcome outcome = operations::ServerAdmin::applyAmendment(profile, amendment);
    if (!outcome.ok()) {
        showAlert(parent, "Error!", outcome.message);
        return;
    }
    const bool changed = !outcome.steps.empty() ||
                         std::any_of(outcome.changes.begin(), outcome.changes.end(),
                                     [](const operations::FileChange& change) { return change.changes(); });
    if (!changed) {
        showAlert(parent, "Complete!", outcome.message);
        return;
    }
    complete(profile, outcome.message, "");
}

void ServerActions::applyOverrideFix(ui::Window* parent, const std::string& directory) {
    const platform::HistoryAction action(
        text::fill(QT_TRANSLATE_NOOP("Messages", "Allowed access files for %1"), directory));
    applyFix(parent, {FindingKind::OverridesIgnored, "", directory, true});
}

void ServerActions::applyIncludeFix(ui::Window* parent, const std::string& sharedFile) {
    const platform::HistoryAction action(
        text::fill(QT_TRANSLATE_NOOP("Messages", "Made the web server read %1"), sharedFile));
    applyFix(parent, {FindingKind::IncludeMissing, "", sharedFile, true});
}

void ServerActions::applyFix(ui::Window* parent, const Finding& finding) {
    std::string why;
    if (const auto amendment =
            operations::ServerAdmin::amendmentFor(ServerProfile::current(), finding, &why)) {
        applyAmendment(parent, *amendment);
        return;
    }
    showAlert(parent, "Error!", why);
}

namespace {

std::function<void()>& reloadObserver() {
    static std::function<void()> observer;
    return observer;
}

} // namespace

void ServerActions::setReloadObserver(std::function<void()> observer) {
    reloadObserver() = std::move(observer);
}

void ServerActions::offerReload(const ServerProfile& profile, const std::string& backup) {
    const std::string kept =
        backup.empty()
            ? ""
            : text::fill(QT_TRANSLATE_NOOP("Messages", "The previous configuration was kept as %1."), backup);
    if (profile.reloadCommand().empty()) {
        if (!kept.empty()) {
            showAlert(nullptr, QT_TRANSLATE_NOOP("Messages", "Backup"), kept);
        }
        return;
    }
    const std::string reads =
        QT_TRANSLATE_NOOP("Messages", "The web server reads the change when it reloads its configuration.");
    const std::string message = kept.empty() ? reads : paragraphs(kept, reads);
    ui::windowSystem().beginAlertSheet(
        {QT_TRANSLATE_NOOP("Messages", "Reload"), message, "Reload the web server now", "Later"}, nullptr,
        [profile](int returnCode) {
            if (returnCode != 1) {
                return;
            }
            const auto reloaded = ServerControl::reload(profile);
            showAlert(nullptr, reloaded.reloaded ? "Reloaded" : "Error!", reloaded.message);
            if (reloaded.reloaded && reloadObserver()) {
                reloadObserver()();
            }
        });
}

void ServerActions::checkAfterSharedSave(ui::Window* parent, const std::string& sharedPath,
                                         const std::string& previousText) {
    const ServerProfile profile = ServerProfile::current();
    const auto test = ServerControl::testConfiguration(profile, profile.mainConfig);
    if (!test.ran) {
        return;
    }
    if (test.passed) {
        offerReload(profile, "");
        return;
    }
    const std::string message = text::fill(
        QT_TRANSLATE_NOOP("Messages", "The web server's configuration test fails after this save of "
                                      "%1:\n\n%2\n\nThe web server keeps its running configuration "
                                      "until it reloads."),
        sharedPath, test.message);
    ui::windowSystem().beginAlertSheet(
        {"Error!", message, QT_TRANSLATE_NOOP("Messages", "Restore the previous file"),
         QT_TRANSLATE_NOOP("Messages", "Keep")},
        parent, [parent, sharedPath, previousText](int returnCode) {
            if (returnCode != 1) {
                return;
            }
            const platform::HistoryAction action(text::fill(
                QT_TRANSLATE_NOOP("Messages", "Put back %1 after the server's test failed"), sharedPath));
            const auto written = platform::writeFileAtomically(sharedPath, previousText);
            if (written) {
                showAlert(parent, QT_TRANSLATE_NOOP("Messages", "Restored"),
                          text::fill(QT_TRANSLATE_NOOP("Messages", "The previous contents of %1 are back."),
                                     sharedPath));
            } else {
                offerAdministratorWrite(
                    parent, sharedPath, previousText,
                    text::fill(QT_TRANSLATE_NOOP("Messages", "Keepgate could not restore %1 "
                                                             "(%2)."),
                               sharedPath, written.error));
            }
        });
}

} // namespace keepgate
