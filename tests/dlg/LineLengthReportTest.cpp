// The rule length report: lengths per line type with the layer and ptg
// filters, the kinds, the total and the extents of a small drawing; and the
// dialog that shows it.
#include "dlg/LineLengthDlg.h"

#include "common/LanguageTestSupport.h"
#include "document/MorvekDoc.h"
#include "element/Element.h"
#include "linetype/LinetypeTable.h"
#include "options/LanguageTable.h"
#include "section/Section.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

using dlg::LineLengthReport;

class LineLengthReportTest : public testing::Test {
protected:
    void SetUp() override
    {
        // 1 cut (standard), 2 board (internal), 3 wave and tear at once, 4
        // standard and unused, 5 a display style.
        const int kinds[] = {LinetypeKind::Standard, LinetypeKind::Internal, LinetypeKind::Wave | LinetypeKind::Tear,
                             LinetypeKind::Standard, LinetypeKind::Display};
        for (int n = 1; n <= 5; ++n) {
            linetypes_.AddLinetype(n, LinetypeStyle::Solid, 1, 0);
            linetypes_.SetCurrentTypeAndSubtypes(kinds[n - 1], -1, -1);
            linetypes_.SetCurrentName(QStringLiteral("T%1").arg(n));
        }
        // A box of 400 x 300 on layer 0; a hidden layer named like the
        // "all layers" item with 50 mm more cut.
        Section& box = *doc_.GetSection(0);
        box.setName(QStringLiteral("Box"));
        Line(box, 0, 0, 400, 0, 1, 3);
        Line(box, 400, 0, 400, 300, 1, 0);
        Line(box, 400, 300, 0, 300, 2, 0);
        Line(box, 0, 300, 0, 0, 3, 2);
        ASSERT_EQ(doc_.InsertSection(Translate(LineLengthReport::kTextAllLayers), -1), 1);
        Section& hidden = *doc_.GetSection(1);
        hidden.SetVisible(false);
        Line(hidden, 0, 0, 0, 50, 1, 3);
        linetypes_.SetCurrent(4);
    }
    static void Line(Section& s, double x1, double y1, double x2, double y2, int lineType, int ptg)
    {
        CElement* e = s.AddLine3(x1, y1, x2, y2, true, lineType).Get();
        ASSERT_NE(e, nullptr);
        e->SetPtg(ptg);
    }
    // Each row as "name|kind|length".
    static std::vector<QString> Rows(const LineLengthReport& r)
    {
        std::vector<QString> rows;
        for (const LineLengthReport::Row& row : r.rows)
            rows.push_back(row.name + u'|' + row.kind + u'|' + row.length);
        return rows;
    }

    test::ScopedTestEnvironment env_;
    test::ScopedLanguage language_{env_, "[869]\nENG=%.3f x %.3f mm\n[676]\nENG=All layers\n[698]\nENG=All\n"};
    LinetypeTable linetypes_;
    CMorvekDoc doc_;
};

TEST_F(LineLengthReportTest, LengthsPerLineTypeUnderTheFilters)
{
    struct Case {
        int layer;
        QString ptg;
        bool showAll;
        QString total;
        std::vector<QString> rows;
    };
    const QString all = Translate(LineLengthReport::kTextAllPtg);
    const Case cases[] = {
        // Every layer, the hidden one too.
        {0, all, false, "1450.000 mm", {"T1|standard|750.000 mm", "T2|internal|400.000 mm", "T3||300.000 mm"}},
        {0, all, true, "1450.000 mm",
         {"T1|standard|750.000 mm", "T2|internal|400.000 mm", "T3||300.000 mm", "T4|standard|"}},
        // The layer chosen, not every layer of its name: the hidden layer
        // is named like the "all layers" item.
        {1, all, false, "1400.000 mm", {"T1|standard|700.000 mm", "T2|internal|400.000 mm", "T3||300.000 mm"}},
        {2, all, false, "50.000 mm", {"T1|standard|50.000 mm"}},
        {0, "3", false, "450.000 mm", {"T1|standard|450.000 mm"}},
        // Ptg 0 is a ptg like any other.
        {0, "0", false, "700.000 mm", {"T1|standard|300.000 mm", "T2|internal|400.000 mm"}},
        {1, "7", true, " 0.000 mm", {"T1|standard|", "T2|internal|", "T3||", "T4|standard|"}},
    };
    for (const Case& c : cases) {
        LineLengthReport r(doc_, linetypes_);
        r.layer = c.layer;
        r.ptgText = c.ptg;
        r.showAll = c.showAll;
        r.Recalculate();
        EXPECT_EQ(r.total, c.total) << c.layer << " " << c.ptg.toStdString();
        EXPECT_EQ(Rows(r), c.rows) << c.layer << " " << c.ptg.toStdString();
        EXPECT_EQ(r.ptgText, c.ptg) << "a ptg stays chosen";
    }
    EXPECT_EQ(linetypes_.Find(4), linetypes_.GetCurrent()) << "the report leaves the current line type";
}

