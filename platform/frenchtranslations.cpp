#include "platform/frenchtranslations.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QTranslator>

namespace titrage {

bool installFrenchTranslations(QCoreApplication& app)
{
    const QLocale french(QLocale::French, QLocale::France);
    QLocale::setDefault(french);
    auto* translator = new QTranslator(&app);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(french, QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

namespace {

// Listed for a translator under one context, read through it.
const char* const kLookIn = QT_TRANSLATE_NOOP("titrage::FileDialog", "Répertoire:");
const char* const kFileName = QT_TRANSLATE_NOOP("titrage::FileDialog", "Nom du fichier:");
const char* const kFileType = QT_TRANSLATE_NOOP("titrage::FileDialog", "Type:");
const char* const kOpen = QT_TRANSLATE_NOOP("titrage::FileDialog", "OUVRIR");
const char* const kSave = QT_TRANSLATE_NOOP("titrage::FileDialog", "ENREGISTRER");
const char* const kChoose = QT_TRANSLATE_NOOP("titrage::FileDialog", "CHOISIR");
const char* const kCancel = QT_TRANSLATE_NOOP("titrage::FileDialog", "ANNULER");

QString caption(const char* text)
{
    return QCoreApplication::translate("titrage::FileDialog", text);
}

QString acceptCaption(const QFileDialog& dialog)
{
    if (dialog.fileMode() == QFileDialog::Directory) return caption(kChoose);
    return dialog.acceptMode() == QFileDialog::AcceptSave ? caption(kSave) : caption(kOpen);
}

} // namespace

void useProgramCaptions(QFileDialog& dialog)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setLabelText(QFileDialog::LookIn, caption(kLookIn));
    dialog.setLabelText(QFileDialog::FileName, caption(kFileName));
    dialog.setLabelText(QFileDialog::FileType, caption(kFileType));
    dialog.setLabelText(QFileDialog::Accept, acceptCaption(dialog));
    dialog.setLabelText(QFileDialog::Reject, caption(kCancel));

    // A save dialog on a folder names its button after Qt's own "Open" (it
    // then enters the folder): that caption too is ours.
    auto* buttons = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    if (!buttons) return;
    const QString qtOpen = QFileDialog::tr("&Open");
    const QPointer<QDialogButtonBox> box(buttons);
    auto follow = [box, qtOpen] {
        if (!box) return;
        for (QAbstractButton* b : box->buttons())
            if (box->buttonRole(b) == QDialogButtonBox::AcceptRole && b->text() == qtOpen)
                b->setText(caption(kOpen));
    };
    // After Qt's own handlers of the same signals, which set its caption.
    if (auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
        QObject::connect(name, &QLineEdit::textChanged, &dialog, follow);
    QObject::connect(&dialog, &QFileDialog::currentChanged, &dialog, follow);
    QObject::connect(&dialog, &QFileDialog::directoryEntered, &dialog, follow);
}

} // namespace titrage
