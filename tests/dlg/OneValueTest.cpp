// The one-value dialog: which texts OK takes, and the asker the commands
// call.
#include "dlg/OneParamDlg.h"
#include "dlg/OneValue.h"

#include "platform/Prompt.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TEST(OneValue, OkTakesNumberCharactersOnly)
{
    const struct {
        const char* value;
        qsizetype refused;
    } cases[] = {
        {"12,5", -1}, {"1/2", -1}, {"-0.25", -1}, {"", -1}, {"1e5", 1}, {"+3", 0}, {"4 ", 1}, {"abc", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(dlg::FirstRefusedCharacter(QString::fromLatin1(c.value)), c.refused) << c.value;
}

TEST(OneValue, TheDialogStaysOpenOnARefusedValue)
{
    platform::ScriptedPrompt prompt;
    auto installed = platform::installPrompt(prompt);
    for (const bool skip : {false, true}) {
        dlg::COneParamDlg dialog;
        dialog.SetRequest({QStringLiteral("Zoom:"), QStringLiteral("1e5"), skip});
        dialog.show();
        dialog.OkButton()->click();
        EXPECT_EQ(dialog.result(), skip ? QDialog::Accepted : QDialog::Rejected) << skip;
        EXPECT_EQ(dialog.isVisible(), !skip);
        dialog.Edit()->setText(QStringLiteral("12,5"));
        dialog.OkButton()->click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.Value(), QStringLiteral("12,5"));
        EXPECT_EQ(dialog.Label(), QStringLiteral("Zoom:"));
    }
    ASSERT_EQ(prompt.texts().size(), 1);
    EXPECT_EQ(prompt.texts()[0], QStringLiteral("<344>"));
}

struct Answer : dlg::OneValueAsker {
    std::optional<QString> Ask(const dlg::OneValueRequest& request) override
    {
        asked = request.label;
        return answer;
    }
    std::optional<QString> answer;
    QString asked;
};

TEST(OneValue, CommandsAskThroughTheInstalledAsker)
{
    Answer answer;
    answer.answer = QStringLiteral("7");
    auto installed = dlg::InstallOneValueAsker(answer);
    EXPECT_EQ(dlg::AskOneValue({QStringLiteral("Radius:"), QStringLiteral("1"), false}), QStringLiteral("7"));
    EXPECT_EQ(answer.asked, QStringLiteral("Radius:"));
}

TEST(OneValue, WithoutAnAskerTheDialogAsks)
{
    // Escape (or closing the window) cancels.
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<dlg::COneParamDlg*>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    EXPECT_EQ(dlg::AskOneValue({QStringLiteral("Radius:"), QStringLiteral("1"), false}), std::nullopt);
}

} // namespace
