#include "bench/accessiblenames.h"

#include "bench/tabstrip.h"
#include "platform/appstyle.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QApplication>
#include <QLabel>

#include <map>

namespace titrage {

namespace {

const QString kConductimeter = QStringLiteral("LabelpH");

struct Naming {
    const char* name;
    const char* description;
};

// The controls of the windows by object name. The entry boxes take the
// labels painted beside them.
const std::map<QString, Naming>& namings()
{
    static const std::map<QString, Naming> table{
        // The bench
        {QStringLiteral("Text1(0)"),
         {"Concentration en soluté apporté c2",
          "Concentration de la solution du bécher, en mol/L"}},
        {QStringLiteral("Text1(1)"), {"Concentration c1 de la solution de la burette", "En mol/L"}},
        {QStringLiteral("Text1(2)"), {"pKa", "pKa du couple du soluté choisi"}},
        {QStringLiteral("Text1(3)"), {"Entrée libre", ""}},
        {QStringLiteral("Text1(4)"),
         {"Volume de solution introduite V2", "Volume de la solution du bécher, en mL"}},
        {QStringLiteral("Text1(5)"),
         {"Volume de solution versée V1", "Volume versé par la burette, en mL"}},
        {QStringLiteral("Text1(6)"),
         {"Volume d'eau distillée ajoutée V3", "Eau ajoutée dans le bécher, en mL"}},
        {QStringLiteral("lbecher"), {"Soluté", "Acide ou base de la solution du bécher"}},
        {QStringLiteral("lindic"), {"Indicateur coloré", "Indicateur ajouté dans le bécher"}},
        {QStringLiteral("Image3"),
         {"Robinet de la burette",
          "Maintenir enfoncé pour verser la solution de la burette dans le bécher"}},
        {QStringLiteral("Image1"), {"Ajouter une goutte", "Verse une goutte de la burette"}},
        {QStringLiteral("picburette"),
         {"Illustration du dosage",
          "La burette, le bécher et le conductimètre ; le niveau et la couleur de la solution"}},
        {kConductimeter, {"Conductimètre", "Conductivité σ de la solution du bécher, en S/m"}},
        {QStringLiteral("Labelbur"), {"Volume versé", "Volume lu sur la burette"}},
        {QStringLiteral("Onglets"),
         {"Onglets des pages", "Choisir la page : flèches, ou Ctrl+Tab et Ctrl+Maj+Tab"}},
        {QStringLiteral("Picture1"),
         {"Graphe de la conductivité",
          "σ en fonction du volume versé : points mesurés et courbes terminées"}},
        {QStringLiteral("MSFlexGrid1"),
         {"Tableau de valeurs", "Volume versé, σ et concentrations des ions à chaque mesure"}},
        {QStringLiteral("Histo"),
         {"Historique des courbes", "Les solutions de chaque courbe terminée"}},
        {QStringLiteral("supertext"),
         {"Fenêtre exercice", "Énoncé, correction ou texte de l'élève"}},
        {QStringLiteral("fich"), {"Fichier ouvert", "Exercice ou texte affiché"}},
        {QStringLiteral("info"), {"Ligne d'information", "Explique le contrôle sous la souris"}},
        {QStringLiteral("feuilleP/UpDown1"),
         {"Volume versé entre deux mesures", "Pas des mesures, en mL"}},
        // The calculator
        {QStringLiteral("z1"), {"Affichage de la calculatrice", "Expression tapée et résultat"}},
        // The file dialogs and the exercise chooser
        {QStringLiteral("Drive1"), {"Lecteur", ""}},
        {QStringLiteral("Dir1"), {"Liste des dossiers", "Dossier dont les fichiers sont listés"}},
        {QStringLiteral("File1"), {"Liste des fichiers", "Configurations enregistrées"}},
        {QStringLiteral("Fichexo/File1"),
         {"Liste des exercices", "Choisir un exercice pour en voir l'aperçu"}},
        {QStringLiteral("ouvrir/ficharge"), {"Fichier à ouvrir", "Chemin complet du fichier"}},
        {QStringLiteral("enregistrer/Text1"),
         {"Nom du fichier", "Nom sous lequel la configuration est enregistrée"}},
        {QStringLiteral("fichierexo"), {"Exercice sélectionné", "Chemin complet de l'exercice"}},
    };
    return table;
}

// The conductimeter: a display whose value is the σ it shows.
class ConductimeterAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit ConductimeterAccessible(QLabel* label)
        : QAccessibleWidget(label, QAccessible::Indicator)
    {
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value) return label()->text();
        return QAccessibleWidget::text(t);
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QVariant currentValue() const override { return label()->text(); }
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return {}; }
    QVariant minimumValue() const override { return {}; }
    QVariant minimumStepSize() const override { return {}; }

private:
    QLabel* label() const { return static_cast<QLabel*>(widget()); }
};

QAccessibleInterface* factory(const QString&, QObject* object)
{
    auto* label = qobject_cast<QLabel*>(object);
    if (label && label->objectName() == kConductimeter) return new ConductimeterAccessible(label);
    return nullptr;
}

// Names the windows as they are shown.
class WindowNamer : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto* w = static_cast<QWidget*>(watched);
            if (w->isWindow()) nameControls(*w);
        }
        return false;
    }
};

void name(QWidget& w)
{
    auto found = namings().find(w.window()->objectName() + u'/' + w.objectName());
    if (found == namings().end()) found = namings().find(w.objectName());
    if (found != namings().end()) {
        if (w.accessibleName().isEmpty())
            w.setAccessibleName(QString::fromUtf8(found->second.name));
        if (w.accessibleDescription().isEmpty()) {
            QString description = QString::fromUtf8(found->second.description);
            // The strip says which pages it leads to.
            if (qobject_cast<TabStrip*>(&w))
                description = QStringLiteral("Pages : ") +
                              TabStrip::titles().join(QStringLiteral(", ")) + QStringLiteral(". ") +
                              description;
            w.setAccessibleDescription(description);
        }
        return;
    }
    if (!w.accessibleName().isEmpty() || w.toolTip().isEmpty()) return;
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(&w);
    if (a && a->text(QAccessible::Name).trimmed().isEmpty()) w.setAccessibleName(w.toolTip());
    if (w.accessibleDescription().isEmpty() && a &&
        a->text(QAccessible::Description).trimmed().isEmpty())
        w.setAccessibleDescription(w.toolTip());
}

} // namespace

void installAccessibleNames()
{
    static bool installed = false;
    if (installed || !qApp) return;
    installed = true;
    // The focus is shown by the application's style, in every window.
    useAppStyle();
    QAccessible::installFactory(factory);
    qApp->installEventFilter(new WindowNamer(qApp));
}

void nameControls(QWidget& window)
{
    name(window);
    for (QWidget* w : window.findChildren<QWidget*>())
        name(*w);
}

void conductimeterChanged(QLabel& label)
{
    if (!QAccessible::isActive()) return;
    QAccessibleValueChangeEvent event(&label, label.text());
    QAccessible::updateAccessibility(&event);
}

} // namespace titrage
