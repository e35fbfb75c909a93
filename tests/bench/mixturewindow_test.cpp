// The nature "Mélange ou précipitation" on the bench, worked as a student
// does: choose it, fill the panel, pour, read the conductimeter and the table;
// a combination the engine cannot treat is refused and changes nothing.
#include "config/core/configfile.h"
#include "config/lireconfig.h"
#include "bench/core/benchstate.h"
#include "model/mixturebench.h"
#include "platform/core/numberformat.h"
#include "tests/support/benchdriver.h"

#include <QCheckBox>
#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

using namespace titrage;
using namespace titrage::testing;

namespace {

class MixtureWindow : public BenchTest {
protected:
    void chooseIn(const QString& list, int index)
    {
        auto& combo = d.find<QComboBox>(list);
        combo.setCurrentIndex(index);
        emit combo.activated(index);
    }
    // The panel's list index of a solute (the second and third lists start
    // with "(aucun)").
    static int soluteIndex(MixSolute s, int row)
    {
        return mixSoluteChoiceIndex(s) + (row > 0 ? 1 : 0);
    }
    void concentration(int row, const QString& text)
    {
        auto& box = d.find<QLineEdit>(QStringLiteral("cmelange(%1)").arg(row));
        box.setText(text);
        box.setModified(true);
        emit box.editingFinished();
    }
    // sigma as the conductimeter shows it, from the engine itself.
    QString engineSigma(const Mixture& m, double v)
    {
        Mixture at = m;
        at.ctitrant = 0.01;
        MixPoint p;
        EXPECT_EQ(MixtureEngine(at, w->model()).solve(v, p), MixStatus::Ok);
        return QString::fromStdString(conductimeterText(static_cast<float>(p.sigma)));
    }
};

const MixSolute kChloride{MixSoluteKind::SodiumChloride, 0, 7, 0.01};

} // namespace

TEST_F(MixtureWindow, AChlorideBySilverNitratePoursAndTabulatesWhatTheEngineSays)
{
    const QString acidBench = d.conductimeter();
    d.find<QRadioButton>("Option1(2)").click();
    ASSERT_TRUE(d.find<QWidget>("mixturePanel").isVisible());
    EXPECT_FALSE(d.find<QWidget>("lbecher").isVisible());
    ASSERT_TRUE(w->state().mixture());
    Mixture m = *w->state().mixture();
    EXPECT_EQ(m.titrant, MixTitrant::SilverNitrate);

    // A second solute: ethanoic acid at 0,005 mol/L.
    const MixSolute acetic{MixSoluteKind::CatalogueAcid, 4, 7, 0.005};
    chooseIn("lmelange(1)", soluteIndex(acetic, 1));
    concentration(1, QStringLiteral("0,005"));
    ASSERT_EQ(w->state().mixture()->soluteCount, 2);
    m = *w->state().mixture();
    EXPECT_EQ(m.solutes[1].c, 0.005);
    EXPECT_TRUE(messages->requests().empty());

    EXPECT_EQ(d.conductimeter(), engineSigma(m, 0));
    d.type(5, QStringLiteral("12,5"));
    EXPECT_EQ(d.conductimeter(), engineSigma(m, 12.5));

    d.fastPlot();
    ASSERT_EQ(d.table().columns(), 4);
    ASSERT_EQ(d.rows(), 51);
    EXPECT_EQ(d.cell(40, 0), QStringLiteral("20,0"));
    EXPECT_EQ(d.cell(40, 1), engineSigma(m, 20.0));
    EXPECT_EQ(d.conductimeter(), engineSigma(m, 25.0));
    // The precipitate clouds the beaker.
    EXPECT_GT(cloudiness(w->state().lastMixPoint(), 45), 0.5);

    // Back to a single couple: the bench of before, bit for bit.
    d.nature(0);
    EXPECT_FALSE(w->state().mixture());
    EXPECT_TRUE(d.find<QWidget>("lbecher").isVisible());
    EXPECT_FALSE(d.find<QWidget>("mixturePanel").isVisible());
    EXPECT_EQ(d.conductimeter(), acidBench);
    EXPECT_EQ(d.table().columns(), 6);
}

