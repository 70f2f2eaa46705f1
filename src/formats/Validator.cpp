#include "formats/Validator.h"

#include "platform/Messages.h"

#include "formats/TextLines.h"
#include <arpa/inet.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string_view>
#include <vector>

namespace keepgate {

namespace {

using Problem = std::optional<std::string>;

// The characters around a value on its line: `AuthName "` and `"` make 11, and so on.
constexpr std::size_t kRealmLine = 11;      // AuthName "…"
constexpr std::size_t kUserLine = 13;       // Require user …
constexpr std::size_t kGroupLine = 14;      // Require group …
constexpr std::size_t kMemberLine = 2;      // group: …
constexpr std::size_t kHostLine = 11;       // Allow from …
constexpr std::size_t kDirectoryLine = 14;  // <Directory "…">
constexpr std::size_t kFileLine = 16;       // AuthGroupFile "…"
constexpr std::size_t kIncludeLine = 10;    // Include "…"
constexpr std::size_t kAccessFileLine = 15; // AccessFileName …

std::string hex(unsigned char c) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", c);
    return text;
}

std::string controlName(unsigned char c) {
    switch (c) {
    case '\0':
        return QT_TRANSLATE_NOOP("Messages", "a NUL byte");
    case '\t':
        return QT_TRANSLATE_NOOP("Messages", "a tab");
    case '\n':
    case '\r':
        return QT_TRANSLATE_NOOP("Messages", "a line break");
    case '\v':
        return QT_TRANSLATE_NOOP("Messages", "a vertical tab (0x0B)");
    case '\f':
        return QT_TRANSLATE_NOOP("Messages", "a form feed (0x0C)");
    case 0x1B:
        return QT_TRANSLATE_NOOP("Messages", "an escape character (0x1B)");
    case 0x7F:
        return QT_TRANSLATE_NOOP("Messages", "a delete character (0x7F)");
    default:
        return text::fill(QT_TRANSLATE_NOOP("Messages", "a control character (%1)"), hex(c));
    }
}

bool isControl(unsigned char c) {
    return c < 0x20 || c == 0x7F;
}

bool isQuote(char c) {
    return c == '"' || c == '\'';
}

// What Apache's configuration reader does to any value: control characters end or garble the line,
// `${` expands a variable, and a backslash at the end or before a quote escapes what follows.
Problem everyField(std::string_view value, std::size_t lineOverhead) {
    for (const char c : value) {
        if (isControl(static_cast<unsigned char>(c))) {
            return text::fill(QT_TRANSLATE_NOOP("Messages", "it contains %1"),
                              controlName(static_cast<unsigned char>(c)));
        }
    }
    if (value.find("${") != std::string_view::npos) {
        return std::string(
            QT_TRANSLATE_NOOP("Messages", "it contains \"${\", which Apache expands as a variable"));
    }
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\') {
            continue;
        }
        if (i + 1 == value.size()) {
            return std::string(QT_TRANSLATE_NOOP(
                "Messages", "it ends with a backslash, which Apache reads as a line continuation"));
        }
        if (isQuote(value[i + 1])) {
            return std::string(QT_TRANSLATE_NOOP("Messages",
                                                 "it contains a backslash before a quote, which Apache reads "
                                                 "as an escaped quote"));
        }
    }
    if (value.size() + lineOverhead > Validator::kMaxLineLength) {
        return text::fill(
            QT_TRANSLATE_NOOP("Messages", "it would make a line longer than Apache's limit of %1 bytes"),
            Validator::kMaxLineLength);
    }
    return std::nullopt;
}

Problem containsWord(std::string_view value, std::string_view word, const std::string& why) {
    if (value.find(word) != std::string_view::npos) {
        return text::fill(why, word);
    }
    return std::nullopt;
}

Problem doubleQuote(std::string_view value) {
    if (value.find('"') != std::string_view::npos) {
        return std::string(QT_TRANSLATE_NOOP("Messages", "it contains a double quote"));
    }
    return std::nullopt;
}

// Apache splits a list of names at any white space and reads `%{` in a Require argument as an expression.
// An empty name cannot stand on a "Require" line at all: it would vanish between the blanks around it.
Problem name(std::string_view value, std::size_t lineOverhead) {
    if (value.empty()) {
        return std::string(QT_TRANSLATE_NOOP("Messages", "it is empty"));
    }
    for (const char c : value) {
        if (c == ' ') {
            return std::string(QT_TRANSLATE_NOOP("Messages", "it contains a blank"));
        }
        if (std::isspace(static_cast<unsigned char>(c))) {
            return text::fill(QT_TRANSLATE_NOOP("Messages", "it contains %1"),
                              controlName(static_cast<unsigned char>(c)));
        }
        if (c == ':') {
            return std::string(QT_TRANSLATE_NOOP("Messages", "it contains a colon"));
        }
    }
    if (auto problem = everyField(value, lineOverhead)) {
        return problem;
    }
    return containsWord(
        value, "%{",
        QT_TRANSLATE_NOOP("Messages", "it contains \"%1\", which Apache reads as an expression"));
}

bool allDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(),
                                        [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

std::vector<std::string_view> parts(std::string_view text, char separator) {
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    for (;;) {
        const auto at = text.find(separator, start);
        pieces.push_back(
            text.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start));
        if (at == std::string_view::npos) {
            return pieces;
        }
        start = at + 1;
    }
}

// One to four decimal parts of 0 to 255; `complete` asks for all four.
bool isIPv4(std::string_view text, bool complete) {
    const auto octets = parts(text, '.');
    if (octets.size() > 4 || (complete && octets.size() != 4)) {
        return false;
    }
    return std::all_of(octets.begin(), octets.end(), [](std::string_view octet) {
        return allDigits(octet) && octet.size() <= 3 && std::stoi(std::string(octet)) <= 255;
    });
}

