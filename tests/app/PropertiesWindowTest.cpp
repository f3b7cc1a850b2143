// The element properties through the real program offscreen: the popup's
// Properties on a line, its end moved on the Line page, and Undo; Measure >
// Element on an arc opens the Arc page and keeps its status line.
#include "WindowFixture.h"

#include "dlg/GeometryPages.h"
#include "dlg/PropertyPage.h"
#include "dlg/PropertySheet.h"
#include "element/Arc.h"
#include "element/Line.h"
#include "options/LanguageTable.h"

#include <QLineEdit>
#include <QLabel>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <functional>

namespace {

class PropertiesWindow : public apptest::WindowFixture {
protected:
    void WhenShown(std::function<void(dlg::PropertySheet&)> act)
    {
        QTimer::singleShot(0, [this, act] {
            auto* sheet = qobject_cast<dlg::PropertySheet*>(QApplication::activeModalWidget());
            ASSERT_NE(sheet, nullptr);
            shown_ = true;
            act(*sheet);
            if (sheet->isVisible())
                sheet->reject();
        });
    }
    bool shown_ = false;
};

TEST_F(PropertiesWindow, PopupPropertiesMovesALineEndAndUndoPutsItBack)
{
    Section& layer = *Doc().GetCurrentSection();
    (void)layer.AddLine3(0, 0, 100, 0, true, 1);
    WhenShown([](dlg::PropertySheet& sheet) {
        EXPECT_EQ(sheet.Tabs()->count(), 2);
        EXPECT_EQ(sheet.Tabs()->tabText(1), Translate(dlg::kTextCaptionLine));
        auto* page = static_cast<dlg::GeometryPage*>(sheet.Detail());
        QLineEdit* endX = page->PointEdit(1, 0);
        endX->selectAll();
        QTest::keyClicks(endX, QStringLiteral("150"));
        sheet.accept();
    });
    view_->Properties().OnPopupProperties(layer.GetElement(0));
    ASSERT_TRUE(shown_);
    auto* line = static_cast<CLine*>(layer.GetElement(0));
    EXPECT_EQ(layer.Point(line->GetEndNode()).x, 150.0);
    EXPECT_TRUE(Doc().IsModified());
    Doc().Undo().Undo();
    line = static_cast<CLine*>(layer.GetElement(0));
    EXPECT_EQ(layer.Point(line->GetEndNode()).x, 100.0);
}

TEST_F(PropertiesWindow, MeasureElementOnAnArcOpensTheArcPage)
{
    Section& layer = *Doc().GetCurrentSection();
    (void)layer.AddArc3(0, 0, 0, 50, 50, 0, true, 1);
    QString tab;
    WhenShown([&tab](dlg::PropertySheet& sheet) { tab = sheet.Tabs()->tabText(1); });
    ASSERT_TRUE(view_->RunCommand(218)); // Measure > Element
    const double d = 50 / std::sqrt(2.0);
    QTest::mouseClick(view_, Qt::LeftButton, Qt::NoModifier, PixelOf(d, d));
    ASSERT_TRUE(shown_);
    EXPECT_EQ(tab, Translate(dlg::kTextCaptionArc));
    EXPECT_EQ(Doc().GetEditElement(), layer.GetElement(0));
    EXPECT_FALSE(window_.StateText()->text().isEmpty()) << "the measured element's line stays";
}

} // namespace
