// The properties sheet offscreen: its pages are wired to the values (the
// Line page's fields, spins and refusal, the Arc page's conversion, the
// Element page's bridges and its several-elements and text modes).
#include "dlg/PropertySheet.h"

#include "dlg/ElementPage.h"
#include "dlg/GeometryPages.h"
#include "dlg/PropertiesDriver.h"
#include "document/MorvekDoc.h"
#include "element/Line.h"
#include "platform/Prompt.h"
#include "section/Section.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

using namespace dlg;

class PropertySheetTest : public testing::Test {
protected:
    // Runs the sheet for the element (null: several elements, Element page
    // alone); act works on it while it is shown.
    int Run(CElement* element, std::function<void(PropertySheet&)> act)
    {
        PropertySheetRun run{values_};
        run.doc = &doc_;
        run.element = element;
        if (element) {
            run.row = FindPropertyPages(element->GetTypeId());
            values_.common.Fill(*element);
            run.row->fill(values_, *element);
            run.detailPage = true;
        }
        run.elementPage = true;
        QTimer::singleShot(0, [act] {
            auto* sheet = qobject_cast<PropertySheet*>(QApplication::activeModalWidget());
            ASSERT_NE(sheet, nullptr);
            act(*sheet);
            if (sheet->isVisible())
                sheet->reject();
        });
        return PropertySheet::Run(run, nullptr);
    }
    Section& S() { return *doc_.GetCurrentSection(); }

    CMorvekDoc doc_;
    PropertyValues values_;
};

TEST_F(PropertySheetTest, LinePageShowsEditsAndSpinsItsValues)
{
    CElement* line = *S().AddLine3(0, 0, 100, 0, true, 1);
    const int result = Run(line, [](PropertySheet& sheet) {
        auto* page = dynamic_cast<GeometryPage*>(sheet.Detail());
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(sheet.Tabs()->count(), 2);
        EXPECT_EQ(page->PointEdit(1, 0)->text(), QStringLiteral("100"));
        EXPECT_EQ(page->ShownEdit(0)->text(), QStringLiteral("100.000"));
        page->SpinButton(0, true)->click();
        EXPECT_EQ(page->ExtensionEdit(0)->text(), QStringLiteral("5"));
        EXPECT_EQ(page->ShownEdit(0)->text(), QStringLiteral("105.000"));
        page->PointEdit(1, 0)->setText(QStringLiteral("150"));
        sheet.accept();
    });
    EXPECT_EQ(result, propend::kOk);
    EXPECT_EQ(values_.line.end.x, 150.0);
    EXPECT_EQ(values_.line.atStart.value, 5.0);
}

TEST_F(PropertySheetTest, EqualLineEndsKeepTheSheetOpen)
{
    CElement* line = *S().AddLine3(0, 0, 100, 0, true, 1);
    platform::ScriptedPrompt prompt{platform::PromptResult::Ok};
    auto guard = platform::installPrompt(prompt);
    const int result = Run(line, [](PropertySheet& sheet) {
        auto* page = dynamic_cast<GeometryPage*>(sheet.Detail());
        page->PointEdit(1, 0)->setText(QStringLiteral("0"));
        sheet.accept();
        EXPECT_TRUE(sheet.isVisible());
    });
    EXPECT_EQ(result, propend::kCancel);
    EXPECT_EQ(prompt.texts().size(), 1);
}

TEST_F(PropertySheetTest, PickAndConversionButtonsEndTheSheetWithTheirCode)
{
    CElement* arc = *S().AddArc3(0, 0, 0, 10, 10, 0, true, 1);
    EXPECT_EQ(Run(arc, [](PropertySheet& s) { static_cast<GeometryPage*>(s.Detail())->PickButton(2)->click(); }),
              propend::kPickArcCentre);
    EXPECT_EQ(Run(arc, [](PropertySheet& s) { s.Detail()->findChild<QPushButton*>("ArcToEllipse")->click(); }),
              propend::kArcToEllipse);
}

TEST_F(PropertySheetTest, ElementPageAddsCustomBridgesAndHonoursItsModes)
{
    CElement* line = *S().AddLine3(0, 0, 100, 0, true, 1);
    (void)Run(line, [](PropertySheet& sheet) {
        ElementPage* page = sheet.Element();
        page->Custom()->click();
        EXPECT_TRUE(page->AddButton()->isEnabled());
        page->AddButton()->click();
        page->AddButton()->click();
        EXPECT_EQ(page->Bridges()->count(), 2);
        page->Bridges()->setCurrentRow(1);
        EXPECT_EQ(page->Distance()->text(), QStringLiteral("22.002"));
        page->Ptg()->setText(QStringLiteral("-5"));
        emit page->Ptg()->editingFinished();
        EXPECT_EQ(page->Ptg()->text(), QStringLiteral("0"));
        sheet.accept();
    });
    EXPECT_EQ(values_.common.bridgeMode, 0);
    EXPECT_EQ(values_.common.bridges.size(), 2u);

    // Several elements with one pointage: the box stays ticked.
    CElement* other = *S().AddLine3(0, 50, 100, 50, true, 1);
    line->SetPtg(23.8);
    other->SetPtg(23.8);
    values_.common.FillSeveral({line, other});
    (void)Run(nullptr, [](PropertySheet& sheet) {
        ElementPage* page = sheet.Element();
        EXPECT_TRUE(page->PtgBox()->isChecked());
        EXPECT_FALSE(page->PtgBox()->isEnabled());
        EXPECT_TRUE(page->AvoidInstances()->isTristate());
        EXPECT_FALSE(page->Custom()->isEnabled());
    });

    // A text's Element page: no bridge control.
    values_.common.Fill(*line);
    values_.common.textMode = true;
    PropertySheetRun run{values_};
    run.elementPage = true;
    run.element = line;
    QTimer::singleShot(0, [] {
        auto* sheet = qobject_cast<PropertySheet*>(QApplication::activeModalWidget());
        ElementPage* page = sheet->Element();
        for (QWidget* w : std::initializer_list<QWidget*>{page->Automatic(), page->Custom(), page->RuleTable(),
                                                           page->Count(), page->Length(), page->AddButton()})
            EXPECT_FALSE(w->isEnabled());
        EXPECT_TRUE(page->LineType()->isEnabled());
        sheet->reject();
    });
    (void)PropertySheet::Run(run, nullptr);
}

} // namespace
