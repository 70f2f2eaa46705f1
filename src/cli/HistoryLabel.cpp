#include "cli/HistoryLabel.h"

#include <iostream>

#include "platform/History.h"

namespace keepgate::cli {

namespace {

std::string joined(const std::vector<std::string>& words, std::size_t from) {
    std::string text;
    for (std::size_t i = from; i < words.size(); ++i) {
        text += (text.empty() ? "" : ", ") + words[i];
    }
    return text;
}

} // namespace

std::string historyLabel(const std::vector<std::string>& words) {
    const auto word = [&](std::size_t i) { return i < words.size() ? words[i] : std::string(); };
    const std::string command = word(0);
    const std::string sub = word(1);
    if (command == "users") {
        if (sub == "add") {
            return "Added " + word(3);
        }
        if (sub == "passwd") {
            return "Changed the password of " + word(3);
        }
        if (sub == "delete") {
            return "Deleted " + word(3);
        }
    }
    if (command == "groups") {
        if (sub == "add") {
            return "Added group " + word(3);
        }
        if (sub == "delete") {
            return "Deleted group " + word(3);
        }
        if (sub == "add-member") {
            return "Added " + joined(words, 4) + " to " + word(3);
        }
        if (sub == "remove-member") {
            return "Removed " + joined(words, 4) + " from " + word(3);
        }
    }
    if (command == "protect") {
        return "Saved protection of " + sub;
    }
    if (command == "unprotect") {
        return "Removed protection of " + sub;
    }
    if (command == "check") {
        return sub.empty() ? std::string("Fixed the web server") : "Fixed the web server for " + sub;
    }
    std::string text = "keepgatectl";
    for (const auto& each : words) {
        text += " " + each;
    }
    return text;
}

void openHistory() {
    auto& history = platform::History::shared();
    history.setNoticeHandler(
        [](const std::string& notice) { std::cerr << "keepgatectl: " << notice << "\n"; });
    history.open(platform::History::defaultFolder());
}

} // namespace keepgate::cli
