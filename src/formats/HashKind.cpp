#include "formats/HashKind.h"

#include <algorithm>

#include "platform/DefaultsStore.h"

namespace keepgate::hashes {

std::vector<std::string> preferredToolOptions() {
    const auto& defaults = standardUserDefaults();
    const std::string choice = defaults.stringForKey(kPasswordHashKey).value_or(kDefaultPasswordHash);
    if (choice == "bcrypt") {
        long long cost = defaults.integerForKey(kBcryptCostKey);
        // An unset or odd value falls back to the default.
        if (cost < kMinBcryptCost || cost > kMaxBcryptCost) {
            cost = kDefaultBcryptCost;
        }
        return bcryptToolOptions(static_cast<int>(cost));
    }
    if (choice == "sha512") {
        return {"-5"};
    }
    if (choice == "sha256") {
        return {"-2"};
    }
    return {};
}

std::vector<std::string> bcryptToolOptions(int cost) {
    return {"-B", "-C", std::to_string(cost)};
}

std::string kindOf(std::string_view hash) {
    switch (const Kind kind = kindCodeOf(hash)) {
    case Kind::Sha1:
    case Kind::Crypt:
    case Kind::PlainText:
        return std::string(shortName(kind)) + " (weak)";
    case Kind::None:
        return "none";
    default:
        return shortName(kind);
    }
}

} // namespace keepgate::hashes

namespace keepgate::hashes {

Kind kindCodeOf(std::string_view hash) {
    while (!hash.empty() && (hash.back() == '\r' || hash.back() == '\n')) {
        hash.remove_suffix(1);
    }
    if (hash.empty()) {
        return Kind::None;
    }
    const auto startsWith = [&](std::string_view prefix) { return hash.substr(0, prefix.size()) == prefix; };
    if (startsWith("$2y$") || startsWith("$2a$") || startsWith("$2b$")) {
        return Kind::Bcrypt;
    }
    if (startsWith("$apr1$")) {
        return Kind::Apr1;
    }
    if (startsWith("$6$")) {
        return Kind::Sha512;
    }
    if (startsWith("$5$")) {
        return Kind::Sha256;
    }
    // The system's MD5 crypt: Apache checks it through crypt(3), and it is as strong as apr1.
    if (startsWith("$1$")) {
        return Kind::Md5Crypt;
    }
    if (startsWith("{SHA}")) {
        return Kind::Sha1;
    }
    const bool cryptAlphabet = std::all_of(hash.begin(), hash.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
               c == '/';
    });
    return hash.size() == 13 && cryptAlphabet ? Kind::Crypt : Kind::PlainText;
}

const char* shortName(Kind kind) {
    switch (kind) {
    case Kind::Bcrypt:
        return "bcrypt";
    case Kind::Apr1:
        return "apr1 (MD5)";
    case Kind::Sha512:
        return "SHA-512";
    case Kind::Sha256:
        return "SHA-256";
    case Kind::Md5Crypt:
        return "MD5 crypt";
    case Kind::Sha1:
        return "SHA-1";
    case Kind::Crypt:
        return "crypt";
    case Kind::PlainText:
        return "plain text";
    case Kind::None:
        return "no password";
    }
    return "";
}

bool isWeak(Kind kind) {
    return kind == Kind::Sha1 || kind == Kind::Crypt || kind == Kind::PlainText || kind == Kind::None;
}

std::size_t Health::weak() const {
    std::size_t total = 0;
    for (std::size_t i = 0; i < kKindCount; ++i) {
        total += isWeak(static_cast<Kind>(i)) ? counts[i] : 0;
    }
    return total;
}

namespace {

std::string listed(const std::array<std::size_t, kKindCount>& counts, bool weakOnly) {
    std::string text;
    for (std::size_t i = 0; i < kKindCount; ++i) {
        if (counts[i] == 0 || (weakOnly && !isWeak(static_cast<Kind>(i)))) {
            continue;
        }
        text += (text.empty() ? "" : ", ") + std::string(shortName(static_cast<Kind>(i))) + " " +
                std::to_string(counts[i]);
    }
    return text;
}

} // namespace

std::string Health::summary() const {
    return listed(counts, false);
}

std::string Health::weakNotice() const {
    const std::size_t total = weak();
    if (total == 0) {
        return {};
    }
    return std::to_string(total) +
           (total == 1 ? " user has a weak password: " : " users have weak passwords: ") +
           listed(counts, true);
}

} // namespace keepgate::hashes
