#pragma once
// Rich-text files into and out of the text area, with the checks of
// exercises/core/exercisetext.h on the way in and a whole-file save on the way out.

#include <QString>

class QTextEdit;
class QWidget;

namespace titrage {

enum class TextLoad {
    Ok,
    Unreadable, // not a readable regular file, or not rich text
    TooLarge,   // too large a file, or a text too long to lay out quickly
    Pictures,   // too many pictures, or too many pixels to decode
};

// Loads the RTF file at `path` into `edit`; anything but Ok leaves the area
// as it was.
TextLoad loadTextArea(QTextEdit& edit, const QString& path);

// Saves the area as an RTF file, replacing `path` only once the new file is
// whole on disk; false, with any earlier file untouched, when it fails.
bool saveTextArea(const QTextEdit& edit, const QString& path);

// "Texte trop long": the text named `path` is refused.
void warnTextTooLarge(QWidget* parent, const QString& path);
// "Images trop grandes": the text named `path` is refused for its pictures.
void warnTextPictures(QWidget* parent, const QString& path);

} // namespace titrage
