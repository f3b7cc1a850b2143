// Opening a ".dxf" file: the reader's blocks, chosen by the user, go into
// the current section through its coordinate-based add operations.
#include "document/MorvekDoc.h"

#include "element/Text.h"
#include "exchange/dxf/DxfImportChooser.h"
#include "exchange/dxf/DxfReader.h"
#include "options/Options.h"
#include "section/Section.h"

namespace {

class SectionSink : public DxfSink {
public:
    SectionSink(Section& section, const DxfReader& reader) : section_(section), reader_(reader)
    {
        font_.height = 12;
        font_.setFace(QStringLiteral("Arial"));
    }

    // What the section refuses (a line of no length, a point no node can
    // hold) adds nothing; the import goes on with the next entity.
    void AddLine(const die::coord& a, const die::coord& b, int lineType) override
    {
        (void)section_.AddLine3(a.x, a.y, b.x, b.y, true, lineType);
    }
    void AddArc(const die::coord& c, const die::coord& s, const die::coord& e, int lineType) override
    {
        (void)section_.AddArc3(c.x, c.y, s.x, s.y, e.x, e.y, true, lineType);
    }
    void AddEllipse(const die::coord& c, const die::coord& major, const die::coord& minor, const die::coord& s,
                    const die::coord& e, int lineType) override
    {
        (void)section_.AddEllipse4(c.x, c.y, s.x, s.y, e.x, e.y, major.x, major.y, minor.x, minor.y, true, lineType);
    }
    void AddText(const die::coord& at, double height, double angle, double advance, const QString& text,
                 int lineType) override
    {
        if (lineType == kCurrentLineType)
            lineType = reader_.LastLineType() != kCurrentLineType ? reader_.LastLineType() : section_.CurrentLineType();
        (void)section_.AddText2(at.x, at.y, height, angle, advance, text, font_, 0, TextFontKind::StrokeFont,
                                lineType);
    }

private:
    Section& section_;
    const DxfReader& reader_;
    platform::LogFont font_;
};

} // namespace

bool CMorvekDoc::ImportDxf(QByteArrayView bytes, QString* error)
{
    DxfReader reader;
    if (!reader.Read(bytes)) {
        *error = reader.Error();
        return false;
    }
    const DxfImportChoice choice = dxfImportChooser().Choose(reader.Blocks());
    reader.SetPageSize(choice.pageWidth, choice.pageHeight);
    SectionSink sink(*current_, reader);
    const bool inserted = [&] {
        struct Counted { // the count is known once ImportBlocks has counted, also when it throws
            const DxfReader& reader;
            qint64& out;
            ~Counted() { out = reader.CountedElements(); }
        } counted{reader, expectedElements_};
        return reader.ImportBlocks(choice.chosen, choice.label, sink);
    }();
    if (options_ && reader.LastLineType() != DxfSink::kCurrentLineType)
        options_->SetLineType(reader.LastLineType());
    if (!inserted)
        *error = reader.Error();
    return inserted;
}
