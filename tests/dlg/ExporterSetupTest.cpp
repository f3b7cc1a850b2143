// The exporter settings rows: stored values select their entries, the
// offset rows exist only for exporters that use them, the policy decides
// which path rows can be edited, a value without an entry survives OK, and
// the type dialogs add their own choices and store only on OK.
#include "dlg/ExporterSetup.h"
#include "dlg/GeneralSetup.h"
#include "options/LanguageTable.h"

#include <gtest/gtest.h>

namespace {

using dlg::ExporterRows;

struct Rows {
    gui::COptionTree tree;
    ExporterRows rows{tree};
    explicit Rows(const Export::ExportSettings& settings, const QString& type = QStringLiteral("cf2"))
    {
        rows.BuildGeneral();
        dlg::AddTypeEntries(rows, type);
        rows.SetSettings(settings);
    }
    QString Shown(int key) const { return rows.ComboRow(key)->ValueText(); }
    void Choose(int key, int data) { rows.ComboRow(key)->SelectData(data); }
};

TEST(ExporterSetup, StoredValuesSelectTheirEntries)
{
    Export::ExportSettings settings;
    settings.mode = 2;
    settings.optimize = 1;
    settings.instance = 2;
    settings.dir = QStringLiteral("/dies/out/");
    Rows r(settings);
    EXPECT_EQ(r.Shown(ExporterRows::kExportMode), QStringLiteral("with bridges"));
    EXPECT_EQ(r.Shown(ExporterRows::kOptimization), QStringLiteral("normal"));
    EXPECT_EQ(r.Shown(ExporterRows::kInstances), QStringLiteral("original instance only"));
    EXPECT_EQ(r.rows.PathRow(0)->ValueText(), QStringLiteral("/dies/out/"));
    EXPECT_EQ(r.rows.PathRow(1)->ValueText(), QStringLiteral("No selection made."));
    EXPECT_EQ(r.rows.Category(0)->GetLabelText(), QStringLiteral("General settings"));
}

TEST(ExporterSetup, OffsetRowsOnlyWithOffsetsAndOffsetsKeptWithout)
{
    Export::ExportSettings settings;
    settings.use_offset = false;
    settings.offset_x = 12.5;
    Rows without(settings);
    EXPECT_EQ(without.rows.Category(1), nullptr);
    EXPECT_EQ(without.tree.Root()->Children().size(), 2u);
    EXPECT_EQ(without.rows.GetSettings().offset_x, 12.5);

    settings.use_offset = true;
    Rows with(settings, QStringLiteral("hpgl"));
    ASSERT_NE(with.rows.Spinner(0), nullptr);
    EXPECT_EQ(with.rows.Spinner(0)->GetText(), QStringLiteral("12.5"));
    with.rows.Spinner(1)->SetText(QStringLiteral("-3"));
    EXPECT_EQ(with.rows.GetSettings().offset_y, -3.0);
}

TEST(ExporterSetup, PolicyDecidesWhichPathRowsCanBeEdited)
{
    Rows r(Export::ExportSettings{});
    struct {
        int policy;
        bool directoryReadOnly, openWithReadOnly;
    } cases[] = {{0, false, true}, {1, false, true}, {2, true, true}, {3, true, false}};
    for (const auto& c : cases) {
        r.Choose(ExporterRows::kPolicy, c.policy);
        r.rows.ComboRow(ExporterRows::kPolicy)->BeginEdit();
        r.rows.ComboRow(ExporterRows::kPolicy)->EndEdit();
        EXPECT_EQ(r.rows.PathRow(0)->IsReadOnly(), c.directoryReadOnly) << c.policy;
        EXPECT_EQ(r.rows.PathRow(1)->IsReadOnly(), c.openWithReadOnly) << c.policy;
    }
}

TEST(ExporterSetup, ValueWithoutAnEntryIsKept)
{
    Export::ExportSettings settings;
    settings.instance = 0; // an HP-GL exporter offers no entry for 0
    settings.mirror = 7;
    Rows r(settings, QStringLiteral("hpgl"));
    EXPECT_EQ(r.rows.ComboRow(ExporterRows::kInstances)->CurrentIndex(), -1);
    const Export::ExportSettings back = r.rows.GetSettings();
    EXPECT_EQ(back.instance, 0);
    EXPECT_EQ(back.mirror, 7);
}

TEST(ExporterSetup, TypeDialogsOfferTheirChoicesAndStoreOnlyOnOk)
{
    struct {
        const char* type;
        const char* instanceOne;
        int instances, modes;
    } cases[] = {{"cf2", "convert all into one", 3, 4}, {"hpgl", "all instances", 2, 3},
                 {"oldn", "convert all into one", 3, 4}, {"wild", "all instances", 2, 3}};
    for (const auto& c : cases) {
        auto edited = Export::CreateExporter(QString::fromLatin1(c.type));
        ASSERT_NE(edited, nullptr);
        edited->SetName(QStringLiteral("plot"));
        Export::ExportSettings settings = edited->GetSettings();
        settings.instance = 1;
        edited->SetSettings(settings);

        dlg::ExportConfigDialog cancelled(*edited);
        EXPECT_EQ(cancelled.windowTitle(), QStringLiteral("plot"));
        ExporterRows& rows = cancelled.Rows();
        EXPECT_EQ(rows.ComboRow(ExporterRows::kInstances)->ValueText(), QString::fromLatin1(c.instanceOne)) << c.type;
        EXPECT_EQ(rows.ComboRow(ExporterRows::kInstances)->Count(), c.instances) << c.type;
        EXPECT_EQ(rows.ComboRow(ExporterRows::kExportMode)->Count(), c.modes) << c.type;
        for (int key = ExporterRows::kExportMode; key <= ExporterRows::kPolicy; ++key)
            rows.ComboRow(key)->SetCurrentIndex(rows.ComboRow(key)->Count() - 1);
        rows.PathRow(0)->SetPath(QStringLiteral("/elsewhere/"));
        cancelled.reject();
        EXPECT_EQ(edited->GetSettings().instance, 1) << c.type;
        EXPECT_EQ(edited->GetSettings().dir_policy, 0) << c.type;
        EXPECT_TRUE(edited->GetSettings().dir.isEmpty()) << c.type;

        dlg::ExportConfigDialog accepted(*edited);
        accepted.Rows().ComboRow(ExporterRows::kPolicy)->SelectData(1);
        accepted.Rows().PathRow(0)->SetPath(QStringLiteral("/dies/"));
        accepted.accept();
        EXPECT_EQ(edited->GetSettings().dir_policy, 1) << c.type;
        EXPECT_EQ(edited->GetSettings().dir, QStringLiteral("/dies/")) << c.type;
        EXPECT_EQ(edited->GetSettings().instance, 1) << c.type;
    }
}

} // namespace

namespace {

TEST(GeneralSetup, ShowsAnEmptyGridUnderItsCaption)
{
    dlg::GeneralSetup dialog;
    EXPECT_TRUE(dialog.Tree().Root()->Children().empty());
    EXPECT_EQ(dialog.windowTitle(), Translate(dlg::GeneralSetup::kCaption));
}

} // namespace
