#include "exercises/textarea.h"

#include "exercises/exercisetext.h"
#include "exercises/richtextdocument.h"
#include "platform/messages.h"
#include "platform/safesave.h"

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
    fillDocument(*edit.document(), *text);
    return TextLoad::Ok;
}

bool saveTextArea(const QTextEdit& edit, const QString& path)
{
    const std::string rtf = writeRtf(documentText(*edit.document()));
    return saveWholeFile(QFile::encodeName(path).toStdString(), rtf).ok();
}

void warnTextTooLarge(QWidget* parent, const QString& path)
{
    Messages::inform(parent, QStringLiteral("Texte trop long"),
                     QStringLiteral("Le fichier ") + path +
                         QStringLiteral(" est trop long pour être affiché.\nUn texte compte au "
                                        "plus 200 000 caractères, sans mot de plus de 2 000 "
                                        "caractères."),
                     MessageIcon::Critical);
}

} // namespace titrage
