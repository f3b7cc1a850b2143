// Opening a ".dxf" file: model space and the chosen blocks go into the
// current section through its coordinate-based add operations.
#include "document/MorvekDoc.h"

#include "document/GeneralLoader.h"
#include "element/Element.h"
#include "element/Text.h"
#include "exchange/dxf/DxfImportChooser.h"
#include "exchange/dxf/DxfReader.h"
#include "options/LanguageTable.h"
#include "options/Options.h"
#include "platform/CFormat.h"
#include "section/Section.h"

#include <QFileInfo>

#include <cmath>

namespace {

// The coordinate the node table stores as the micrometre nearest to v (it
// keeps whole micrometres, truncated towards zero: 29.9999999999 would
// become 29.999).
double Snap(double v)
{
    const double micrometres = std::round(v * 1000.0);
    double snapped = micrometres / 1000.0;
    for (int i = 0; i < 4 && std::trunc(snapped * 1000.0) != micrometres; ++i)
        snapped = std::nextafter(snapped, micrometres > 0.0 ? 1e300 : -1e300);
    return snapped;
}

die::coord Snap(const die::coord& p)
{
    return {Snap(p.x), Snap(p.y)};
}

class SectionSink : public DxfSink {
public:
    SectionSink(Section& section, const DxfReader& reader) : section_(section), reader_(reader)
    {
        font_.height = 12;
        font_.setFace(QStringLiteral("Arial"));
    }

    // What the section refuses (a line of no length) adds nothing; a figure
    // with a value no drawing can hold is counted. The file gives no
    // bridges, so its rules have none.
    void AddLine(const die::coord& from, const die::coord& to, int lineType) override
    {
        if (!Accept({from, to}))
            return;
        const die::coord a = Snap(from), b = Snap(to);
        NoBridges(section_.AddLine3(a.x, a.y, b.x, b.y, true, lineType));
    }
    void AddArc(const die::coord& centre, const die::coord& start, const die::coord& end, int lineType) override
    {
        if (!Accept({centre, start, end}))
            return;
        const die::coord c = Snap(centre), s = Snap(start), e = start == end ? s : Snap(end);
        NoBridges(section_.AddArc3(c.x, c.y, s.x, s.y, e.x, e.y, true, lineType));
    }
    void AddEllipse(const die::coord& centre, const die::coord& majorEnd, const die::coord& minorEnd,
                    const die::coord& start, const die::coord& end, int lineType) override
    {
        if (!Accept({centre, majorEnd, minorEnd, start, end}))
            return;
        const die::coord c = Snap(centre), major = Snap(majorEnd), minor = Snap(minorEnd), s = Snap(start),
                         e = start == end ? s : Snap(end);
        NoBridges(section_.AddEllipse4(c.x, c.y, s.x, s.y, e.x, e.y, major.x, major.y, minor.x, minor.y, true,
                                       lineType));
    }
    void AddText(const die::coord& at, double height, double angle, double advance, const QString& text,
                 int lineType) override
    {
        if (!Accept({at, die::coord(height, advance)}))
            return;
        if (lineType == kCurrentLineType)
            lineType = reader_.LastLineType() != kCurrentLineType ? reader_.LastLineType() : section_.CurrentLineType();
        (void)section_.AddText2(at.x, at.y, height, angle, advance, text, font_, 0, TextFontKind::StrokeFont,
                                lineType);
    }
    void AddSpline(const std::vector<die::coord>& points, int lineType) override
    {
        for (const die::coord& p : points) {
            if (!Accept({p}))
                return;
        }
        std::vector<die::coord> snapped;
        snapped.reserve(points.size());
        for (const die::coord& p : points)
            snapped.push_back(Snap(p));
        NoBridges(section_.AddSplineThrough(snapped, true, lineType));
    }

    int refused = 0;

private:
    bool Accept(std::initializer_list<die::coord> points)
    {
        for (const die::coord& p : points) {
            if (!(std::fabs(p.x) <= general_loader::kMaxMagnitude && std::fabs(p.y) <= general_loader::kMaxMagnitude)) {
                ++refused;
                return false;
            }
        }
        return true;
    }
    void NoBridges(const ElementIterator& made)
    {
        if (made.NotEqual(section_.end()))
            made.Get()->SetAutoBridges(0, 0.0);
    }

    Section& section_;
    const DxfReader& reader_;
    platform::LogFont font_;
};

} // namespace

bool CMorvekDoc::ImportDxf(const QString& fileName, QByteArrayView bytes, QString* error)
{
    DxfReader reader;
    if (!reader.Read(bytes)) {
        *error = reader.IsBinary() ? Translate(kTextBinaryDxf) : reader.Error();
        return false;
    }
    const QString skipped = reader.SkippedReport();
    if (!reader.HasFigures()) {
        *error = NoFiguresText(fileName);
        if (!skipped.isEmpty())
            *error += QLatin1Char('\n') + skipped;
        return false;
    }
    double scale = reader.UnitScale();
    if (scale == 0.0) {
        importNotes_ << platform::cformat(Translate(kTextUnitsNotLength).toUtf8().constData(), reader.Units());
        scale = 1.0;
    }
    reader.SetUnitScale(scale);
    current_->setName(QFileInfo(fileName).completeBaseName());
    const DxfBlock* modelSpace = reader.ModelSpace().IsEmpty() ? nullptr : &reader.ModelSpace();
    const DxfImportChoice choice = dxfImportChooser().Choose(modelSpace, reader.Blocks());
    importChoseNothing_ = !choice.modelSpace && choice.chosen.empty();
    reader.SetPageSize(choice.pageWidth, choice.pageHeight);
    SectionSink sink(*current_, reader);
    const bool inserted = [&] {
        struct Counted { // the count is known once ImportDrawing has counted, also when it throws
            const DxfReader& reader;
            qint64& out;
            ~Counted() { out = reader.CountedElements(); }
        } counted{reader, expectedElements_};
        return reader.ImportDrawing(choice.modelSpace && modelSpace, choice.chosen, choice.label, sink);
    }();
    if (options_ && reader.LastLineType() != DxfSink::kCurrentLineType)
        options_->SetLineType(reader.LastLineType());
    if (!inserted) {
        *error = reader.Error();
        return false;
    }
    if (!skipped.isEmpty())
        importNotes_ << skipped;
    if (sink.refused > 0)
        importNotes_ << platform::cformat(Translate(kTextValuesOutOfRange).toUtf8().constData(), sink.refused);
    return true;
}
