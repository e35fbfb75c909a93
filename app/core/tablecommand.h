#pragma once
// titrage-table: the measurements of one titration, printed as the bench
// records them, for teachers and scripts.

#include <iosfwd>
#include <string>
#include <vector>

namespace titrage {

// Runs the command with its arguments (without the program name). Returns the
// exit status: 0 on success, 2 on bad input or a mixture (--becher) that the
// engine refuses, 3 when --droites finds no break (message on `err`, nothing
// on `out`, in every failure).
int runTableCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace titrage
