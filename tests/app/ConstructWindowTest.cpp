// The construction dialogs through the real program offscreen: each
// command chosen from the menu opens its dialog, typed values and picks in
// the drawing add the element, and the drawing is saved and read back.
#include "WindowFixture.h"

#include "dlg/ConstructDialogs.h"
#include "dlg/RelativeLineDlg.h"
#include "element/Arc.h"
#include "element/Ellipse.h"
#include "element/Measure.h"
#include "element/NodeTable.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

namespace {

template <class Dialog> void WhenShown(std::function<void(Dialog&)> act)
{
    QTimer::singleShot(0, [act] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        act(*dialog);
    });
}

void Type(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

class ConstructWindow : public apptest::WindowFixture {
protected:
    template <class T> std::vector<T*> All()
    {
        std::vector<T*> found;
        for (CElement* e : *Doc().GetCurrentSection())
            if (auto* t = dynamic_cast<T*>(e))
                found.push_back(t);
        return found;
    }
    void Click(double x, double y)
    {
        QTest::mouseClick(view_, Qt::LeftButton, Qt::NoModifier, PixelOf(x, y));
    }
    // The drawing written and read into a new document.
    std::unique_ptr<CMorvekDoc> SavedAndRead()
    {
        const QByteArray bytes = Doc().WriteFile();
        auto read = std::make_unique<CMorvekDoc>();
        QString error;
        EXPECT_TRUE(read->LoadFile(QStringLiteral("saved.n"), bytes, &error)) << error.toStdString();
        return read;
    }
    template <class T> static int CountIn(CMorvekDoc& doc)
    {
        int n = 0;
        for (CElement* e : *doc.GetCurrentSection())
            n += dynamic_cast<T*>(e) != nullptr;
        return n;
    }
};

TEST_F(ConstructWindow, ArcThroughThreeTypedPointsAndUndoRemovesIt)
{
    using F = dlg::CArcDlg;
    WhenShown<F>([](F& d) {
        Type(d.Edit(F::StartX), QStringLiteral("-50"));
        Type(d.Edit(F::ThroughY), QStringLiteral("50"));
        Type(d.Edit(F::EndX), QStringLiteral("50"));
        d.OkButton()->click();
    });
    Choose(176);
    ASSERT_EQ(All<CArc>().size(), 1u);
    EXPECT_EQ(Doc().GetCurrentSection()->Point(All<CArc>()[0]->GetCenterNode()), die::coord(0, 0));
    EXPECT_EQ(CountIn<CArc>(*SavedAndRead()), 1);
    Choose(370);
    EXPECT_TRUE(All<CArc>().empty());
}

TEST_F(ConstructWindow, EllipseWithTypedCentreAndSemiAxes)
{
    using F = dlg::CAddEllipseDlg;
    WhenShown<F>([](F& d) {
        Type(d.Edit(F::CentreX), QStringLiteral("20"));
        Type(d.Edit(F::First), QStringLiteral("40"));
        Type(d.Edit(F::Second), QStringLiteral("15"));
        Type(d.Edit(F::Rotation), QStringLiteral("-30"));
        d.OkButton()->click();
    });
    Choose(32802);
    ASSERT_EQ(All<CEllipse>().size(), 1u);
    EXPECT_EQ(CountIn<CEllipse>(*SavedAndRead()), 1);
}

TEST_F(ConstructWindow, LinearDimensionFromPickedNodesAndPosition)
{
    (void)Doc().GetCurrentSection()->AddLine3(0, 0, 80, 0, true, 1);
    // The position snaps to this node (a free point needs the free-point key).
    ASSERT_GE(Doc().Nodes().AddPoint(40, 30, false), 0);
    view_->update();
    QApplication::processEvents();
    using F = dlg::CAddMeasureDlg;
    WhenShown<F>([](F& d) { d.PickButton(F::kPickFirst)->click(); });
    Choose(210);
    WhenShown<F>([](F& d) { d.PickButton(F::kPickSecond)->click(); });
    Click(0, 0);
    WhenShown<F>([](F& d) { d.PickButton(F::kPickPosition)->click(); });
    Click(80, 0);
    WhenShown<F>([](F& d) {
        EXPECT_TRUE(d.OkButton()->isEnabled());
        d.OkButton()->click();
    });
    Click(40, 30);
    ASSERT_EQ(All<CMeasure>().size(), 1u);
    const CMeasure* m = All<CMeasure>()[0];
    const Section& s = *Doc().GetCurrentSection();
    EXPECT_EQ(s.Point(m->GetP1()), die::coord(0, 0));
    EXPECT_EQ(s.Point(m->GetP2()), die::coord(80, 0));
    EXPECT_EQ(s.Point(m->GetLinePoint()), die::coord(40, 30));
    EXPECT_EQ(CountIn<CMeasure>(*SavedAndRead()), 1);
}

TEST_F(ConstructWindow, RelativeLineOpensAsAToolWindowAndDrawsFromThePen)
{
    Choose(33100);
    dlg::CLineCreateDlg* dialog = view_->RelativeLineDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->isModal());
    Type(dialog->Length(), QStringLiteral("10"));
    dialog->CreateByDirectionButton()->click();
    EXPECT_EQ(apptest::LinesOf(Doc()).size(), 1u);
    EXPECT_EQ(dialog->PenX()->text(), QStringLiteral("  10.000"));
    EXPECT_TRUE(Doc().IsModified());
}

} // namespace
