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

#include <string_view>

namespace titrage {

RtfText markupText(std::string_view source);

} // namespace titrage
