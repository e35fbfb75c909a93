#include "exercises/exercisemessages.h"

#include "platform/messages.h"

#include <QCoreApplication>

namespace titrage {

void warnExerciseUnreadable(QWidget* parent)
{
    Messages::inform(
        parent, QCoreApplication::translate("ExerciseMessages", "Lecture impossible"),
        QCoreApplication::translate("ExerciseMessages",
                                    "Vérifier:\n- le nom du fichier,\n- l'état du lecteur."),
        MessageIcon::Critical);
}

void warnTextMissing(QWidget* parent, const QString& path)
{
    Messages::inform(
        parent, QCoreApplication::translate("ExerciseMessages", "Fichier absent"),
        QCoreApplication::translate("ExerciseMessages", "Le fichier %1 est introuvable").arg(path),
        MessageIcon::Critical);
}

} // namespace titrage
