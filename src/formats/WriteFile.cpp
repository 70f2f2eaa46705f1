#include "formats/WriteFile.h"

namespace keepgate {

std::string WriteFile::userfileText(const std::vector<UserRecord>& records) {
    std::string text;
    for (const auto& record : records) {
        text += record.text("username") + ":" + record.text("password") + "\n";
    }
    return text;
}

std::string WriteFile::groupfileText(const std::vector<ReadFile::GroupLine>& groups) {
    std::string text;
    for (const auto& group : groups) {
        text += group.title + ":";
        for (const auto& member : group.members) {
            text += " " + member;
        }
        text += "\n";
    }
    return text;
}

} // namespace keepgate
