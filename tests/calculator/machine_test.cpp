#include "calculator/machine.h"

#include "platform/messages.h"

#include <QAbstractButton>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace titrage;

// Readable failures: gtest shows QString as text.
void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace {

class MachineWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        memoire() = 0;
        Machine::setBeepHook([this] { ++beeps; });
    }
    void TearDown() override { Machine::setBeepHook(nullptr); }

    static void click(Machine& m, const char* name)
    {
        auto* key = m.findChild<QAbstractButton*>(QString::fromLatin1(name));
        ASSERT_NE(key, nullptr) << name;
        key->click();
    }
    static void keys(Machine& m, std::initializer_list<const char*> names)
    {
        for (const char* n : names)
            click(m, n);
    }
    static QString display(Machine& m)
    {
        return m.findChild<QPlainTextEdit*>(QStringLiteral("z1"))->toPlainText();
    }

    int beeps = 0;
};

} // namespace

TEST_F(MachineWindow, CosineInDegreesShowsBlankThenOne)
{
    Machine m;
    click(m, "angle(0)");
    keys(m, {"B2", "Bcos", "B6", "B0"});
    EXPECT_EQ(display(m), QStringLiteral("2 * cos 60"));
    click(m, "EXE");
    EXPECT_EQ(display(m), QStringLiteral(" 1"));
    EXPECT_EQ(beeps, 0);
}

TEST_F(MachineWindow, PlusAfterAResultInsertsTheAnswer)
{
    Machine m;
    keys(m, {"B4", "B0", "EXE", "plus"});
    EXPECT_EQ(display(m), QStringLiteral("40 + "));
    keys(m, {"B2", "EXE"});
    EXPECT_EQ(display(m), QStringLiteral(" 42"));
}

TEST_F(MachineWindow, EffaceRemovesTheOperatorAndItsBlanks)
{
    Machine m;
    keys(m, {"B1", "B2", "plus"});
    EXPECT_EQ(display(m), QStringLiteral("12 + "));
    click(m, "EFFACE");
    EXPECT_EQ(display(m), QStringLiteral("12"));
}

TEST_F(MachineWindow, ScientificRedisplaysTheLastResult)
{
    Machine m;
    keys(m, {"B1", "B2", "B3", "B4", "EXE"});
    EXPECT_EQ(display(m), QStringLiteral(" 1234"));
    click(m, "C(0)");
    EXPECT_EQ(display(m), QStringLiteral("1,234E+03"));
    click(m, "C(1)");
    EXPECT_EQ(display(m), QStringLiteral(" 1234"));
}

TEST_F(MachineWindow, FailedEvaluationShowsTheMessageAndKeepsTheExpression)
{
    MessageRecorder recorder; // errors go to the display, never to a box
    Machine m;
    keys(m, {"Bpo", "B2", "plus", "B3", "EXE"});
    EXPECT_EQ(display(m), QStringLiteral("Erreur saisie: revoir les parenthèses"));
    EXPECT_EQ(beeps, 1);
    click(m, "ANS"); // no answer after a failure
    EXPECT_EQ(display(m), QStringLiteral("(2 + 3"));
    keys(m, {"bpf", "EXE"});
    EXPECT_EQ(display(m), QStringLiteral(" 5"));
    EXPECT_EQ(beeps, 1);
    EXPECT_TRUE(recorder.requests().empty());
}

