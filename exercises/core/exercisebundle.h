#pragma once
// An exercise a teacher writes: its ".E42" and the files it names, written
// together into one folder.
//
//   NAME.E42   the twelve records (exercises/core/exercisefile.h)
//   NAME.RTF   the statement
//   NAME.C16   the statement's configuration, when there is one
//   NAMEC.RTF  the correction, when there is one
//   NAMEC.C16  the correction's configuration, when there is one
//
// The companions are written first and the ".E42" last, so the chooser never
// lists an exercise whose files are not all there.

#include <optional>
#include <string>
#include <vector>

namespace titrage {

inline constexpr int kMaxExerciseNotions = 4;
inline constexpr int kMaxExerciseNameLength = 24;

struct ExerciseDraft {
    std::string name;                           // file stem: letters, digits, "-" and "_"
    std::string title;                          // UTF-8, at most one record once in Windows-1252
    int difficulty = 1;                         // 0 .. 3 stars
    std::vector<std::string> notions;           // up to kMaxExerciseNotions lines
    int hourglasses = 1;                        // 1 .. kMaxHourglasses
    std::string statementRtf;                   // the statement's RTF bytes
    std::optional<std::string> statementConfig; // a ".C16" image
    std::optional<std::string> correctionRtf;
    std::optional<std::string> correctionConfig;
};

// The file names the draft writes, the ".E42" last.
std::vector<std::string> bundleFileNames(const ExerciseDraft& draft);

// What is wrong with the draft, in French for the teacher; nothing when it
// can be written.
std::optional<std::string> draftProblem(const ExerciseDraft& draft);

// Of the draft's files, those that already exist in `folder`.
std::vector<std::string> existingBundleFiles(const std::string& folder, const ExerciseDraft& draft);

struct BundleResult {
    bool ok = false;
    std::string message; // French, when not ok
};

// Checks the draft and writes its files into `folder` (which must exist),
// each by a whole-file save. A failed write removes the files this call had
// created, so nothing half made is left; files it replaced keep their new
// content (the message says which one failed).
BundleResult writeExerciseBundle(const std::string& folder, const ExerciseDraft& draft);

} // namespace titrage
