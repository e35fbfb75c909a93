#include "platform/messages.h"

#include <QDialog>

#include <gtest/gtest.h>

using namespace titrage;

TEST(Messages, RecorderAnswersWithoutBlockingAndKeepsTheExactText)
{
    MessageRecorder recorder(MessageAnswer::No);
    const auto answer =
        Messages::ask(nullptr, {QStringLiteral("Burette vide"),
                                QStringLiteral("Voulez-vous recommencer le titrage"),
                                MessageIcon::Question, MessageButtons::YesNo});
    EXPECT_EQ(answer, MessageAnswer::No);
    ASSERT_EQ(recorder.requests().size(), 1u);
    EXPECT_EQ(recorder.requests()[0].title, QStringLiteral("Burette vide"));
    EXPECT_EQ(recorder.requests()[0].icon, MessageIcon::Question);
}

TEST(Messages, DialogRunnerReplacesTheModalLoop)
{
    int seen = 0;
    Messages::setDialogRunner([&](QDialog&) {
        ++seen;
        return int(QDialog::Accepted);
    });
    QDialog dialog;
    EXPECT_EQ(Messages::execDialog(dialog), int(QDialog::Accepted));
    EXPECT_EQ(seen, 1);
    Messages::setDialogRunner(nullptr);
}
