#include "operations/Outcome.h"

namespace keepgate::operations {

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
