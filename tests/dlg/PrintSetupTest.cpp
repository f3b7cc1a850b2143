#include "dlg/PrintSetupFields.h"
#include "dlg/PrinterSetupDlg.h"
#include "options/Options.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QSpinBox>
#include <gtest/gtest.h>

namespace {

using dlg::PrintSetupFields;

TEST(PrintSetupFields, OpensFromTheOptionsWithTheOverlapDisabled)
{
    struct Case {
        int storedMode;
        int selected;
    };
    for (const Case c : {Case{1, 1}, Case{2, 2}, Case{3, 3}, Case{7, 0}}) {
        SCOPED_TRACE(c.storedMode);
        COptions options;
        options.SetPrintMode(c.storedMode);
        options.SetPrintOverlap(25);
        options.SetNamedInt("print_center_y", 1);
        const PrintSetupFields fields = PrintSetupFields::Read(options);
        EXPECT_EQ(fields.selectedMode, c.selected);
        EXPECT_EQ(fields.overlap, 25);
        EXPECT_FALSE(fields.centerX);
        EXPECT_TRUE(fields.centerY);
        EXPECT_FALSE(fields.overlapEnabled); // also with mode 1 stored
    }
}

TEST(PrintSetupFields, ModesEnableTheirControlsAndOkStoresEverything)
{
    COptions options;
    PrintSetupFields fields = PrintSetupFields::Read(options);
    EXPECT_EQ(fields.selectedMode, 2); // the defaults: mode 2, overlap 10, no centring
    EXPECT_EQ(fields.overlap, 10);

    fields.ChooseMode(1);
    EXPECT_TRUE(fields.overlapEnabled);
    EXPECT_FALSE(fields.centerEnabled);
    fields.overlap = 40;
    fields.ChooseMode(3);
    EXPECT_FALSE(fields.overlapEnabled);
    EXPECT_TRUE(fields.centerEnabled);
    EXPECT_EQ(fields.overlap, 40); // kept in the fitted modes
    fields.centerX = true;
    fields.Store(options);
    EXPECT_EQ(options.GetPrintMode(), 3);
    EXPECT_EQ(options.GetPrintOverlap(), 40); // stored in any mode
    EXPECT_EQ(options.GetNamedInt("print_center_x", 0), 1);
    EXPECT_EQ(options.GetNamedInt("print_center_y", 7), 0);

    // No radio selected: the stored mode stays.
    options.SetPrintMode(9);
    PrintSetupFields none = PrintSetupFields::Read(options);
    none.overlap = 5000;
    none.Store(options);
    EXPECT_EQ(options.GetPrintMode(), 9);
    EXPECT_EQ(options.GetPrintOverlap(), PrintSetupFields::kMaxOverlap);
}

TEST(PrinterSetupDialog, OverlapWaitsForTheOneToOneRadioAndCancelStoresNothing)
{
    COptions options;
    options.SetPrintMode(1);
    {
        dlg::CPrinterSetupDlg dialog(options);
        dialog.show();
        EXPECT_TRUE(dialog.ModeButton(1)->isChecked());
        EXPECT_FALSE(dialog.OverlapBox()->isEnabled());
        dialog.ModeButton(1)->click();
        EXPECT_TRUE(dialog.OverlapBox()->isEnabled());
        EXPECT_FALSE(dialog.CenterXBox()->isEnabled());
        dialog.OverlapBox()->setValue(33);
        dialog.ModeButton(2)->click();
        EXPECT_FALSE(dialog.OverlapBox()->isEnabled());
        dialog.CenterYBox()->setChecked(true);
        dialog.reject();
    }
    EXPECT_EQ(options.GetPrintMode(), 1);
    EXPECT_EQ(options.GetPrintOverlap(), 10);
    EXPECT_EQ(options.GetNamedInt("print_center_y", 0), 0);

    dlg::CPrinterSetupDlg dialog(options);
    dialog.show();
    dialog.ModeButton(2)->click();
    dialog.OverlapBox()->setValue(33);
    dialog.CenterYBox()->setChecked(true);
    dialog.accept();
    EXPECT_EQ(options.GetPrintMode(), 2);
    EXPECT_EQ(options.GetPrintOverlap(), 33);
    EXPECT_EQ(options.GetNamedInt("print_center_y", 0), 1);
}

} // namespace