TEST_F(MixtureWindow, ASituationKeepsItsMixtureWhileTheStudentSwitches)
{
    d.find<QRadioButton>("Option1(2)").click();
    chooseIn("lburette", static_cast<int>(MixTitrant::BariumChloride));
    chooseIn("lmelange(0)", soluteIndex({MixSoluteKind::SodiumSulfate, 0, 7, 0}, 0));
    const Mixture m = *w->state().mixture();
    d.fastPlot();
    d.situation(1);
    EXPECT_FALSE(w->state().mixture());
    EXPECT_TRUE(d.find<QRadioButton>("Option1(0)").isChecked());
    d.situation(0);
    ASSERT_TRUE(w->state().mixture());
    EXPECT_EQ(w->state().mixture()->titrant, MixTitrant::BariumChloride);
    EXPECT_EQ(w->state().mixture()->solutes[0].kind, MixSoluteKind::SodiumSulfate);
    EXPECT_TRUE(d.find<QRadioButton>("Option1(2)").isChecked());
    EXPECT_EQ(d.conductimeter(), engineSigma(m, 25.0));
    EXPECT_TRUE(w->store().sit[0].courbefinie);
}

// Saved and reopened on a fresh bench: the panel, the finished curve and
// the conductimeter come back as the student left them.
TEST_F(MixtureWindow, ASavedMixtureReopensOnTheBench)
{
    d.find<QRadioButton>("Option1(2)").click();
    chooseIn("lburette", static_cast<int>(MixTitrant::BariumChloride));
    chooseIn("lmelange(0)", soluteIndex({MixSoluteKind::SodiumSulfate, 0, 7, 0}, 0));
    const Mixture m = *w->state().mixture();
    d.fastPlot();
    w->selectSituation(0);
    ConfigData data;
    data.sit = w->situationStore().sit;
    const QString path = d.file("SULFATE.C16");
    ASSERT_EQ(writeConfiguration(path.toStdString(), data), ConfigWriteStatus::Ok);

    BenchDriver other(d.folder(), BenchDriver::Start::Hidden, messages);
    other->setNomfichier(path);
    lireconfig(other.window());
    EXPECT_TRUE(messages->requests().empty());
    ASSERT_TRUE(other->state().mixture());
    EXPECT_EQ(other->state().mixture()->titrant, MixTitrant::BariumChloride);
    EXPECT_EQ(other->state().mixture()->solutes[0].kind, MixSoluteKind::SodiumSulfate);
    EXPECT_TRUE(other.find<QRadioButton>("Option1(2)").isChecked());
    EXPECT_TRUE(other->store().sit[0].courbefinie);
    EXPECT_EQ(other.conductimeter(), engineSigma(m, 25.0));

    // An exercise's statement masks the concentration to be found: the panel
    // hides it until the box is unticked, and the bench still titrates it.
    data.sit[0].optsit[4] = true;
    ASSERT_EQ(writeConfiguration(path.toStdString(), data), ConfigWriteStatus::Ok);
    lireconfig(other.window());
    auto& c0 = other.find<QLineEdit>("cmelange(0)");
    EXPECT_EQ(std::tuple(c0.echoMode(), c0.isReadOnly()), std::tuple(QLineEdit::NoEcho, true));
    EXPECT_EQ(other.conductimeter(), engineSigma(m, 25.0));
    other.find<QCheckBox>("masquer").click();
    EXPECT_EQ(std::tuple(c0.echoMode(), c0.isReadOnly()), std::tuple(QLineEdit::Normal, false));
    EXPECT_FALSE(other.find<QWidget>("lbecher").isVisible());
}

