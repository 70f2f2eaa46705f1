#include "operations/Outcome.h"

namespace keepgate::operations {

std::string Step::text() const {
    std::string line;
    for (const auto& word : command) {
        const bool plain = !word.empty() && word.find_first_of(" \t\n'\"\\$`") == std::string::npos;
        line += (line.empty() ? "" : " ") + (plain ? word : "'" + word + "'");
    }
    return line;
}

int exitStatus(Status status) {
    switch (status) {
    case Status::Done:
        return 0;
    case Status::Refused:
        return 1;
    case Status::Usage:
        return 2;
    case Status::ServerFailed:
        return 3;
    }
    return 1;
}

std::string refusal(const std::string& field, const std::string& value, const std::string& problem) {
    return "The " + field + " \"" + value + "\" cannot be used: " + problem + ". Nothing was saved.";
}

} // namespace keepgate::operations
