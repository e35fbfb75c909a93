#include "bench/accessiblenames.h"

#include "bench/tabstrip.h"
#include "platform/appstyle.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QApplication>
#include <QCoreApplication>
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
         {QT_TRANSLATE_NOOP("AccessibleNames", "Concentration en soluté apporté c2"),
          QT_TRANSLATE_NOOP("AccessibleNames",
                            "Concentration de la solution du bécher, en mol/L")}},
        {QStringLiteral("Text1(1)"),
         {QT_TRANSLATE_NOOP("AccessibleNames", "Concentration c1 de la solution de la burette"),
          QT_TRANSLATE_NOOP("AccessibleNames", "En mol/L")}},
        {QStringLiteral("Text1(2)"),
         {QT_TRANSLATE_NOOP("AccessibleNames", "pKa"),
          QT_TRANSLATE_NOOP("AccessibleNames", "pKa du couple du soluté choisi")}},
        {QStringLiteral("Text1(3)"), {QT_TRANSLATE_NOOP("AccessibleNames", "Entrée libre"), ""}},
        {QStringLiteral("Text1(4)"),
         {QT_TRANSLATE_NOOP("AccessibleNames", "Volume de solution introduite V2"),
          QT_TRANSLATE_NOOP("AccessibleNames", "Volume de la solution du bécher, en mL")}},
        {QStringLiteral("Text1(5)"),
         {QT_TRANSLATE_NOOP("AccessibleNames", "Volume de solution versée V1"),
          QT_TRANSLATE_NOOP("AccessibleNames", "Volume versé par la burette, en mL")}},
        {QStringLiteral("Text1(6)"),
         {QT_TRANSLATE_NOOP("AccessibleNames", "Volume d'eau distillée ajoutée V3"),
          QT_TRANSLATE_NOOP("AccessibleNames", "Eau ajoutée dans le bécher, en mL")}},
        {QStringLiteral("lbecher"),
         {QT_TRANSLATE_NOOP("AccessibleNames", "Soluté"),
          QT_TRANSLATE_NOOP("AccessibleNames", "Acide ou base de la solution du bécher")}},
        {QStringLiteral("lindic"),
         {QT_TRANSLATE_NOOP("AccessibleNames", "Indicateur coloré"),
          QT_TRANSLATE_NOOP("AccessibleNames", "Indicateur ajouté dans le bécher")}},
        {QStringLiteral("Image3"),
         {QT_TRANSLATE_NOOP("AccessibleNames", "Robinet de la burette"),
          QT_TRANSLATE_NOOP(
              "AccessibleNames",
              "Maintenir enfoncé pour verser la solution de la burette dans le bécher")}},
        {QStringLiteral("Image1"),
         {QT_TRANSLATE_NOOP("AccessibleNames", "Ajouter une goutte"),
          QT_TRANSLATE_NOOP("AccessibleNames", "Verse une goutte de la burette")}},
        {QStringLiteral("picburette"),
         {QT_TRANSLATE_NOOP("AccessibleNames", "Illustration du dosage"),
          QT_TRANSLATE_NOOP("AccessibleNames", "La burette, le bécher et le conductimètre ; le "
                                               "niveau et la couleur de la solution")}},
        {kConductimeter,
         {QT_TRANSLATE_NOOP("AccessibleNames", "Conductimètre"),
          QT_TRANSLATE_NOOP("AccessibleNames", "Conductivité σ de la solution du bécher, en S/m")}},
        {QStringLiteral("Labelbur"),
         {QT_TRANSLATE_NOOP("AccessibleNames", "Volume versé"),
          QT_TRANSLATE_NOOP("AccessibleNames", "Volume lu sur la burette")}},
        {QStringLiteral("Onglets"),
         {QT_TRANSLATE_NOOP("AccessibleNames", "Onglets des pages"),
          QT_TRANSLATE_NOOP("AccessibleNames",
                            "Choisir la page : flèches, ou Ctrl+Tab et Ctrl+Maj+Tab")}},
        {QStringLiteral("Picture1"),
         {QT_TRANSLATE_NOOP("AccessibleNames", "Graphe de la conductivité"),
          QT_TRANSLATE_NOOP(
              "AccessibleNames",
              "σ en fonction du volume versé : points mesurés et courbes terminées")}},
        {QStringLiteral("MSFlexGrid1"),
         {QT_TRANSLATE_NOOP("AccessibleNames", "Tableau de valeurs"),
          QT_TRANSLATE_NOOP("AccessibleNames",
                            "Volume versé, σ et concentrations des ions à chaque mesure")}},
        {QStringLiteral("Histo"),
         {QT_TRANSLATE_NOOP("AccessibleNames", "Historique des courbes"),
          QT_TRANSLATE_NOOP("AccessibleNames", "Les solutions de chaque courbe terminée")}},
        {QStringLiteral("supertext"),
         {QT_TRANSLATE_NOOP("AccessibleNames", "Fenêtre exercice"),
          QT_TRANSLATE_NOOP("AccessibleNames", "Énoncé, correction ou texte de l'élève")}},
        {QStringLiteral("fich"),
         {QT_TRANSLATE_NOOP("AccessibleNames", "Fichier ouvert"),
          QT_TRANSLATE_NOOP("AccessibleNames", "Exercice ou texte affiché")}},
        {QStringLiteral("info"),
         {QT_TRANSLATE_NOOP("AccessibleNames", "Ligne d'information"),
          QT_TRANSLATE_NOOP("AccessibleNames", "Explique le contrôle sous la souris")}},
        {QStringLiteral("feuilleP/UpDown1"),
         {QT_TRANSLATE_NOOP("AccessibleNames", "Volume versé entre deux mesures"),
          QT_TRANSLATE_NOOP("AccessibleNames", "Pas des mesures, en mL")}},
        // The calculator
        {QStringLiteral("z1"),
         {QT_TRANSLATE_NOOP("AccessibleNames", "Affichage de la calculatrice"),
          QT_TRANSLATE_NOOP("AccessibleNames", "Expression tapée et résultat")}},
        // The file dialogs and the exercise chooser
        {QStringLiteral("Drive1"), {QT_TRANSLATE_NOOP("AccessibleNames", "Lecteur"), ""}},
        {QStringLiteral("Dir1"),
         {QT_TRANSLATE_NOOP("AccessibleNames", "Liste des dossiers"),
          QT_TRANSLATE_NOOP("AccessibleNames", "Dossier dont les fichiers sont listés")}},
        {QStringLiteral("File1"),
         {QT_TRANSLATE_NOOP("AccessibleNames", "Liste des fichiers"),
          QT_TRANSLATE_NOOP("AccessibleNames", "Configurations enregistrées")}},
        {QStringLiteral("Fichexo/File1"),
         {QT_TRANSLATE_NOOP("AccessibleNames", "Liste des exercices"),
          QT_TRANSLATE_NOOP("AccessibleNames", "Choisir un exercice pour en voir l'aperçu")}},
        {QStringLiteral("ouvrir/ficharge"),
         {QT_TRANSLATE_NOOP("AccessibleNames", "Fichier à ouvrir"),
          QT_TRANSLATE_NOOP("AccessibleNames", "Chemin complet du fichier")}},
        {QStringLiteral("enregistrer/Text1"),
         {QT_TRANSLATE_NOOP("AccessibleNames", "Nom du fichier"),
          QT_TRANSLATE_NOOP("AccessibleNames",
                            "Nom sous lequel la configuration est enregistrée")}},
        {QStringLiteral("fichierexo"),
         {QT_TRANSLATE_NOOP("AccessibleNames", "Exercice sélectionné"),
          QT_TRANSLATE_NOOP("AccessibleNames", "Chemin complet de l'exercice")}},
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
            w.setAccessibleName(QCoreApplication::translate("AccessibleNames", found->second.name));
        if (w.accessibleDescription().isEmpty()) {
            QString description =
                QCoreApplication::translate("AccessibleNames", found->second.description);
            // The strip says which pages it leads to.
            if (qobject_cast<TabStrip*>(&w))
                description = QCoreApplication::translate("AccessibleNames", "Pages : ") +
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
