#include "formats/ReadFile.h"

#include <algorithm>

#include "formats/TextLines.h"
#include "platform/FileSystem.h"

namespace keepgate {

namespace {

// The lines of a file split at every line feed; a file that cannot be read has none.
std::vector<std::string> linesOf(const std::string& path) {
    const auto contents = platform::readFile(path);
    if (!contents) {
        return {};
    }
    return text::split(*contents, '\n');
}

bool isRecordLine(const std::string& line) {
    return !line.empty() && text::contains(line, ":");
}

const char* markFor(const std::string& name, const std::vector<std::string>& marked) {
    return std::find(marked.begin(), marked.end(), name) != marked.end() ? "1" : "0";
}

} // namespace

std::vector<UserRecord> ReadFile::readUserfile(const std::string& recordsFile,
                                               const std::vector<std::string>& users) {
    std::vector<UserRecord> records;
    for (const auto& line : linesOf(recordsFile)) {
        if (!isRecordLine(line)) {
            continue;
        }
        const auto fields = text::split(line, ':');
        records.push_back(UserRecord{
            {"username", fields[0]}, {"password", fields[1]}, {"check", markFor(fields[0], users)}});
    }
    return records;
}

std::vector<GroupRecord> ReadFile::readGroupfile(const std::string& recordsFile,
                                                 const std::vector<std::string>& groups) {
    std::vector<GroupRecord> records;
    for (const auto& line : linesOf(recordsFile)) {
        if (!isRecordLine(line)) {
            continue;
        }
        const std::string name = line.substr(0, line.find(':'));
        records.push_back(GroupRecord{{"groupname", name}, {"check", markFor(name, groups)}});
    }
    return records;
}

std::vector<ReadFile::GroupLine> ReadFile::readGroupTree(const std::string& recordsFile) {
    std::vector<GroupLine> groups;
    for (const auto& line : linesOf(recordsFile)) {
        const auto colonPieces = text::split(line, ':');
        if (colonPieces.size() < 2) {
            continue;
        }
        // Members come from the whole line split at blanks, so the first piece (the name and its colon,
        // plus anything joined to it) is never a member.
        auto members = text::split(line, ' ');
        members.erase(members.begin());
        groups.push_back(GroupLine{colonPieces[0], std::move(members)});
    }
    return groups;
}

} // namespace keepgate
