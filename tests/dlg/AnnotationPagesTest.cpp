// The Cuir, Bobst assembly, Dimension and Text pages offscreen in the real
// sheet (their controls wired to the values), OK without a change through
// the driver, and the new text of Construct > Basic > Text with its pick.
#include "dlg/AnnotationPages.h"
#include "dlg/NewTextDriver.h"
#include "dlg/PropertiesDriver.h"
#include "dlg/PropertySheet.h"

#include "document/MorvekDoc.h"
#include "element/BobstAsm.h"
#include "element/Measure.h"
#include "element/Text.h"
#include "platform/Prompt.h"
#include "section/Section.h"
#include "section/UndoManager.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

using namespace dlg;

class AnnotationPagesTest : public testing::Test {
protected:
    int Run(CElement* element, std::function<void(PropertySheet&)> act)
    {
        PropertySheetRun run{values_};
        run.doc = &doc_;
        run.element = element;
        run.row = FindPropertyPages(element->GetTypeId());
        values_.common.Fill(*element);
        run.row->fill(values_, *element);
        run.elementPage = run.row->elementPage;
        run.detailPage = true;
        QTimer::singleShot(0, [act] {
            auto* sheet = qobject_cast<PropertySheet*>(QApplication::activeModalWidget());
            ASSERT_NE(sheet, nullptr);
            act(*sheet);
            if (sheet->isVisible())
                sheet->reject();
        });
        return PropertySheet::Run(run, nullptr);
    }
    static void Type(QLineEdit* edit, const QString& text)
    {
        edit->setText(text);
        emit edit->textEdited(text);
    }
    // The i-th line edit of the page in layout order.
    static QLineEdit* Edit(PropertySheet& s, int i) { return s.Detail()->findChildren<QLineEdit*>().at(i); }
    Section& S() { return *doc_.GetCurrentSection(); }

    CMorvekDoc doc_;
    PropertyValues values_;
};

TEST_F(AnnotationPagesTest, CuirPageOffersItsOwnRadius)
{
    CElement* cuir = *S().AddCuirAt(10, 10, 25.0, 0.0, 10.0, true);
    const int result = Run(cuir, [](PropertySheet& s) {
        auto* radius = s.Detail()->findChild<QComboBox*>("radius");
        ASSERT_EQ(radius->count(), 4);
        EXPECT_EQ(radius->currentText(), "25.00");
        Type(Edit(s, 3), "-90"); // centre x, y, wing, angle
        s.accept();
    });
    EXPECT_EQ(result, propend::kOk);
    EXPECT_EQ(values_.cuir.radius, 25.0);
    EXPECT_DOUBLE_EQ(values_.cuir.Radians(), 3.0 * 3.141592653589793 / 2.0);
}

TEST_F(AnnotationPagesTest, BobstRadiosSetThePresetAndTheEdits)
{
    BobstAsmParams p;
    p.SetPreset1();
    CElement* assembly = *S().AddBobstAt(0, 0, p, true);
    (void)Run(assembly, [](PropertySheet& s) {
        const auto radios = s.Detail()->findChildren<QRadioButton*>();
        EXPECT_TRUE(radios[0]->isChecked());
        EXPECT_FALSE(Edit(s, 2)->isEnabled()); // the opening angle, kind 1
        radios[1]->click();
        EXPECT_EQ(Edit(s, 3)->text(), "12.000");
        EXPECT_EQ(Edit(s, 4)->text(), "12.000");
        radios[2]->click();
        EXPECT_TRUE(Edit(s, 2)->isEnabled());
    });
    EXPECT_EQ(values_.bobst.kind, kBobstCustom);
    EXPECT_EQ(values_.bobst.record.kind, 2);
}

