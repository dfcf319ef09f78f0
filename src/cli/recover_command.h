#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tornel::cli {

// tornel-tool recover [--list] [-o DIR]: the recordings a killed program
// left unsaved, listed, or each written to DIR (the current folder by
// default) as a data file named after its sample file, after which its
// sample file and note go. `folders` are where to look.
int RecoverCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   const std::vector<std::string>& folders);
int RecoverCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tornel::cli
