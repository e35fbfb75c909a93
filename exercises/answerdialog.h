#pragma once
// "Ma réponse": the student types the concentration she found for the hidden
// solution (and, if she wants, its uncertainty) and reads how far it is,
// never the hidden value itself.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace titrage {

class AnswerDialog : public QDialog {
    Q_OBJECT

public:
    AnswerDialog(QWidget* parent, double hidden);

    QLineEdit* reponse = nullptr;
    QLineEdit* incertitude = nullptr;
    QPushButton* comparer = nullptr;
    QLabel* resultat = nullptr;

    void compare();

private:
    double m_hidden;
};

} // namespace titrage
