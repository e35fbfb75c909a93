#pragma once
// What an exercise may name and what the text area may be given. Exercise
// files come from anywhere (a teacher's folder, a download, a USB key), so the
// names they hold and the texts they point at are checked before use:
//
//   - a name is taken relative to the exercise's folder and must stay inside
//     it: an absolute name, a "../" climbing out, or a symbolic link whose
//     target lies outside is refused;
//   - a text is read only from a regular file (a device or a pipe would never
//     end or never answer) of at most kMaxTextFileBytes;
//   - a text is shown only when the text area can lay it out quickly: the
//     layout time grows with the square of the longest unbroken word (about
//     0.1 s for 5,000 characters, 13 s for 100,000) and linearly with the
//     length (about 1 s for 200,000 characters) and with the table cells
//     (about 0.7 s for 4,000, 28 s for 60,000).

#include "exercises/richtext.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace titrage {

// The exercise texts shipped are a few kilobytes; 4 MiB leaves room for
// heavy markup while a file this size is still read and parsed at once.
inline constexpr std::int64_t kMaxTextFileBytes = 4 * 1024 * 1024;
// Characters (paragraph ends included) the text area is given at most.
inline constexpr std::size_t kMaxTextCharacters = 200000;
// Characters between two blanks, tabs or line ends at most.
inline constexpr std::size_t kMaxWordCharacters = 2000;
// Table cells, all tables together, at most.
inline constexpr std::size_t kMaxTableCells = 2000;

// The path of `name` inside `folder` (both in the file system's encoding,
// "/" separated; a "\" in the name counts as a separator); nothing when the
// name is empty, absolute, climbs out of the folder or reaches outside it
// through a symbolic link. A name that does not exist is not refused here.
std::optional<std::string> pathInside(const std::string& folder, std::string_view name);

enum class TextFileStatus {
    Ok,
    Unreadable, // missing, not a regular file, or a read error
    TooLarge,   // more than the limit given
};

struct TextFile {
    TextFileStatus status = TextFileStatus::Unreadable;
    std::string bytes;
};

// Reads a whole regular file of at most `maxBytes`, without ever blocking on
// a pipe or reading a device.
TextFile readTextFile(const std::string& path, std::int64_t maxBytes = kMaxTextFileBytes);

// Whether the text stays within kMaxTextCharacters and kMaxWordCharacters
// (counted in characters, not bytes, the cells' texts included) and within
// kMaxTableCells.
bool fitsTextArea(const RtfText& text);

} // namespace titrage
