#include "app/AdministratorWrite.h"

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
        {"Error!", errorMessage, "Write with administrator rights", "Cancel"}, parent,
        [parent, path, text, done, label = platform::HistoryAction::current()](int returnCode) {
            bool written = false;
            if (returnCode == 1) {
                const platform::HistoryAction action(label);
                const auto outcome = PrivilegedCopy::install(text, path);
                written = outcome.copied;
                ui::windowSystem().beginAlertSheet(
                    written
                        ? ui::AlertSpec{"Saved", path + " was written with administrator rights.", "OK", ""}
                        : ui::AlertSpec{"Error!",
                                        path + " was not written with administrator rights: " +
                                            outcome.error + "." +
                                            (outcome.unchanged ? " The file was not changed."
                                                               : " The file may have been changed."),
                                        "OK", ""},
                    parent, {});
            }
            if (done) {
                done(written);
            }
        });
}

} // namespace keepgate
