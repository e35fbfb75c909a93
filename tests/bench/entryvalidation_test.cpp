#include "model/entryvalidation.h"

#include <gtest/gtest.h>

using namespace titrage;

TEST(EntryValidation, ConcentrationsAndPkaAreCorrectedSilently)
{
    struct Case {
        int box;
        const char* typed;
        const char* shown;
    };
    const Case cases[] = {
        {BoxConcentration, "0,02", "0,01"},
        {BoxConcentration, "", "0,000 000 01"},
        {BoxBurette, "", "0,000 000 01"},
        {BoxBurette, "abc", "0,000 000 01"},
        {BoxConcentration, "0,004567", "0,004 57"},
        {BoxConcentration, "-3", "0,000 000 01"},
        {BoxPka, "-2", "0,1"},
        {BoxPka, "14,5", "13,9"},
        {BoxPka, "0", "0,0"},
        {BoxPka, "4,756", "4,76"},
        {BoxSpare, "0,1", "0,5"},
        {BoxSpare, "11", "10,0"},
    };
    for (const Case& c : cases) {
        const auto r = validateEntry(c.box, c.typed, "20,0", "0,0");
        EXPECT_EQ(r.text, c.shown) << c.box << " '" << c.typed << "'";
        EXPECT_FALSE(r.notice.has_value());
    }
}

TEST(EntryValidation, VolumesAreCorrectedWithAMessage)
{
    struct Case {
        int box;
        const char* typed;
        const char* vsol;
        const char* veau;
        const char* shown;
        const char* message; // nullptr: no message
    };
    const Case cases[] = {
        {BoxVsol, "15", "20,0", "0,0", "20,0", kMinimumVolume},
        {BoxVsol, "190", "20,0", "20,0", "180,0", kMaximumVolume},
        {BoxWater, "300", "20,0", "0,0", "180,0", kMaximumVolume},
        {BoxWater, "5", "10,0", "0,0", "10,0", kMinimumVolume},
        {BoxWater, "0", "20,0", "0,0", "0,0", nullptr},
        {BoxVsol, "0,5", "20,0", "150", "1,0", nullptr}, // at least 1 mL of solution
        {BoxVsol, "25,125", "20,0", "0", "25,13", nullptr},
        {BoxPoured, "30", "20,0", "0,0", "25,0", kBuretteVolume},
        {BoxPoured, "-1", "20,0", "0,0", "0,0", nullptr},
        {BoxPoured, "12,35", "20,0", "0,0", "12,35", nullptr},
    };
    for (const Case& c : cases) {
        const auto r = validateEntry(c.box, c.typed, c.vsol, c.veau);
        EXPECT_EQ(r.text, c.shown) << c.box << " '" << c.typed << "'";
        if (c.message) {
            ASSERT_TRUE(r.notice.has_value()) << c.typed;
            EXPECT_EQ(r.notice->title, "Volume corrigé");
            EXPECT_EQ(r.notice->text, c.message);
        } else {
            EXPECT_FALSE(r.notice.has_value()) << c.typed;
        }
    }
}

TEST(EntryValidation, KeyFilter)
{
    EXPECT_EQ(filterEntryKey('.'), ',');
    for (char k : {'0', '9', ',', '-', '\b'})
        EXPECT_EQ(filterEntryKey(k), k);
    for (char k : {'a', 'E', ' ', '+', '/'})
        EXPECT_FALSE(filterEntryKey(k).has_value());
}
