#include "commands/completion.h"

#include <algorithm>
#include <iostream>
#include <iterator>
#include <sstream>

#include "commands/command.h"
#include "records/records.h"

namespace petrelctl {
namespace {

std::vector<std::string> WordsOf(const char* name) {
    std::istringstream words(name);
    return {std::istream_iterator<std::string>(words), std::istream_iterator<std::string>()};
}

// The next word of every command that begins with `words`, each once.
void PrintCommandWords(const std::vector<std::string>& words) {
    std::vector<std::string> printed;
    for (const Command& command : Commands()) {
        const auto name = WordsOf(command.name);
        if (name.size() <= words.size() || !std::equal(words.begin(), words.end(), name.begin()))
            continue;
        const std::string& next = name[words.size()];
        if (std::find(printed.begin(), printed.end(), next) != printed.end()) continue;
        printed.push_back(next);
        std::cout << next << "\n";
    }
}

}  // namespace

void PrintCompletions(const std::vector<std::string>& typed,
                      const std::vector<std::string>& options,
                      const std::vector<std::string>& valueOptions) {
    if (typed.empty()) return;
    const std::string& current = typed.back();
    const std::string previous = typed.size() > 1 ? typed[typed.size() - 2] : "";
    if (previous == "--level") {
        std::cout << "0\n1\n";
        return;
    }
    if (previous == "--drive") {
        for (char letter = 'D'; letter <= 'Y'; ++letter) std::cout << letter << "\n";
        return;
    }
    if (std::find(valueOptions.begin(), valueOptions.end(), previous) != valueOptions.end()) return;
    if (current.starts_with("-")) {
        for (const auto& option : options) std::cout << option << "\n";
        return;
    }

    std::vector<std::string> words;
    for (std::size_t i = 0; i + 1 < typed.size(); ++i) {
        const bool isValueOption =
            std::find(valueOptions.begin(), valueOptions.end(), typed[i]) != valueOptions.end();
        if (isValueOption)
            ++i;
        else if (!typed[i].starts_with("-"))
            words.push_back(typed[i]);
    }
    std::vector<std::string> rest = words;
    const Command* command = FindCommand(rest);
    const std::string name = command != nullptr ? command->name : "";
    if (name.ends_with(" set")) {
        for (const auto& field : SettableFieldNames(name.substr(0, name.size() - 4)))
            std::cout << field << "=\n";
    } else if (rest.empty())
        PrintCommandWords(words);
}

}  // namespace petrelctl
