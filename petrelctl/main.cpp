// petrelctl: administer a body-worn camera from the command line or a script.
#include <algorithm>
#include <iostream>
#include <string>

#include "camera/cameras.h"
#include "camera/session.h"
#include "command_line.h"
#include "commands/completion.h"
#include "fleet/fleet.h"
#include "trail/operation_record.h"

namespace {

int Usage(const std::string& problem) {
    std::cerr << "petrelctl: " << problem << " (see petrelctl --help)\n";
    return 2;
}

// "help", "help CMD", "CMD --help": the words name the command whose help is wanted.
int Help(std::vector<std::string> words) {
    if (words.empty()) {
        petrelctl::PrintHelp();
        return 0;
    }
    const std::string typed = words.front();
    const petrelctl::Command* command = petrelctl::FindCommand(words);
    if (command == nullptr) return Usage("unknown command " + typed + petrelctl::DidYouMean(typed));
    petrelctl::PrintCommandHelp(*command);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // Hidden: the shell's completion asks what may follow the words typed so far.
    if (argc > 1 && std::string(argv[1]) == "__complete") {
        petrelctl::PrintCompletions(std::vector<std::string>(argv + 2, argv + argc),
                                    petrelctl::AllOptions(), petrelctl::ValueOptions());
        return 0;
    }
    std::string problem;
    auto line = petrelctl::ParseCommandLine(argc, argv, problem);
    if (!line) return Usage(problem);
    if (line->version) {
        std::cout << "petrelctl " PETRELCTL_VERSION "\n";
        return 0;
    }
    std::vector<std::string>& words = line->words;
    if (line->help) return Help(words);
    if (!words.empty() && words.front() == "help") return Help({words.begin() + 1, words.end()});
    if (words.empty()) {
        petrelctl::PrintHelp();
        return 2;
    }
    const std::string typed = words.front();
    const petrelctl::Command* command = petrelctl::FindCommand(words);
    if (command == nullptr) return Usage("unknown command " + typed + petrelctl::DidYouMean(typed));
    std::vector<std::string> typedPasswords;
    if (line->options.password) typedPasswords.push_back(*line->options.password);
    if (std::string(command->name) == "change-password" && words.size() > 1)
        typedPasswords.push_back(words[1]);
    petrelctl::BlankPasswords(argc, argv, typedPasswords);
    const int count = static_cast<int>(words.size());
    if (count < command->minArguments ||
        (command->maxArguments >= 0 && count > command->maxArguments)) {
        return Usage(std::string("usage: petrelctl ") + command->name + " " + command->usage);
    }
    petrelctl::Options& options = line->options;
    options.arguments = std::move(words);
    if (!petrelctl::GatherPassword(options, command->logsIn, problem)) return Usage(problem);
    options.several = options.all || options.selectors.size() > 1;
    petrelctl::Output output(options.json);
    if (command->check != nullptr && command->check(options, output) != 0) return output.Finish();
    if (command->perCamera && (options.all || !options.selectors.empty())) {
        const auto cameras = petrelctl::SelectCameras(options, problem);
        if (!cameras) {
            output.FailWith("select", problem, "NO_CAMERA");
            return output.Finish();
        }
        if (options.several) return petrelctl::RunOnEach(*command, options, *cameras);
        options.camera = cameras->front();
    }
    return petrelctl::RunRecorded(*command, options, output);
}
