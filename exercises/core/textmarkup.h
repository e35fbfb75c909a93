#pragma once
// The light markup the exercise texts are written in, turned into rich text.
// The shipped exercises are written in it, and so can a teacher's own:
//   a line starting with "# "  a centred blue title;
//   a line starting with "## " a blue bold heading;
//   a line starting with "| " a table row, its cells separated by " | ";
//   **...**  bold, //...// italic, ^{...} raised, _{...} lowered;
//   an empty line             an empty paragraph.
// Every other line is a paragraph of its own.

#include "exercises/core/richtext.h"

#include <string>
#include <string_view>

namespace titrage {

RtfText markupText(std::string_view source);

// A text file a teacher gives as a statement or a correction: an RTF file is
// kept as it is; any other is read as UTF-8 in the markup above, its
// byte-order mark, carriage returns and final line end dropped.
std::string teacherTextAsRtf(std::string bytes);

} // namespace titrage