bool isIPv6(std::string_view text) {
    unsigned char address[16];
    return text.find(':') != std::string_view::npos &&
           inet_pton(AF_INET6, std::string(text).c_str(), address) == 1;
}

// A host or domain name: labels of letters, digits, hyphens and underscores between single dots; a
// leading dot names every host of the domain.
bool isHostName(std::string_view text) {
    if (!text.empty() && text.front() == '.') {
        text.remove_prefix(1);
    }
    const auto labels = parts(text, '.');
    const bool wellFormed = std::all_of(labels.begin(), labels.end(), [](std::string_view label) {
        return !label.empty() && label.size() <= 63 && std::all_of(label.begin(), label.end(), [](char c) {
            return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_';
        });
    });
    // All-numeric names are addresses, and must pass as such.
    return wellFormed && !allDigits(labels.back());
}

Problem network(std::string_view address, std::string_view mask) {
    const bool v4 = isIPv4(address, true);
    if (!v4 && !isIPv6(address)) {
        return text::fill(
            QT_TRANSLATE_NOOP("Messages", "\"%1\" before the slash is not a complete IP address"), address);
    }
    if (allDigits(mask)) {
        const int limit = v4 ? 32 : 128;
        if (mask.size() > 3 || std::stoi(std::string(mask)) > limit) {
            return text::fill(
                QT_TRANSLATE_NOOP("Messages", "the prefix length /%1 is out of range (/0 to /%2)"), mask,
                limit);
        }
        return std::nullopt;
    }
    if (v4 && isIPv4(mask, true)) {
        return std::nullopt;
    }
    return text::fill(QT_TRANSLATE_NOOP("Messages",
                                        "\"%1\" after the slash is neither a prefix length nor a network "
                                        "mask"),
                      mask);
}

} // namespace

std::optional<std::string> Validator::realm(const std::string& value) {
    if (auto problem = everyField(value, kRealmLine)) {
        return problem;
    }
    if (auto problem = doubleQuote(value)) {
        return problem;
    }
    return containsWord(
        value, "%{",
        QT_TRANSLATE_NOOP("Messages", "it contains \"%1\", which Apache reads as an expression"));
}

std::optional<std::string> Validator::userName(const std::string& value) {
    return name(value, kUserLine);
}

std::optional<std::string> Validator::groupName(const std::string& value) {
    return name(value, kGroupLine);
}

std::optional<std::string> Validator::memberName(const std::string& value) {
    return name(value, kMemberLine);
}

std::optional<std::string> Validator::host(const std::string& value) {
    for (const char c : value) {
        if (c == ' ') {
            return std::string(QT_TRANSLATE_NOOP("Messages", "it contains a blank; one rule names one host"));
        }
    }
    if (auto problem = everyField(value, kHostLine)) {
        return problem;
    }
    if (value.find('#') != std::string::npos) {
        return std::string(QT_TRANSLATE_NOOP("Messages", "it contains \"#\""));
    }
    if (text::lowerAscii(value) == "all") {
        return std::string(
            QT_TRANSLATE_NOOP("Messages", "\"all\" is the \"deny all others\" switch, not a host"));
    }
    if (const auto slash = value.find('/'); slash != std::string::npos) {
        return network(std::string_view(value).substr(0, slash), std::string_view(value).substr(slash + 1));
    }
    if (value.find(':') != std::string::npos) {
        if (isIPv6(value)) {
            return std::nullopt;
        }
        return text::fill(QT_TRANSLATE_NOOP("Messages", "\"%1\" is not an IPv6 address"), value);
    }
    if (value.find_first_not_of("0123456789.") == std::string::npos) {
        if (isIPv4(value, false)) {
            return std::nullopt;
        }
        return text::fill(
            QT_TRANSLATE_NOOP("Messages", "\"%1\" is not an IP address (each part runs from 0 to 255)"),
            value);
    }
    if (isHostName(value)) {
        return std::nullopt;
    }
    return text::fill(QT_TRANSLATE_NOOP("Messages", "\"%1\" is not an IP address, a network or a host name"),
                      value);
}

std::optional<std::string> Validator::directoryPath(const std::string& value) {
    if (auto problem = everyField(value, kDirectoryLine)) {
        return problem;
    }
    return doubleQuote(value);
}

std::optional<std::string> Validator::blockFilePath(const std::string& value) {
    if (auto problem = everyField(value, kFileLine)) {
        return problem;
    }
    return doubleQuote(value);
}

std::optional<std::string> Validator::preferencePath(const std::string& value) {
    if (auto problem = everyField(value, kIncludeLine)) {
        return problem;
    }
    return doubleQuote(value);
}

std::optional<std::string> Validator::accessFileName(const std::string& value) {
    if (auto problem = everyField(value, kAccessFileLine)) {
        return problem;
    }
    if (value.find('/') != std::string::npos) {
        return std::string(
            QT_TRANSLATE_NOOP("Messages", "it contains a slash; it must be a plain file name"));
    }
    if (value == "." || value == "..") {
        return text::fill(QT_TRANSLATE_NOOP("Messages", "\"%1\" names a directory, not a file"), value);
    }
    return std::nullopt;
}

std::optional<std::string> Validator::line(const std::string& value) {
    if (value.size() > kMaxLineLength) {
        return text::fill(QT_TRANSLATE_NOOP("Messages",
                                            "the line is %1 bytes long, longer than Apache's limit of %2 "
                                            "bytes"),
                          value.size(), kMaxLineLength);
    }
    return std::nullopt;
}

} // namespace keepgate
