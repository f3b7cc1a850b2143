// View > Line Types and Construct > Bridge formula open their dialogs from
// the menus of a started program; what the dialogs confirm reaches the
// line-type table and bar, and the bridge rules and their user file.
#include "app/DefaultMenu.h"
#include "app/MainWindow.h"
#include "app/MorvekXPApp.h"
#include "app/WindowSteps.h"
#include "dlg/BridgeSettingDlg.h"
#include "dlg/LineTypePropDlg.h"
#include "dlg/LineTypesDlg.h"
#include "gui/LineTypeBox.h"
#include "platform/Prompt.h"

#include "common/TempDir.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

QAction* FindCommand(const QList<QAction*>& actions, int commandId)
{
    for (QAction* action : actions) {
        if (action->menu()) {
            if (QAction* found = FindCommand(action->menu()->actions(), commandId))
                return found;
        } else if (action->data().isValid() && action->data().toInt() == commandId) {
            return action;
        }
    }
    return nullptr;
}

class SettingsDialogs : public testing::Test {
protected:
    SettingsDialogs()
    {
        const QString defaults = QStringLiteral(MORVEK_SOURCE_DIR "/Defaults");
        for (const QString& name : QDir(defaults).entryList(QDir::Files))
            QFile::copy(defaults + QLatin1Char('/') + name, env.appFolder() + QStringLiteral("/Defaults/") + name);
    }
    void SetUp() override
    {
        ASSERT_FALSE(morvek.InitInstance(&steps).has_value());
        emit window.commandChosen(kNewCommand); // the document menus
        QApplication::processEvents();
    }
    QAction* Command(int id) { return FindCommand(window.menuBar()->actions(), id); }

    test::ScopedTestEnvironment env;
    platform::ScriptedPrompt prompt;
    platform::ScopedOverride<platform::Prompt*> usePrompt = platform::installPrompt(prompt);
    CMorvekXPApp morvek;
    app::MainWindow window;
    app::WindowSteps steps{window, morvek};
};

TEST_F(SettingsDialogs, LineTypesFromTheViewMenuAddALineTypeToTableBarAndFile)
{
    QAction* lineTypes = Command(app::kLineTypesCommand);
    ASSERT_NE(lineTypes, nullptr);
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<dlg::CLineTypesDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        shown = true;
        EXPECT_GT(dialog->List()->topLevelItemCount(), 5);
        dialog->SetPropertiesRunner([](dlg::CLineTypePropDlg& properties) {
            properties.NameField()->setText(QStringLiteral("Groove"));
            properties.accept();
            return properties.result();
        });
        dialog->AddButton()->click();
        dialog->accept();
    });
    lineTypes->trigger();
    ASSERT_TRUE(shown);
    // The new line type has the first free number and is in the bar.
    int added = -1;
    for (auto it = morvek.GetLinetypeTable().LinetypesBegin(); it != morvek.GetLinetypeTable().LinetypesEnd(); ++it)
        if (it->second.name == QStringLiteral("Groove"))
            added = it->first;
    ASSERT_GE(added, 0);
    EXPECT_GE(window.LineTypes()->findData(added), 0);
    EXPECT_TRUE(env.dir().read(QStringLiteral("app/Config/linetypes.cfg")).contains("Groove"));
    EXPECT_TRUE(prompt.texts().isEmpty());
}

TEST_F(SettingsDialogs, BridgeFormulaFromTheConstructMenuSavesTheRules)
{
    QAction* bridges = Command(app::kBridgeFormulaCommand);
    ASSERT_NE(bridges, nullptr);
    BridgeRuleSet* rules = nullptr;
    double* perLength = nullptr;
    double* length = nullptr;
    morvek.GetOptions()->GetBridgeSettings(rules, perLength, length);
    const std::size_t before = rules->size();
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<dlg::CBridgeSettingDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        shown = true;
        EXPECT_EQ(dialog->List()->topLevelItemCount(), int(before));
        dialog->MinimumField()->setText(QStringLiteral("5000"));
        dialog->MaximumField()->setText(QStringLiteral("6000.5"));
        dialog->CountField()->setText(QStringLiteral("7"));
        dialog->LengthField()->setText(QStringLiteral("2.5"));
        dialog->KindBox()->setCurrentIndex(2); // arcs
        dialog->OnAdd();
        EXPECT_EQ(dialog->List()->topLevelItemCount(), int(before) + 1);
        // A default typed below zero turns into 0.
        dialog->PerLengthDefault()->clear();
        QTest::keyClicks(dialog->PerLengthDefault(), QStringLiteral("-3"));
        EXPECT_EQ(dialog->PerLengthDefault()->text(), "0");
        dialog->accept();
    });
    bridges->trigger();
    ASSERT_TRUE(shown);
    EXPECT_EQ(rules->size(), before + 1);
    EXPECT_EQ(morvek.GetOptions()->GetAutoLengthNumBridges(5500, 1).count, 7); // an arc
    EXPECT_TRUE(env.dir().read(QStringLiteral("app/Config/bridges.cfg")).contains("6000.5"));
    EXPECT_EQ(*perLength, 0.0);
    EXPECT_TRUE(prompt.texts().isEmpty());
}

} // namespace
