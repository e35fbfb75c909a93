#pragma once
// The introduction shown in the exercise text box `supertext` at start-up:
// a table of segments, each appended with its own style.

#include <span>

class QTextEdit;

namespace titrage {

// Style codes of the segment table.
enum class IntroStyle {
    Plain = 0,    // the box's default font, black
    Blue = 1,     // RGB(0, 0, 200)
    Exponent = 4, // raised by 50 twips, 8 points
    Emphasis = 6, // RGB(0, 0, 200), same look as Blue
    Title = 9,    // Arial 18 points, centred, RGB(0, 0, 200)
    BlueBold = 10 // RGB(0, 0, 200), bold
};

struct IntroSegment {
    const char* text; // UTF-8; "\n" starts a new paragraph
    IntroStyle style;
};

std::span<const IntroSegment> introductionSegments();

// Clears `supertext` and fills it with the segments in order, each in its
// style, the plain style restored before the next one.
void paintIntroduction(QTextEdit& supertext);

} // namespace titrage
