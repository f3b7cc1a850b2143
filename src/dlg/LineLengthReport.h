#pragma once
// What the rule length report shows, without widgets: the length of rule
// of every line type (what a die maker orders and bends), the grand total,
// and the drawing's extents for one layout and for all instances with the
// sheet area; filtered by one layer and by one ptg. It changes nothing.
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class CMorvekDoc;
class LinetypeTable;

namespace dlg {

class LineLengthReport {
public:
    // Language texts.
    static constexpr int kTextTitle = 673;
    static constexpr int kTextLayerLabel = 674;
    static constexpr int kTextTotalLabel = 675;
    static constexpr int kTextAllLayers = 676;
    static constexpr int kTextColumnName = 677;
    static constexpr int kTextColumnKind = 678;
    static constexpr int kTextColumnLength = 679;
    static constexpr int kTextPtgLabel = 697;
    static constexpr int kTextAllPtg = 698;
    static constexpr int kTextShowAll = 699;
    static constexpr int kTextExtentsOne = 846;
    static constexpr int kTextExtentsAll = 847;
    static constexpr int kTextSize = 869; // width, height
    static constexpr int kTextOk = 132;
    static constexpr int kColumnWidth = 130;
    static constexpr int kHighestPtgItem = 9;

    struct Row {
        int lineType = 0;
        QString name;
        QString kind;
        QString length; // empty for no rule
    };

    LineLengthReport(const CMorvekDoc& doc, const LinetypeTable& linetypes);

    // The layer choices: all layers, then every section's name in document
    // order. The ptg choices: all, then 0 to 9.
    QStringList LayerItems() const;
    static QStringList PtgItems();

    // --- the filters, as the controls hold them ------------------------------
    // The chosen layer item: 0 all layers, n the document's section n − 1.
    int layer = 0;
    // The ptg combo's text: the "all" item's text, or a number (typed or
    // chosen).
    QString ptgText;
    // Line types without rule are listed too.
    bool showAll = false;

    // The ptg the text filters by: none for the "all" item's text and for a
    // text that starts with no number.
    std::optional<int> PtgFilter() const;

    // Measures again with the filters; when they name no ptg, the ptg text
    // becomes the "all" item's again.
    void Recalculate();

    // --- the results ------------------------------------------------------------
    QString total;      // "%6.3f mm"
    QString extentsOne; // one layout: width and height
    QString extentsAll; // all instances, with the area in square metres
    std::vector<Row> rows;

    // The kind text of a line type's kind bits: one kind's name, empty for
    // none or several.
    static QString KindText(int kind);

private:
    const CMorvekDoc& doc_;
    const LinetypeTable& linetypes_;
};

} // namespace dlg
