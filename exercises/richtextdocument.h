#pragma once
// Rich text between files and the exercise text area: RTF read into a
// QTextDocument and a QTextDocument written as RTF (exercises/core/richtext.h).

#include "exercises/core/richtext.h"

#include <QString>

class QTextDocument;
class QTextEdit;

namespace titrage {

// Replaces the document's content with `text`. A picture whose header gives
// no size, or more than kMaxPicturePixels, keeps its place and its bytes but
// is not decoded. A termination signal pending (platform/terminationsignals.h)
// stops the filling and leaves the document empty; the caller asks
// terminationRequested() to tell.
void fillDocument(QTextDocument& document, const RtfText& text);
// Whether the text's pictures, in table cells too, stay within kMaxPictures,
// kMaxPicturePixels each and kMaxTextPicturePixels in all (exercisetext.h),
// read from each picture's header without decoding it.
bool picturesFitTextArea(const RtfText& text);
// The document's paragraphs, runs, pictures and tables (tables inside a
// cell give their paragraphs).
RtfText documentText(const QTextDocument& document);

// Loads an RTF file into the text area; false, with the area unchanged, when
// the file cannot be read or is not rich text.
bool loadRichText(QTextEdit& edit, const QString& path);
// Saves the text area as an RTF file; false when the file cannot be written.
bool saveRichText(const QTextEdit& edit, const QString& path);

} // namespace titrage
