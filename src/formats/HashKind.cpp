#include "formats/HashKind.h"

#include <algorithm>

#include "platform/DefaultsStore.h"

namespace keepgate::hashes {

std::vector<std::string> preferredToolOptions() {
    const auto& defaults = standardUserDefaults();
    const std::string choice = defaults.stringForKey(kPasswordHashKey).value_or(kDefaultPasswordHash);
    if (choice == "bcrypt") {
        long long cost = defaults.integerForKey(kBcryptCostKey);
        // The tool takes costs from 4 to 17; an unset or odd value falls back to the default.
        if (cost < 4 || cost > 17) {
            cost = kDefaultBcryptCost;
        }
        return {"-B", "-C", std::to_string(cost)};
    }
    if (choice == "sha512") {
        return {"-5"};
    }
    if (choice == "sha256") {
        return {"-2"};
    }
    return {};
}

std::string kindOf(std::string_view hash) {
    while (!hash.empty() && (hash.back() == '\r' || hash.back() == '\n')) {
        hash.remove_suffix(1);
    }
    if (hash.empty()) {
        return QT_TRANSLATE_NOOP("Messages", "none");
    }
    const auto startsWith = [&](std::string_view prefix) { return hash.substr(0, prefix.size()) == prefix; };
    if (startsWith("$2y$") || startsWith("$2a$") || startsWith("$2b$")) {
        return "bcrypt";
    }
    if (startsWith("$apr1$")) {
        return "apr1 (MD5)";
    }
    if (startsWith("$6$")) {
        return "SHA-512";
    }
    if (startsWith("$5$")) {
        return "SHA-256";
    }
    if (startsWith("{SHA}")) {
        return QT_TRANSLATE_NOOP("Messages", "SHA-1 (weak)");
    }
    // Traditional crypt: two salt characters and eleven more, all from its alphabet.
    const bool cryptAlphabet = std::all_of(hash.begin(), hash.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
               c == '/';
    });
    if (hash.size() == 13 && cryptAlphabet) {
        return QT_TRANSLATE_NOOP("Messages", "crypt (weak)");
    }
    return QT_TRANSLATE_NOOP("Messages", "plain text (weak)");
}

} // namespace keepgate::hashes
