#include "exercises/textarea.h"

#include "exercises/core/exercisetext.h"
#include "exercises/richtextdocument.h"
#include "platform/messages.h"
#include "platform/core/safesave.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextEdit>

namespace titrage {

TextLoad loadTextArea(QTextEdit& edit, const QString& path)
{
    const TextFile file = readTextFile(QFile::encodeName(path).toStdString());
    if (file.status == TextFileStatus::TooLarge) return TextLoad::TooLarge;
    if (file.status != TextFileStatus::Ok) return TextLoad::Unreadable;
    const std::optional<RtfText> text = parseRtf(file.bytes);
    if (!text) return TextLoad::Unreadable;
    if (!fitsTextArea(*text)) return TextLoad::TooLarge;
    if (!picturesFitTextArea(*text)) return TextLoad::Pictures;
    fillDocument(*edit.document(), *text);
    return TextLoad::Ok;
}

bool saveTextArea(const QTextEdit& edit, const QString& path)
{
    const std::string rtf = writeRtf(documentText(*edit.document()));
    return saveWholeFile(QFile::encodeName(path).toStdString(), rtf).ok();
}

// The limits the messages name are those of exercisetext.h.
static_assert(kMaxTextCharacters == 200000 && kMaxWordCharacters == 2000 && kMaxTableCells == 2000);
static_assert(kMaxPictures == 64 && kMaxPicturePixels == 4096 * 4096 &&
              kMaxTextPicturePixels == 2 * kMaxPicturePixels);

void warnTextTooLarge(QWidget* parent, const QString& path)
{
    Messages::inform(parent, QCoreApplication::translate("TextArea", "Texte trop long"),
                     QCoreApplication::translate("TextArea",
                                                 "Le fichier %1 est trop long pour être affiché.\n"
                                                 "Un texte compte au plus 200 000 caractères, sans "
                                                 "mot de plus de 2 000 caractères, et ses tableaux "
                                                 "au plus 2 000 cases.")
                         .arg(path),
                     MessageIcon::Critical);
}

void warnTextPictures(QWidget* parent, const QString& path)
{
    Messages::inform(parent, QCoreApplication::translate("TextArea", "Images trop grandes"),
                     QCoreApplication::translate(
                         "TextArea", "Le fichier %1 contient trop d'images, ou des images trop "
                                     "grandes, pour être affiché.\nUn texte compte au "
                                     "plus 64 images d'au plus 16 millions de pixels "
                                     "chacune (4096 × 4096), et 32 millions de pixels "
                                     "en tout.\nRéduire les images dans le traitement "
                                     "de texte, puis enregistrer à nouveau le texte au "
                                     "format RTF.")
                         .arg(path),
                     MessageIcon::Critical);
}

} // namespace titrage
