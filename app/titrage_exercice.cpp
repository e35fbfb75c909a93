// titrage-exercice: writes a teacher's exercise from the command line.
#include "app/core/exercisecommand.h"

#include <iostream>

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    return titrage::runExerciseCommand(args, std::cout, std::cerr);
}
