#pragma once

#include <string>

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

    // After a save of the shared configuration file: runs the server's configuration test on the main
    // configuration; on a refusal shows the server's message with a button that puts `previousText`
    // back; on success offers the reload.
    static void checkAfterSharedSave(ui::Window* parent, const std::string& sharedPath,
                                     const std::string& previousText);
};

} // namespace keepgate
