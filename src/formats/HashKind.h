#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace keepgate::hashes {

// The preference that chooses how new passwords are hashed: "default" (the hashing tool's own, apr1),
// "bcrypt", "sha512" or "sha256"; and the bcrypt cost.
inline constexpr const char* kPasswordHashKey = "KGpasswordHash";
inline constexpr const char* kBcryptCostKey = "KGbcryptCost";
inline constexpr const char* kDefaultPasswordHash = "default";
inline constexpr int kDefaultBcryptCost = 10;
// The costs offered: below 5 a check is too quick to slow a guesser, above 14 it takes seconds on every
// request to a protected page.
inline constexpr int kMinBcryptCost = 5;
inline constexpr int kMaxBcryptCost = 14;

// The choices in the order the preferences window lists them, with their titles.
struct Choice {
    const char* value;
    const char* title;
};
inline constexpr Choice kChoices[] = {
    {"default", "Hashing tool's default (apr1)"},
    {"bcrypt", "bcrypt (recommended)"},
    {"sha512", "SHA-512"},
    {"sha256", "SHA-256"},
};

// The hashing tool's options for the preferred kind (none for the tool's default).
std::vector<std::string> preferredToolOptions();

// The hashing tool's options for bcrypt at a cost.
std::vector<std::string> bcryptToolOptions(int cost);

// The kind of a stored hash in words: "bcrypt", "apr1 (MD5)", "SHA-512", "SHA-256", "SHA-1 (weak)",
// "crypt (weak)", "plain text (weak)", "MD5 crypt", or "none" for an empty hash.
std::string kindOf(std::string_view hash);

// The kinds of stored hash, in the order a summary lists them.
enum class Kind { Bcrypt, Apr1, Sha512, Sha256, Md5Crypt, Sha1, Crypt, PlainText, None };
inline constexpr std::size_t kKindCount = 9;
Kind kindCodeOf(std::string_view hash);
// The kind's short name for a summary: "bcrypt", "apr1 (MD5)", "SHA-512", "MD5 crypt", "SHA-1",
// "crypt", "plain text", "no password".
const char* shortName(Kind kind);
// Weak: crypt (only the first 8 characters of a password count), SHA-1 (unsalted, so equal passwords
// have equal hashes and precomputed tables find them), plain text, and no password at all.
bool isWeak(Kind kind);

// How many users have each kind of hash.
struct Health {
    std::array<std::size_t, kKindCount> counts{};
    std::size_t count(Kind kind) const { return counts[static_cast<std::size_t>(kind)]; }
    std::size_t weak() const;
    // "bcrypt 3, apr1 (MD5) 1, crypt 1" (kinds that occur, in summary order), or "" for no users.
    std::string summary() const;
    // "3 users have weak passwords: crypt 1, plain text 2", or "" when none has.
    std::string weakNotice() const;
};

} // namespace keepgate::hashes
