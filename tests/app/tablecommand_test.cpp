#include "app/tablecommand.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace titrage;

namespace {
struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome run(std::vector<std::string> args)
{
    std::ostringstream out, err;
    const int status = runTableCommand(args, out, err);
    return {status, out.str(), err.str()};
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        result.push_back(line);
    return result;
}

std::vector<std::string> fields(const std::string& line)
{
    std::vector<std::string> result;
    std::istringstream in(line);
    for (std::string f; std::getline(in, f, '\t');)
        result.push_back(f);
    return result;
}
} // namespace

TEST(TableCommand, DefaultTableRunsFromZeroToTwentyFiveByHalfMillilitres)
{
    const Outcome r = run({});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto l = lines(r.out);
    ASSERT_EQ(l.size(), 52u); // header + 51 rows
    EXPECT_EQ(fields(l[1])[0], "0,0");
    EXPECT_EQ(fields(l.back())[0], "25,0");
    EXPECT_EQ(fields(l[1]).size(), 9u);
    EXPECT_TRUE(r.err.empty());
}

TEST(TableCommand, RawOutputHasTheFixedHeaderAndPointDecimals)
{
    Outcome r = run({"--raw", "--solute", "4", "--at", "20"});
    ASSERT_EQ(r.status, 0) << r.err;
    auto l = lines(r.out);
    ASSERT_EQ(l.size(), 2u);
    EXPECT_EQ(l[0], "V\tsigma\tH3O\tHO\tacide\tbase\tpH\txprinc\tveq");
    const auto f = fields(l[1]);
    EXPECT_EQ(f[0], "20");
    EXPECT_NEAR(std::stod(f[6]), 8.23, 0.005);
    EXPECT_NEAR(std::stod(f[8]), 20.0, 1e-6);

    // The strong electrolytes have no [acide] and [base] columns.
    r = run({"--raw", "--solute", "2", "--at", "5"});
    l = lines(r.out);
    EXPECT_EQ(l[0], "V\tsigma\tH3O\tHO\tpH\txprinc\tveq");
    EXPECT_NEAR(std::stod(fields(l[1])[4]), 2.23, 0.005);
}

TEST(TableCommand, AtReadsTheVolumeAsTypedIntoTheBox)
{
    // Comma or point, and the measurement at exactly the typed volume.
    const Outcome a = run({"--raw", "--at", "0,3", "--at", "12.35"});
    ASSERT_EQ(a.status, 0) << a.err;
    const auto l = lines(a.out);
    ASSERT_EQ(l.size(), 3u);
    EXPECT_EQ(fields(l[1])[0], "0.300000012");
    EXPECT_EQ(fields(l[2])[0], "12.3500004");

    // A volume past the burette is corrected with the bench's message.
    const Outcome b = run({"--at", "30"});
    ASSERT_EQ(b.status, 0);
    EXPECT_EQ(fields(lines(b.out)[1])[0], "25,0");
    EXPECT_NE(b.err.find("La contenance de la burette est de 25 mL."), std::string::npos);
}

TEST(TableCommand, CurveEndsAtTheBurettesCapacity)
{
    const Outcome r = run({"--curve", "--raw", "--solute", "4"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto l = lines(r.out);
    EXPECT_EQ(l[0], "V\tsigma\tX\tY");
    EXPECT_EQ(fields(l[1])[2], "40");
    EXPECT_EQ(fields(l.back())[0], "25");
    EXPECT_EQ(fields(l.back())[2], "365");
}

TEST(TableCommand, OutOfRangeValuesAreCorrectedWithANote)
{
    const Outcome r = run({"--vsol", "15", "--c", "0.02", "--step", "0"});
    ASSERT_EQ(r.status, 0);
    EXPECT_NE(r.err.find("Le volume minimum pour que la sonde soit immergée est de 20 mL."),
              std::string::npos);
    EXPECT_NE(r.err.find("corrigé à 0,01"), std::string::npos);
    EXPECT_NE(r.err.find("0,1 mL"), std::string::npos);
    EXPECT_EQ(lines(r.out).size(), 252u); // step 0.1: 251 rows
}

TEST(TableCommand, BadInputIsRefusedWithStatusTwoAndNothingOnStdout)
{
    const std::vector<std::vector<std::string>> bad = {
        {"--frobnicate"},    {"--c", "abc"}, {"--solute", "15"}, {"--solute", "-1"},
        {"--solute", "2,5"}, {"--vsol"},     {"--at", "1e999"},  {"--curve", "--at", "3"},
    };
    for (const auto& args : bad) {
        const Outcome r = run(args);
        EXPECT_EQ(r.status, 2) << args[0];
        EXPECT_TRUE(r.out.empty()) << args[0];
        EXPECT_EQ(r.err.rfind("titrage-table : ", 0), 0u) << r.err;
    }
    const Outcome help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Utilisation"), std::string::npos);
}
