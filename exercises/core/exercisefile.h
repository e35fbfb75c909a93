#pragma once
// Exercise files (".E42", and the getting-started activity "duvrak.PEM"): the
// fixed 128-byte records of the configuration files, twelve of them used.
//
//   1  statement text (rich text), relative to the exercise's folder
//   2  statement's configuration (".C16"), relative; blank when none
//   3  correction text, relative; blank when none
//   4  correction's configuration, relative; blank when none
//   5  difficulty, 0 to 3
//   6  not used
//   7..10  lines of the "Notions abordées" list; blank ones are skipped
//   11 title
//   12 estimated length, a whole number of hourglasses

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace titrage {

inline constexpr int kExerciseRecords = 12;

// True when the text holds a character other than a blank.
bool moreThanBlanks(std::string_view text);

// The twelve records of an exercise file, UTF-8.
struct ExerciseFile {
    std::array<std::string, kExerciseRecords> records{};

    const std::string& record(int number) const
    {
        return records[static_cast<std::size_t>(number - 1)];
    }
    const std::string& statement() const { return record(1); }
    const std::string& statementConfig() const { return record(2); }
    const std::string& correction() const { return record(3); }
    const std::string& correctionConfig() const { return record(4); }

    // Record 3 or 4 holds more than blanks.
    bool corrected() const;
    // Record 5 read as a number; 0 when it is not one.
    double difficulty() const;
    // Records 7 to 10 that hold more than blanks, unchanged.
    std::vector<std::string> notions() const;
    // Record 11 without its surrounding blanks.
    std::string title() const;
    // Record 12 rounded to a whole number (halves to even), 0 when it is not a
    // number, and kept within 0 .. kMaxHourglasses so that a stray figure
    // cannot fill the window with symbols.
    int hourglasses() const;
};

inline constexpr int kMaxHourglasses = 20;

// Decodes the bytes of a file from its start; nothing when one of the twelve
// records cannot be read (a length word over 126, a text cut short). A short
// file reads as empty records.
std::optional<ExerciseFile> parseExercise(std::string_view image);

// Reads the file at `path`; nothing when it cannot be opened or read.
std::optional<ExerciseFile> readExercise(const std::string& path);

// Writes the twelve records (UTF-8 texts); false when a text is too long or
// the file cannot be written. Used to build the shipped exercises.
bool writeExercise(const std::string& path, const ExerciseFile& file);

} // namespace titrage
