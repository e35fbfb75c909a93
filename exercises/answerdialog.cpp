#include "exercises/answerdialog.h"

#include "exercises/core/answercheck.h"
#include "platform/benchscale.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace titrage {

AnswerDialog::AnswerDialog(QWidget* parent, double hidden) : QDialog(parent), m_hidden(hidden)
{
    setObjectName(QStringLiteral("AnswerDialog"));
    setWindowTitle(tr("Ma réponse"));
    setModal(true);

    auto* question = new QLabel(tr("Concentration en soluté apporté de la solution du bécher, "
                                   "c\u2082, que vous avez trouvée\u00a0:"),
                                this);
    question->setWordWrap(true);
    reponse = new QLineEdit(this);
    reponse->setObjectName(QStringLiteral("reponse"));
    incertitude = new QLineEdit(this);
    incertitude->setObjectName(QStringLiteral("incertitude"));
    incertitude->setPlaceholderText(tr("facultative"));
    resultat = new QLabel(this);
    resultat->setObjectName(QStringLiteral("resultat"));
    resultat->setWordWrap(true);
    resultat->setMinimumHeight(resultat->fontMetrics().lineSpacing() * 4);

    auto* form = new QFormLayout;
    form->addRow(tr("c\u2082 (mol\u00a0·\u00a0L\u207b\u00b9)\u00a0:"), reponse);
    form->addRow(tr("Incertitude-type u(c\u2082) (mol\u00a0·\u00a0L\u207b\u00b9)\u00a0:"),
                 incertitude);

    auto* buttons = new QDialogButtonBox(this);
    comparer = buttons->addButton(tr("Comparer"), QDialogButtonBox::ActionRole);
    comparer->setObjectName(QStringLiteral("comparer"));
    comparer->setDefault(true);
    buttons->addButton(tr("Fermer"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("fermer"));
    connect(comparer, &QPushButton::clicked, this, &AnswerDialog::compare);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(question);
    layout->addLayout(form);
    layout->addWidget(resultat);
    layout->addWidget(buttons);
    resize(440, sizeHint().height());
    scaleWithBench(this);
}

void AnswerDialog::compare()
{
    const AnswerCheck check =
        checkAnswer(m_hidden, reponse->text().toStdString(), incertitude->text().toStdString());
    resultat->setText(QString::fromStdString(check.text));
}

} // namespace titrage
