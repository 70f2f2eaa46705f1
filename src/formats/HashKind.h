#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/Messages.h"

namespace keepgate::hashes {

// The preference that chooses how new passwords are hashed: "default" (the hashing tool's own, apr1),
// "bcrypt", "sha512" or "sha256"; and the bcrypt cost.
inline constexpr const char* kPasswordHashKey = "KGpasswordHash";
inline constexpr const char* kBcryptCostKey = "KGbcryptCost";
inline constexpr const char* kDefaultPasswordHash = "default";
inline constexpr int kDefaultBcryptCost = 10;

// The choices in the order the preferences window lists them, with their titles.
struct Choice {
    const char* value;
    const char* title;
};
inline constexpr Choice kChoices[] = {
    {"default", QT_TRANSLATE_NOOP("Messages", "Hashing tool's default (apr1)")},
    {"bcrypt", QT_TRANSLATE_NOOP("Messages", "bcrypt (recommended)")},
    {"sha512", "SHA-512"},
    {"sha256", "SHA-256"},
};

// The hashing tool's options for the preferred kind (none for the tool's default).
std::vector<std::string> preferredToolOptions();

// The kind of a stored hash in words: "bcrypt", "apr1 (MD5)", "SHA-512", "SHA-256", "SHA-1 (weak)",
// "crypt (weak)", "plain text (weak)", or "none" for an empty hash.
std::string kindOf(std::string_view hash);

} // namespace keepgate::hashes