TEST_F(MixtureWindow, ARefusedCombinationShowsOneMessageAndChangesNothing)
{
    d.find<QRadioButton>("Option1(2)").click();
    d.type(5, QStringLiteral("5"));
    const Mixture before = *w->state().mixture();

    struct Case {
        const char* list;
        int index;
        const char* says;
    };
    const MixSolute soda{MixSoluteKind::CatalogueBase, 8, 7, 0};
    const Case cases[] = {
        // Silver nitrate meeting a base: silver oxide would form.
        {"lmelange(1)", soluteIndex(soda, 1), "oxyde d'argent"},
        // Phosphoric acid, then barium chloride in the burette.
        {"lmelange(0)", soluteIndex({MixSoluteKind::PhosphoricAcid, 0, 7, 0}, 0), nullptr},
        {"lburette", static_cast<int>(MixTitrant::BariumChloride), "phosphates de baryum"},
    };
    for (const Case& c : cases) {
        messages->clear();
        chooseIn(c.list, c.index);
        if (!c.says) continue; // an accepted step
        ASSERT_EQ(messages->requests().size(), 1u) << c.list;
        EXPECT_TRUE(messages->requests()[0].text.contains(QString::fromUtf8(c.says)))
            << messages->requests()[0].text.toStdString();
    }
    // The refused choices are back as they were; the accepted one stands.
    EXPECT_EQ(d.find<QComboBox>("lmelange(1)").currentIndex(), 0);
    EXPECT_EQ(d.find<QComboBox>("lburette").currentIndex(),
              static_cast<int>(MixTitrant::SilverNitrate));
    EXPECT_EQ(w->state().mixture()->solutes[0].kind, MixSoluteKind::PhosphoricAcid);
    EXPECT_EQ(w->state().mixture()->titrant, before.titrant);

    // A concentration outside 1E-06 .. 0,1 mol/L is refused alike.
    const Mixture accepted = *w->state().mixture();
    const QString sigma = d.conductimeter();
    for (const char* text : {"0,5", "abc", "0"}) {
        messages->clear();
        concentration(0, QString::fromUtf8(text));
        EXPECT_EQ(messages->requests().size(), 1u) << text;
        EXPECT_EQ(d.find<QLineEdit>("cmelange(0)").text(),
                  QString::fromStdString(generalFormat(accepted.solutes[0].c)));
        EXPECT_EQ(w->state().mixture()->solutes[0].c, accepted.solutes[0].c);
        EXPECT_EQ(d.conductimeter(), sigma);
    }
}

// The pH-meter shows the model's pH live, to two decimals, and the table
// carries it: the single couple's solver for a described titration, the
// exact engine for a mixture.
TEST_F(MixtureWindow, PhMeterShowsTheModelsPhForACoupleAndForAMixture)
{
    EXPECT_TRUE(d.apparatus().phShown().isEmpty());
    d.find<QAbstractButton>("phmetre").click();
    ASSERT_TRUE(w->state().phMetre());
    d.solute(4); // acide éthanoïque, 0,01 mol/L by 0,01 mol/L sodium hydroxide
    const struct {
        const char* poured;
        const char* shown;
    } couple[] = {{"0", "pH = 3,38"},  {"5", "pH = 4,29"},  {"10", "pH = 4,75"},
                  {"20", "pH = 8,23"}, {"25", "pH = 11,05"}};
    for (const auto& c : couple) {
        d.type(5, QString::fromLatin1(c.poured));
        EXPECT_EQ(d.apparatus().phShown(), QString::fromUtf8(c.shown)) << c.poured;
    }
    d.fastPlot();
    ASSERT_EQ(d.table().columns(), 7);
    EXPECT_EQ(d.cell(20, 0), QStringLiteral("10,0"));
    EXPECT_EQ(d.cell(20, 6), QStringLiteral("4,75"));

    d.find<QRadioButton>("Option1(2)").click();
    ASSERT_TRUE(w->state().mixture());
    Mixture m = *w->state().mixture();
    m.ctitrant = 0.01;
    for (double v : {0.0, 12.5, 25.0}) {
        d.type(5, QString::fromStdString(formatNumber(v, "#0.0")));
        MixPoint p;
        ASSERT_EQ(MixtureEngine(m, w->model()).solve(v, p), MixStatus::Ok);
        EXPECT_EQ(d.apparatus().phShown(), QString::fromStdString(phMeterText(p.ph))) << v;
    }
    d.fastPlot();
    ASSERT_EQ(d.table().columns(), 5);
    MixPoint at20;
    ASSERT_EQ(MixtureEngine(m, w->model()).solve(20.0, at20), MixStatus::Ok);
    EXPECT_EQ(d.cell(40, 4), QString::fromStdString(formatNumber(at20.ph, "#0.00")));

    // Unticked, the bench is as it was: no display, four columns.
    d.find<QAbstractButton>("phmetre").click();
    EXPECT_TRUE(d.apparatus().phShown().isEmpty());
    EXPECT_EQ(d.table().columns(), 4);
}
