// What the shell may complete on petrelctl's command line, from the tables the
// commands themselves use, so the completion never falls behind the program.
#pragma once

#include <string>
#include <vector>

namespace petrelctl {

// The words that may stand where the last of `typed` stands (the word being
// completed, possibly empty), one per line on standard output: options, command
// words, the NAME= of each field a set command changes, the values of --level and
// --drive. `options` are every option petrelctl takes; `valueOptions` the ones
// that take the next word as their value.
void PrintCompletions(const std::vector<std::string>& typed,
                      const std::vector<std::string>& options,
                      const std::vector<std::string>& valueOptions);

}  // namespace petrelctl
