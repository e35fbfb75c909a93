// The titrage-table arguments: any argument list ends with one of the exit
// statuses the help and the header document, and nothing else: 0 with a table
// (or the help), 2 with a message and nothing on the output, 3 only for
// --droites finding no break, with its message and nothing on the output; no
// table holds a value that is not finite.
#include "app/core/tablecommand.h"
#include "model/linefit.h"

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
    bool droites = false;
    bool curve = false;
    for (const std::string& a : args) {
        if (a == "--at" && ++at > 4) return 0;
        help = help || a == "--help" || a == "-h";
        droites = droites || a == "--droites";
        curve = curve || a == "--curve";
    }

    std::ostringstream out;
    std::ostringstream err;
    const int status = runTableCommand(args, out, err);
    CHECK(status == 0 || status == 2 || status == 3);
    if (status == 2 || status == 3) {
        CHECK(out.str().empty());
        CHECK(!err.str().empty());
    }
    if (status == 3) {
        // The help and the curve come first: only the method of the two lines says 3.
        CHECK(droites && !help && !curve);
        bool cause = false;
        for (BreakFailure f : {BreakFailure::TooFewPoints, BreakFailure::NoBreak,
                               BreakFailure::OffBurette, BreakFailure::Unresolved})
            cause = cause || err.str().find(breakFailureMessage(f)) != std::string::npos;
        CHECK(cause);
    } else if (status == 0 && !help) {
        const std::string table = out.str();
        CHECK(!table.empty());
        for (const char* bad : {"nan", "NaN", "inf", "Inf"})
            CHECK(table.find(bad) == std::string::npos);
    }
    return 0;
}
