#pragma once
// Runs a command-line program's entry point as the shell would, keeping what
// it printed on each stream.
#include "app/core/exercisecommand.h"
#include "app/core/tablecommand.h"

#include <sstream>
#include <string>
#include <vector>

struct CommandOutcome {
    int status = 0;
    std::string out, err;
};

template <class Command>
CommandOutcome runCommand(Command command, const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    CommandOutcome r;
    r.status = command(args, out, err);
    r.out = out.str();
    r.err = err.str();
    return r;
}

inline CommandOutcome runTable(const std::vector<std::string>& args)
{
    return runCommand(titrage::runTableCommand, args);
}

inline CommandOutcome runExercise(const std::vector<std::string>& args)
{
    return runCommand(titrage::runExerciseCommand, args);
}
