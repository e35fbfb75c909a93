#pragma once
// titrage-exercice: writes a teacher's exercise (its ".E42", statement,
// correction and configurations) from the command line, for preparing many
// at once. The window's "Créer un exercice…" writes the same files.

#include <ostream>
#include <string>
#include <vector>

namespace titrage {

// Returns the exit status: 0 written, 2 a wrong argument, file or draft
// (French message on `err`), 1 the files could not be written.
int runExerciseCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace titrage
