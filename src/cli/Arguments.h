#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace keepgate::cli {

// The command line divided into words and options. Options may stand anywhere after the program's name;
// "--name=value" and "--name value" are the same; "--" ends the options.
struct Arguments {
    std::vector<std::string> words;                         // the command, its subcommand, its operands
    std::map<std::string, std::vector<std::string>> values; // options with values, in order
    std::map<std::string, bool> flags;                      // options without values

    bool flag(const std::string& name) const { return flags.count(name) > 0; }
    std::optional<std::string> value(const std::string& name) const;
    std::vector<std::string> all(const std::string& name) const;
};

// One option the program knows: whether it takes a value, and whether every command takes it.
struct KnownOption {
    std::string name;
    bool takesValue = false;
    bool global = false;
};
const std::vector<KnownOption>& knownOptions();
bool isGlobalOption(const std::string& name);

// The options the program knows: those that take a value, and flags.
struct OptionTable {
    std::vector<std::string> withValue;
    std::vector<std::string> flags;
};
const OptionTable& optionTable();

// Divides argv; on an unknown option or a missing value, `error` says which, in one sentence.
std::optional<Arguments> parseArguments(const std::vector<std::string>& argv, std::string* error);

} // namespace keepgate::cli
