#include "directory/DirectoryEditorWiring.h"

#include "app/ServerCheckReport.h"
#include "directory/Directory.h"
#include "directory/DirectoryAccess.h"
#include "directory/DirectoryGroups.h"
#include "directory/ProtectionTester.h"

namespace keepgate {

void wireDirectoryEditor(Directory& directory, DirectoryGroups& groups, DirectoryAccess& access,
                         ProtectionTester& tester) {
    directory.userfileView->setDataSource(&directory);
    groups.groupfileView->setDataSource(&groups);
    access.accessView->setDataSource(&access);
    groups.marksChanged = [&directory] { directory.updatePlainTextWarning(); };
    directory.directoryLoaded = [&tester](const std::string& path) { tester.directoryLoaded(path); };
    directory.protectionWritten = [&tester](const std::string& path, const std::string& status) {
        tester.protectionWritten(path, status);
    };
    directory.serverFindings = [&directory] { return ServerCheckReport::findingsFor(&directory); };
    directory.serverFindingsLater = ServerCheckReport::findingsLater(&directory);
}

} // namespace keepgate
