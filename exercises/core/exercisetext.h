#pragma once
// What an exercise may name and what the text area may be given. Exercise
// files come from anywhere (a teacher's folder, a download, a USB key), so the
// names they hold and the texts they point at are checked before use:
//
//   - a name is taken relative to the exercise's folder and must stay inside
//     it: an absolute name, a "../" climbing out, a symbolic link whose
//     target lies outside, or a file with more than one name (a hard link
//     gives no sign of where its other names lie) is refused;
//   - a text is read only from a regular file (a device or a pipe would never
//     end or never answer) of at most kMaxTextFileBytes;
//   - a text is shown only when the text area can lay it out quickly: the
//     layout time grows with the square of the longest unbroken word (about
//     0.1 s for 5,000 characters, 13 s for 100,000) and linearly with the
//     length (about 1 s for 200,000 characters); a table cell costs far more
//     than a character (each is a frame laid out on its own: 50,000 cells of
//     one letter take 5 s), so cells are counted apart;
//   - a text's pictures are limited in number and in pixels (see below), as
//     each is decoded whole and kept in memory at four bytes a pixel.

#include "exercises/core/richtext.h"

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
// Table cells in all, the empty places of short rows included (the table is
// built as wide as its widest row). The shipped texts hold tables of a few
// dozen cells; a table of measurements of 100 rows and 10 columns is 1,000.
// Qt lays a table out whole, in one step that nothing interrupts, at about
// 0,1 to 0,3 ms a cell: 2,000 cells keep it well under the second a session
// logging out leaves between SIGTERM and SIGKILL.
inline constexpr std::size_t kMaxTableCells = 2000;

// Pictures of a text. The shipped texts hold none; a teacher's may hold a few
// photographs or drawings. A 12-megapixel phone photograph (4032 x 3024) must
// pass; each picture is decoded at four bytes a pixel, so 32 megapixels in all
// keep a text below 128 MiB, decoded in about half a second. Sixty-four
// pictures is more than a page of exercise ever shows, while each one stays a
// resource of the document. These limits are checked on the pictures' own
// headers before any is decoded.
inline constexpr std::size_t kMaxPictures = 64;
inline constexpr std::int64_t kMaxPicturePixels = 4096 * 4096;
inline constexpr std::int64_t kMaxTextPicturePixels = 2 * kMaxPicturePixels;

// The path of `name` inside `folder` (both in the file system's encoding,
// "/" separated; a "\" in the name counts as a separator); nothing when the
// name is empty, absolute, climbs out of the folder, reaches outside it
// through a symbolic link, or is a regular file with several names. A name
// that does not exist is not refused here.
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

// What a text gives the layout, counted as it is built: characters with
// paragraph ends (a picture counts as one character), the longest unbroken
// word, and table cells. Once over a limit it stays over, so a caller may stop
// counting at the first refusal.
class LayoutBudget {
public:
    // One character; `breaks` when a line may break there (blank, tab, line end).
    void character(bool breaks)
    {
        ++m_characters;
        m_word = breaks ? 0 : m_word + 1;
        m_fits = m_fits && m_word <= kMaxWordCharacters && m_characters <= kMaxTextCharacters;
    }
    // The end of a paragraph, a character of its own that ends the word.
    void paragraphEnd() { character(true); }
    void cells(std::size_t count)
    {
        m_cells += count;
        m_fits = m_fits && m_cells <= kMaxTableCells;
    }
    bool fits() const { return m_fits; }

private:
    std::size_t m_characters = 0;
    std::size_t m_word = 0;
    std::size_t m_cells = 0;
    bool m_fits = true;
};

// A text's pictures, counted as they are decoded: kMaxPictures at most, each of
// at most kMaxPicturePixels, kMaxTextPicturePixels in all.
class PictureBudget {
public:
    // Takes a picture of `pixels`; false, and nothing taken, when it would
    // pass a limit.
    bool take(std::int64_t pixels)
    {
        if (m_count >= kMaxPictures || pixels > kMaxPicturePixels ||
            m_pixels + pixels > kMaxTextPicturePixels)
            return false;
        ++m_count;
        m_pixels += pixels;
        return true;
    }

private:
    std::size_t m_count = 0;
    std::int64_t m_pixels = 0;
};

// Whether the text, its tables' cells included, stays within
// kMaxTextCharacters, kMaxWordCharacters and kMaxTableCells (counted in
// characters, not bytes). Pictures are checked apart, on their headers.
bool fitsTextArea(const RtfText& text);

} // namespace titrage
