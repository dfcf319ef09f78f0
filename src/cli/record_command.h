#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tornel::cli {

// tornel-tool record [--device none|sim|comedi[:DEV]] [--config INI]
//   --channels LIST --duration S [--dac N=AMPLITUDE[@DELAY[/RISE]]]... -o OUT.dta
// records one transient response headless through the program's scan loop,
// with its recovery note, and writes the data file at the end. SIGINT or
// SIGTERM stops the run early; the DACs ramp to zero and what was recorded
// is written.
int RecordCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tornel::cli
