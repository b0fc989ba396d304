// petrelctl's command line: options (getopt_long, wherever they stand until "--"),
// the help texts and the words left for the command.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "commands/command.h"

namespace petrelctl {

struct CommandLine {
    Options options;
    std::vector<std::string> words;  // the command and its arguments
    bool help = false;
    bool version = false;
};

// Parses argv; nothing, with `problem` saying why, when an option is unknown, lacks
// its value or has a value it does not take.
std::optional<CommandLine> ParseCommandLine(int argc, char** argv, std::string& problem);

// Blanks the passwords typed on the command line (--password's, change-password's new
// one) in argv itself, once they are read: the journal keeps each sender's command line
// with its audit entries, and ps shows it to other users.
void BlankPasswords(int argc, char** argv, const std::vector<std::string>& passwords);

// Every long option as typed ("--json"), and those that take a value.
std::vector<std::string> AllOptions();
std::vector<std::string> ValueOptions();

// The whole help (the manual page is made from it), or one command's.
void PrintHelp();
void PrintCommandHelp(const Command& command);

// ", did you mean settings?" for a word close to a command's first word, else "".
std::string DidYouMean(const std::string& typed);

}  // namespace petrelctl
