#include "exercises/exercisemessages.h"

#include "platform/messages.h"

namespace titrage {

void warnExerciseUnreadable(QWidget* parent)
{
    Messages::inform(parent, QStringLiteral("Lecture impossible"),
                     QStringLiteral("Vérifier:\n- le nom du fichier,\n- l'état du lecteur."),
                     MessageIcon::Critical);
}

void warnTextMissing(QWidget* parent, const QString& path)
{
    Messages::inform(parent, QStringLiteral("Fichier absent"),
                     QStringLiteral("Le fichier ") + path + QStringLiteral(" est introuvable"),
                     MessageIcon::Critical);
}

} // namespace titrage
