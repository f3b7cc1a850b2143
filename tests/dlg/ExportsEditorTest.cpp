// Output > Options: duplicate names are refused and asked again, renames to
// other capitals pass, a cancelled rename keeps the old name, the boxes are
// kept and the configuration saved however the list is closed, and the
// user's file holds only the differences from the factory exporters.
#include "dlg/ExportsEditor.h"

#include "common/TempDir.h"
#include "options/LanguageTable.h"
#include "platform/Prompt.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <deque>
#include <optional>

namespace {

// The shipped factory exporters: CF2, HP-GL, Old n, Wild plotter.
QByteArray Factory()
{
    QFile file(QStringLiteral(MORVEK_SOURCE_DIR "/Defaults/output.ini"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
const QByteArray kFactory = Factory();

struct Editor {
    test::ScopedTestEnvironment env;
    test::TempDir dir;
    QString factory = dir.write(QStringLiteral("output.ini"), kFactory);
    QString user = dir.file(QStringLiteral("output.cfg"));
    Export::ExportManager manager;
    platform::ScriptedPrompt prompt;
    platform::ScopedOverride<platform::Prompt*> usePrompt = platform::installPrompt(prompt);
    std::deque<std::optional<dlg::ExporterDeclaration>> answers;
    std::vector<dlg::ExporterDeclaration> asked;
    int saved = 0;
    std::unique_ptr<dlg::ExportsEditor> editor;

    Editor()
    {
        manager.Load(factory, user);
        editor = std::make_unique<dlg::ExportsEditor>(manager);
        editor->SetDeclare([this](dlg::ExporterDeclaration& d, bool) {
            asked.push_back(d);
            if (answers.empty() || !answers.front()) {
                if (!answers.empty())
                    answers.pop_front();
                return false;
            }
            d = *answers.front();
            answers.pop_front();
            return true;
        });
        editor->SetOnSaved([this] { ++saved; });
    }
    QStringList Rows() const
    {
        QStringList rows;
        for (int i = 0; i < editor->List()->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* row = editor->List()->topLevelItem(i);
            rows << row->text(0) + QLatin1Char('/') + row->text(1);
        }
        return rows;
    }
    void Select(const QString& name)
    {
        const auto found = editor->List()->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        editor->List()->setCurrentItem(found.front());
    }
};

TEST(ExportsEditor, ListsNamesAndTypesInNameOrder)
{
    Editor e;
    EXPECT_EQ(e.Rows(), (QStringList{QStringLiteral("CF2/CF2"), QStringLiteral("HP-GL/HPGL"), QStringLiteral("Old n/OLDN"),
                                     QStringLiteral("Wild plotter/WILD")}));
}

TEST(ExportsEditor, DuplicateNameIsRefusedAndAskedAgain)
{
    Editor e;
    e.answers = {dlg::ExporterDeclaration{QStringLiteral("cf2"), QStringLiteral("cf2")},
                 dlg::ExporterDeclaration{QStringLiteral("plot 2"), QStringLiteral("cf2")}};
    e.prompt.push(platform::PromptResult::Ok);
    e.editor->Add();
    ASSERT_EQ(e.prompt.texts().size(), 1);
    EXPECT_EQ(e.prompt.texts()[0], Translate(886));
    ASSERT_EQ(e.asked.size(), 2u);
    EXPECT_EQ(e.asked[1].name, QStringLiteral("cf2"));
    EXPECT_EQ(e.asked[1].type, QStringLiteral("cf2"));
    EXPECT_EQ(e.Rows().size(), 5);
}

TEST(ExportsEditor, RenamesAndCancelledRenames)
{
    Editor e;
    e.Select(QStringLiteral("CF2"));
    e.answers = {dlg::ExporterDeclaration{QStringLiteral("cf2"), QStringLiteral("cf2")}};
    e.editor->Modify();
    EXPECT_TRUE(e.prompt.texts().isEmpty());
    EXPECT_TRUE(e.Rows().contains(QStringLiteral("cf2/CF2")));

    e.Select(QStringLiteral("cf2"));
    e.answers = {dlg::ExporterDeclaration{QStringLiteral("hp-gl"), QStringLiteral("cf2")}, std::nullopt};
    e.prompt.push(platform::PromptResult::Ok);
    e.editor->Modify();
    EXPECT_EQ(e.prompt.texts().size(), 1);
    EXPECT_TRUE(e.Rows().contains(QStringLiteral("cf2/CF2")));
}

TEST(ExportsEditor, CancelStillKeepsTheBoxesAndSavesOnlyTheDifferences)
{
    Editor e;
    e.editor->List()->findItems(QStringLiteral("HP-GL"), Qt::MatchExactly).front()->setCheckState(0, Qt::Unchecked);
    e.editor->reject();
    EXPECT_EQ(e.saved, 1);
    EXPECT_FALSE(e.manager.GetNameMap().at(QStringLiteral("HP-GL"))->IsEnabled());
    EXPECT_EQ(e.dir.read(QStringLiteral("output.cfg")), QByteArray("[HP-GL]\n  enabled=0\n\n"));
    EXPECT_EQ(e.dir.read(QStringLiteral("output.ini")), kFactory) << "factory file untouched";
}

TEST(ExportsEditor, DeleteAsksFirst)
{
    Editor e;
    e.Select(QStringLiteral("HP-GL"));
    e.prompt.push(platform::PromptResult::No);
    e.editor->Delete();
    EXPECT_EQ(e.Rows().size(), 4);
    e.prompt.push(platform::PromptResult::Yes);
    e.editor->Delete();
    EXPECT_FALSE(e.Rows().contains(QStringLiteral("HP-GL/HPGL")));
    EXPECT_EQ(e.Rows().size(), 3);
    EXPECT_TRUE(e.prompt.texts().back().endsWith(QStringLiteral("\nHP-GL")));
}

TEST(ExporterDeclare, NeedsANameAndAType)
{
    dlg::ExporterDeclare fresh({}, false);
    EXPECT_EQ(fresh.TypeBox()->currentIndex(), -1);
    fresh.NameField()->setText(QStringLiteral("plot"));
    fresh.accept();
    EXPECT_EQ(fresh.result(), QDialog::Rejected) << "no type yet";
    fresh.TypeBox()->setCurrentIndex(fresh.TypeBox()->findText(QStringLiteral("CF2")));
    fresh.accept();
    EXPECT_EQ(fresh.result(), QDialog::Accepted);
    EXPECT_EQ(fresh.Result().type, QStringLiteral("cf2"));

    dlg::ExporterDeclare rename({QStringLiteral("HP-GL"), QStringLiteral("hpgl")}, true);
    EXPECT_FALSE(rename.TypeBox()->isEnabled());
    EXPECT_EQ(rename.TypeBox()->currentText(), QStringLiteral("HP-GL"));
}

} // namespace
