#pragma once

#include <functional>
#include <string>

#include "services/ServerCheck.h"
#include "services/ServerProfile.h"
#include "ui/Controls.h"

namespace keepgate {

// The dialogues around changes to the web server made with administrator rights: installing an amended
// main configuration, offering a reload, and testing the server again after a shared-file save.
class ServerActions {
  public:
    // Tests, backs up and installs the amended main configuration; shows the completion alert and, on
    // a detected server, the reload offer, or an error sheet on `parent` that says what happened.
    static void installMainConfiguration(ui::Window* parent, const std::string& amendedText);

    // Offers "Reload the web server now" and reports whether the server came back; `backup`, when
    // given, is named in the offer.
    static void offerReload(const ServerProfile& profile, const std::string& backup);
    // Told after every reload that brought the server back, so what shows its behaviour looks again.
    static void setReloadObserver(std::function<void()> observer);

    // Makes an amendment worked out by ServerCheck through the one operation the command line uses too
    // (operations::ServerAdmin::applyAmendment); a failure is shown on `parent`, success says what
    // happened and offers the reload.
    static void applyAmendment(ui::Window* parent, const Amendment& amendment);
    // The one AllowOverride fix and the one Include fix, for the start-up question and Check Server.
    static void applyOverrideFix(ui::Window* parent, const std::string& directory);
    static void applyIncludeFix(ui::Window* parent, const std::string& sharedFile);
    // Either of the two, for an OverridesIgnored or IncludeMissing finding.
    static void applyFix(ui::Window* parent, const Finding& finding);

    // The completion alert: what happened, then the reload offer on a server Keepgate can reload, else
    // the advice to restart it (in the words of the Mac's System Preferences only on a Mac layout).
    static void complete(const ServerProfile& profile, const std::string& whatHappened,
                         const std::string& backup);

    // After a save of the shared configuration file: runs the server's configuration test on the main
    // configuration; on a refusal shows the server's message with a button that puts `previousText`
    // back; on success offers the reload.
    static void checkAfterSharedSave(ui::Window* parent, const std::string& sharedPath,
                                     const std::string& previousText);
};

} // namespace keepgate