TEST_F(LineLengthReportTest, PtgTextWithoutNumberMeansAllAndShowsTheAllItem)
{
    LineLengthReport r(doc_, linetypes_);
    for (const QString& text : {QString(), QStringLiteral("abc"), Translate(LineLengthReport::kTextAllPtg)}) {
        r.ptgText = text;
        EXPECT_EQ(r.PtgFilter(), std::nullopt) << text.toStdString();
        r.Recalculate();
        EXPECT_EQ(r.total, "1450.000 mm");
        EXPECT_EQ(r.ptgText, Translate(LineLengthReport::kTextAllPtg));
    }
    r.ptgText = QStringLiteral(" 12mm");
    EXPECT_EQ(r.PtgFilter(), 12);
}

TEST_F(LineLengthReportTest, ExtentsOfVisibleLayersWithTheSheetArea)
{
    LineLengthReport r(doc_, linetypes_);
    r.Recalculate();
    EXPECT_EQ(r.extentsOne, "400.000 x 300.000 mm");
    EXPECT_EQ(r.extentsAll, "400.000 x 300.000 mm (0.120 m2)");

    doc_.GetSection(0)->NewInstance(500, 0, 0);
    r.Recalculate();
    EXPECT_EQ(r.extentsOne, "400.000 x 300.000 mm");
    EXPECT_EQ(r.extentsAll, "900.000 x 300.000 mm (0.270 m2)");
    EXPECT_EQ(r.total, "2850.000 mm") << "instanced rule counts once per instance";
}

TEST_F(LineLengthReportTest, KindTextsOfSingleKindsOnly)
{
    EXPECT_EQ(LineLengthReport::KindText(LinetypeKind::Standard), "standard");
    EXPECT_EQ(LineLengthReport::KindText(LinetypeKind::Internal), "internal");
    EXPECT_EQ(LineLengthReport::KindText(LinetypeKind::Wave), "wave");
    EXPECT_EQ(LineLengthReport::KindText(LinetypeKind::Tear), "tear");
    EXPECT_EQ(LineLengthReport::KindText(LinetypeKind::Mixed), "mixed");
    EXPECT_EQ(LineLengthReport::KindText(LinetypeKind::Wave | LinetypeKind::Mixed), "");
    EXPECT_EQ(LineLengthReport::KindText(0), "");
}

TEST_F(LineLengthReportTest, DialogShowsTheReportAndFollowsItsControls)
{
    dlg::CLineLength dialog(nullptr, doc_, linetypes_);
    EXPECT_EQ(dialog.LayerBox()->count(), 3);
    EXPECT_EQ(dialog.PtgBox()->count(), 11);
    EXPECT_EQ(dialog.List()->topLevelItemCount(), 3);
    EXPECT_EQ(dialog.Total()->text(), "1450.000 mm");
    EXPECT_EQ(dialog.List()->topLevelItem(0)->data(0, Qt::UserRole).toInt(), 1);

    dialog.LayerBox()->setCurrentIndex(2);
    EXPECT_EQ(dialog.Total()->text(), "50.000 mm");
    dialog.ShowAll()->setChecked(true);
    EXPECT_EQ(dialog.List()->topLevelItemCount(), 4);
    EXPECT_EQ(dialog.List()->topLevelItem(1)->text(2), "");

    dialog.LayerBox()->setCurrentIndex(0);
    dialog.PtgBox()->setCurrentIndex(1); // ptg 0
    dialog.Recalculate();
    EXPECT_EQ(dialog.PtgBox()->currentText(), "0");
    EXPECT_EQ(dialog.Total()->text(), "700.000 mm");
    dialog.PtgBox()->setEditText(QStringLiteral("x"));
    dialog.Recalculate();
    EXPECT_EQ(dialog.PtgBox()->currentText(), Translate(LineLengthReport::kTextAllPtg));
    EXPECT_EQ(dialog.Total()->text(), "1450.000 mm");
}

} // namespace
