#pragma once

#include <optional>
#include <string>
#include <vector>


namespace keepgate::operations {

// How an operation ended; the command line turns it into its exit status (0, 1, 2, 3).
enum class Status {
    Done,    // done, or nothing needed doing
    Refused, // refused (bad value, unreadable file, an unanswered question) or, for a probe, not protected
    Usage,   // the request itself is malformed
    ServerFailed, // the server refused its configuration test or failed the live test
};

// One file an operation means to write. `after` absent means the file is to be removed; `before` absent
// means it does not exist now. Nothing is written by the operation itself: the caller applies the
// changes (or shows them, for a dry run).
struct FileChange {
    std::string path;
    std::optional<std::string> before;
    std::optional<std::string> after;
    bool changes() const { return before != after; }
};

// A program an operation runs once its files are in place (a2enconf enabling Keepgate's own file,
// a2enmod enabling a module): through the privileged helper's command when it is installed, else the
// program itself through the privileged launcher.
struct Step {
    std::vector<std::string> helperArguments; // {"enable-conf", "keepgate"}
    std::vector<std::string> command;         // {"/usr/sbin/a2enconf", "keepgate"}
    // The command as a shell would show it, for dry runs and messages.
    std::string text() const;
};

// A question the operation needs answered before it goes on (replacing lines it cannot show, saving a
// protection the server will not enforce, changing an existing user's password).
struct Question {
    std::string text;
};

// What an operation found or did, as values: a sentence, the files to write and, for reports, a list of
// named fields the faces show as they like.
struct Outcome {
    Status status = Status::Done;
    std::string message;
    std::vector<FileChange> changes;
    std::optional<Question> question;
    // The programs that go with the changes, run after them (or shown, for a dry run).
    std::vector<Step> steps;
    // Follow-up work once the changes are on disk (test the server after a shared-file save).
    bool sharedFileWritten = false;

    static Outcome refused(std::string message) {
        Outcome outcome;
        outcome.status = Status::Refused;
        outcome.message = std::move(message);
        return outcome;
    }
    static Outcome usage(std::string message) {
        Outcome outcome;
        outcome.status = Status::Usage;
        outcome.message = std::move(message);
        return outcome;
    }
    static Outcome asking(std::string text) {
        Outcome outcome;
        outcome.status = Status::Refused;
        outcome.question = Question{std::move(text)};
        return outcome;
    }
    bool ok() const { return status == Status::Done && !question; }
};

// The exit status the command line gives an outcome.
int exitStatus(Status status);

// The refusal of a value by the validator, in the words every editor uses.
std::string refusal(const std::string& field, const std::string& value, const std::string& problem);

} // namespace keepgate::operations
