#include "app/AdministratorWrite.h"

#include "platform/Messages.h"
#include "platform/History.h"
#include "services/PrivilegedCopy.h"
#include "ui/WindowSystem.h"

namespace keepgate {

void offerAdministratorWrite(ui::Window* parent, const std::string& path, const std::string& text,
                             const std::string& errorMessage, std::function<void(bool)> done) {
    if (!administratorRightsWouldHelp(path)) {
        ui::windowSystem().beginAlertSheet({"Error!", errorMessage, "OK", ""}, parent, {});
        if (done) {
            done(false);
        }
        return;
    }
    ui::windowSystem().beginAlertSheet(
        {"Error!", errorMessage, QT_TRANSLATE_NOOP("Messages", "Write with administrator rights"), "Cancel"}, parent,
        [parent, path, text, done, label = platform::HistoryAction::current()](int returnCode) {
            bool written = false;
            if (returnCode == 1) {
                const platform::HistoryAction action(label);
                const auto outcome = PrivilegedCopy::install(text, path);
                written = outcome.copied;
                ui::windowSystem().beginAlertSheet(
                    written
                        ? ui::AlertSpec{QT_TRANSLATE_NOOP("Messages", "Saved"),
                                        text::fill(
                                            QT_TRANSLATE_NOOP("Messages",
                                                              "%1 was written with administrator rights."),
                                            path),
                                        "OK", ""}
                        : ui::AlertSpec{"Error!",
                                        text::fill(
                                            outcome.unchanged
                                                ? QT_TRANSLATE_NOOP("Messages",
                                                                    "%1 was not written with administrator "
                                                                    "rights: %2. The file was not changed.")
                                                : QT_TRANSLATE_NOOP("Messages",
                                                                    "%1 was not written with administrator "
                                                                    "rights: %2. The file may have been "
                                                                    "changed."),
                                            path, outcome.error),
                                        "OK", ""},
                    parent, {});
            }
            if (done) {
                done(written);
            }
        });
}

} // namespace keepgate
