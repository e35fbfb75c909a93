// titrage-table: prints the measurements of one titration from the command line.
#include "app/core/tablecommand.h"

#include <iostream>

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    return titrage::runTableCommand(args, std::cout, std::cerr);
}
