#pragma once

namespace keepgate {

class Directory;
class DirectoryGroups;
class DirectoryAccess;
class ProtectionTester;

// Ties the directory editor to its group and host tables, the protection tester and the server check, once
// their outlets are set: the one wiring that the window and the headless tests both use.
void wireDirectoryEditor(Directory& directory, DirectoryGroups& groups, DirectoryAccess& access,
                         ProtectionTester& tester);

} // namespace keepgate
