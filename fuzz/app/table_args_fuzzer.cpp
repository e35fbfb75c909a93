// The titrage-table arguments: any argument list gives 0 with a table and no
// error text, or 2 with a message and nothing on the output; no table holds a
// value that is not finite.
#include "app/tablecommand.h"

#include "fuzz/fuzzsupport.h"

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

using namespace titrage;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Arguments separated by NUL bytes, as the system hands them over; at
    // most 16, so that one input stays one run.
    std::vector<std::string> args;
    std::string current;
    for (std::size_t i = 0; i < size && args.size() < 16; ++i) {
        if (data[i] == 0) {
            args.push_back(current);
            current.clear();
        } else {
            current += static_cast<char>(data[i]);
        }
    }
    if (!current.empty() && args.size() < 16) args.push_back(current);
    // Many --at volumes replay the pouring from 0 each time: bounded here so
    // that a run stays short, not because the command refuses them.
    int at = 0;
    bool help = false;
    for (const std::string& a : args) {
        if (a == "--at" && ++at > 4) return 0;
        help = help || a == "--help" || a == "-h";
    }

    std::ostringstream out;
    std::ostringstream err;
    const int status = runTableCommand(args, out, err);
    CHECK(status == 0 || status == 2);
    if (status == 2) {
        CHECK(out.str().empty());
        CHECK(!err.str().empty());
    } else if (!help) {
        const std::string table = out.str();
        CHECK(!table.empty());
        for (const char* bad : {"nan", "NaN", "inf", "Inf"})
            CHECK(table.find(bad) == std::string::npos);
    }
    return 0;
}
