#include "cli/Arguments.h"

#include <algorithm>

namespace keepgate::cli {

std::optional<std::string> Arguments::value(const std::string& name) const {
    const auto it = values.find(name);
    if (it == values.end() || it->second.empty()) {
        return std::nullopt;
    }
    return it->second.back();
}

std::vector<std::string> Arguments::all(const std::string& name) const {
    const auto it = values.find(name);
    return it == values.end() ? std::vector<std::string>{} : it->second;
}

const std::vector<KnownOption>& knownOptions() {
    static const std::vector<KnownOption> options{
        {"--json", false, true},
        {"--dry-run", false, true},
        {"--yes", false, true},
        {"--sudo", false, true},
        {"--help", false, true},
        {"--version", false, true},
        {"--server-config", true, true},
        {"--control-program", true, true},
        {"--shared-file", true, true},
        {"--access-file-name", true, true},
        {"--hash", true},
        {"--cost", true},
        {"--realm", true},
        {"--user-file", true},
        {"--group-file", true},
        {"--user", true},
        {"--group", true},
        {"--allow", true},
        {"--deny", true},
        {"--timeout", true},
        {"--password-stdin"},
        {"--valid-user"},
        {"--deny-others"},
        {"--and"},
        {"--or"},
        {"--access-file"},
        {"--shared"},
        {"--fix"},
        {"--reload"},
    };
    return options;
}

bool isGlobalOption(const std::string& name) {
    const auto& options = knownOptions();
    return std::any_of(options.begin(), options.end(),
                       [&name](const KnownOption& option) { return option.global && option.name == name; });
}

const OptionTable& optionTable() {
    static const OptionTable table = [] {
        OptionTable built;
        for (const auto& option : knownOptions()) {
            (option.takesValue ? built.withValue : built.flags).push_back(option.name);
        }
        return built;
    }();
    return table;
}

std::optional<Arguments> parseArguments(const std::vector<std::string>& argv, std::string* error) {
    const OptionTable& table = optionTable();
    const auto known = [](const std::vector<std::string>& list, const std::string& name) {
        return std::find(list.begin(), list.end(), name) != list.end();
    };
    Arguments arguments;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < argv.size(); ++i) {
        const std::string& word = argv[i];
        if (optionsEnded || word.size() < 2 || word[0] != '-') {
            arguments.words.push_back(word);
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        const auto equals = word.find('=');
        const std::string name = word.substr(0, equals);
        if (known(table.withValue, name)) {
            if (equals != std::string::npos) {
                arguments.values[name].push_back(word.substr(equals + 1));
            } else if (i + 1 < argv.size()) {
                arguments.values[name].push_back(argv[++i]);
            } else {
                *error = "The option " + name + " needs a value.";
                return std::nullopt;
            }
        } else if (known(table.flags, name) && equals == std::string::npos) {
            arguments.flags[name] = true;
        } else if (word == "-h") {
            arguments.flags["--help"] = true;
        } else {
            *error = "Unknown option \"" + word + "\"; keepgatectl --help lists the options.";
            return std::nullopt;
        }
    }
    return arguments;
}

} // namespace keepgate::cli