TEST_F(AnnotationPagesTest, DimensionKindFromTheItemDataAndTheValueFromThePoints)
{
    CElement* dimension = *S().AddMeasureXY(1203, 5, 10, 0, 0, 30, 40, 0, 0, true);
    (void)Run(dimension, [](PropertySheet& s) {
        auto* kind = s.Detail()->findChild<QComboBox*>("kind");
        auto* value = s.Detail()->findChild<QLineEdit*>("value");
        ASSERT_EQ(kind->count(), 3);
        EXPECT_EQ(kind->currentData().toInt(), 1203);
        EXPECT_EQ(value->text(), "50.000");
        kind->setCurrentIndex(0);
        emit kind->activated(0);
        EXPECT_EQ(value->text(), "50.000"); // kept until a point is edited
        Type(Edit(s, 2), "12"); // the second point's x
        EXPECT_EQ(value->text(), "12.000");
        EXPECT_FALSE(Edit(s, 4)->isEnabled()); // the centre: angles only
        s.accept();
    });
    EXPECT_EQ(values_.dimension.kind, 1201);
}

class ScriptedHost : public PropertiesHost {
public:
    std::vector<int> answers;
    std::vector<int> armed;
    int runs = 0;
    int RunSheet(PropertySheetRun&) override { return answers.at(static_cast<size_t>(runs++)); }
    void ArmPick(int code) override { armed.push_back(code); }
    void EditDieBoard() override {}
};

TEST_F(AnnotationPagesTest, OkWithoutChangeOpensNoStep)
{
    BobstAsmParams p;
    p.SetDefaults();
    const platform::LogFont font{};
    CElement* elements[] = {*S().AddCuirAt(10.0004, 10, 25.0, 0.3, 10.0, true), *S().AddBobstAt(50, 0, p, true),
                            *S().AddMeasureXY(1204, 5, 10, 10, 0, 0, 10, 0, 0, true),
                            *S().AddText2(0, 30, 10, 33, 8, "abc", font, 0, 1401, 1)};
    ScriptedHost host;
    host.answers.assign(4, propend::kOk);
    PropertiesDriver driver(doc_, nullptr, host);
    for (CElement* e : elements) {
        doc_.SetEditElement(e);
        driver.EditProperties(0);
    }
    EXPECT_EQ(host.runs, 4);
    EXPECT_EQ(doc_.Undo().GetUndoCount(), 0);
}

TEST_F(AnnotationPagesTest, NewTextComesBackFromItsPickAndIsAddedInOneStep)
{
    ScriptedHost host;
    host.answers = {propend::kPickTextBase, propend::kOk};
    NewTextDriver newText(doc_, nullptr, host);
    EXPECT_FALSE(newText.Run(0));
    EXPECT_EQ(host.armed, std::vector<int>{propend::kPickTextBase});
    newText.Values().text.text = "Lid";
    EXPECT_TRUE(newText.Run(propend::kPickTextBase, PickedPoint{7, 8, -1, 0}));
    ASSERT_EQ(doc_.Undo().GetUndoCount(), 1);
    EXPECT_EQ(doc_.Undo().NextUndo()->title, NewTextDriver::kTextUndoTitle);
    EXPECT_TRUE(doc_.IsModified());
    auto* text = dynamic_cast<CText*>(S().GetElement(S().GetSlotsInUse() - 1));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->GetText(), "Lid");
    doc_.Nodes().SetCacheValid(false);
    EXPECT_EQ(doc_.Nodes().GetNode(text->GetBaseNode())->GetX(), 7.0);
}

TEST_F(AnnotationPagesTest, NewTextPageRunsAloneWithoutPreview)
{
    platform::ScriptedPrompt prompt{platform::PromptResult::Ok};
    auto guard = platform::installPrompt(prompt);
    ScriptedHost unused;
    NewTextDriver newText(doc_, nullptr, unused);
    newText.Values().text = TextFields::ForNewText();
    PropertySheetRun run{newText.Values()};
    run.doc = &doc_;
    run.row = FindPropertyPages(4);
    run.detailPage = true;
    QTimer::singleShot(0, [] {
        auto* s = qobject_cast<PropertySheet*>(QApplication::activeModalWidget());
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->Element(), nullptr);
        EXPECT_EQ(s->Detail()->PreviewElement(), nullptr);
        s->accept(); // no characters: refused, the sheet stays
        EXPECT_TRUE(s->isVisible());
        s->findChild<QLineEdit*>("text")->setText("A");
        s->accept();
    });
    EXPECT_EQ(PropertySheet::Run(run, nullptr), propend::kOk);
}

} // namespace