TEST_F(MachineWindow, KeyboardActsAsTheKeys)
{
    Machine m;
    auto* z1 = m.findChild<QPlainTextEdit*>(QStringLiteral("z1"));
    QTest::keyClicks(z1, QStringLiteral("1,5e-3*2x"));
    EXPECT_EQ(display(m), QStringLiteral("1,5E-3 * 2"));
    QTest::keyClick(z1, Qt::Key_Backspace);
    QTest::keyClick(z1, Qt::Key_Backspace);
    EXPECT_EQ(display(m), QStringLiteral("1,5E-3"));
    QTest::keyClicks(&m, QStringLiteral("/(4^2)"));
    EXPECT_EQ(display(m), QStringLiteral("1,5E-3 / (4 ^ 2)"));
    QTest::keyClick(z1, Qt::Key_Return);
    EXPECT_EQ(display(m), QStringLiteral(" 9,375E-05"));
    QTest::keyClicks(z1, QStringLiteral("-1"));
    EXPECT_EQ(display(m), QStringLiteral("-1"));
    QTest::keyClick(&m, Qt::Key_Enter);
    EXPECT_EQ(display(m), QStringLiteral("-1"));
    // The decimal comma, from the main keys or the keypad, is the point.
    QTest::keyClicks(z1, QStringLiteral("3"));
    QTest::keyClick(z1, ',', Qt::KeypadModifier);
    QTest::keyClicks(z1, QStringLiteral("5*2,5"));
    EXPECT_EQ(display(m), QStringLiteral("3,5 * 2,5"));
    QTest::keyClick(z1, Qt::Key_Return);
    EXPECT_EQ(display(m), QStringLiteral(" 8,75"));
}

TEST_F(MachineWindow, MemorySurvivesCloseAndReopen)
{
    {
        Machine m;
        keys(m, {"B7", "EXE", "Command1", "Command1"});
        EXPECT_EQ(display(m), QStringLiteral(" 7")); // M+ leaves the display alone
    }
    Machine again;
    EXPECT_EQ(display(again), QString());
    keys(again, {"B2", "Command3"});
    EXPECT_EQ(display(again), QStringLiteral("214"));
    click(again, "C(0)");
    keys(again, {"RAZ", "Command3"});
    EXPECT_EQ(display(again), QStringLiteral("1,4E+01"));
    keys(again, {"Command4", "RAZ", "Command3"});
    EXPECT_EQ(display(again), QStringLiteral("0E+00"));
}

TEST_F(MachineWindow, EachOpeningStartsAfresh)
{
    Machine m;
    Messages::setDialogRunner([](QDialog& d) {
        d.show();
        auto* exe = d.findChild<QAbstractButton*>(QStringLiteral("EXE"));
        d.findChild<QAbstractButton*>(QStringLiteral("B9"))->click();
        d.findChild<QRadioButton*>(QStringLiteral("angle(0)"))->click();
        exe->click();
        d.hide();
        return int(QDialog::Accepted);
    });
    Messages::execDialog(m);
    EXPECT_EQ(m.state().reponse(), " 9");
    EXPECT_TRUE(m.findChild<QRadioButton*>(QStringLiteral("angle(0)"))->isChecked());
    Messages::setDialogRunner([](QDialog& d) {
        d.show();
        d.hide();
        return int(QDialog::Accepted);
    });
    Messages::execDialog(m);
    Messages::setDialogRunner(nullptr);
    EXPECT_EQ(m.state().reponse(), "");
    EXPECT_EQ(display(m), QString());
    EXPECT_TRUE(m.findChild<QRadioButton*>(QStringLiteral("angle(1)"))->isChecked());
    EXPECT_TRUE(m.findChild<QRadioButton*>(QStringLiteral("C(1)"))->isChecked());
}

TEST_F(MachineWindow, SimpleLayoutHidesTheConstantsAndRaisesTheDisplay)
{
    Machine m;
    EXPECT_EQ(m.objectName(), QStringLiteral("Machine"));
    m.useSimpleLayout();
    for (int i = 0; i < 5; ++i) {
        auto* key = m.findChild<QAbstractButton*>(QStringLiteral("constante(%1)").arg(i));
        ASSERT_NE(key, nullptr);
        EXPECT_TRUE(key->isHidden());
    }
    const QRect g = m.findChild<QPlainTextEdit*>(QStringLiteral("z1"))->geometry();
    EXPECT_EQ(g.y(), 16);
    EXPECT_EQ(g.height(), 89);
}

TEST_F(MachineWindow, BackgroundIsAHorizontalGradient)
{
    Machine m;
    m.useSimpleLayout();
    const QImage image = m.grab().toImage();
    // Between the display and the options, where only the background shows.
    EXPECT_EQ(image.pixelColor(0, 108), QColor(200, 250, 250));
    EXPECT_EQ(image.pixelColor(100, 108), QColor(150, 200, 200));
    EXPECT_EQ(image.pixelColor(301, 108), QColor(50, 100, 100));
}
