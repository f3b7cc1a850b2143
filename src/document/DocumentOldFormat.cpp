// Opening a drawing in the older text layout: the reader places every
// figure first, and only a file read whole changes the document. The
// current section takes the file's title as its name and each placed
// figure becomes an element, its nodes merged with the nodes already there.
#include "document/MorvekDoc.h"

#include "element/Element.h"
#include "element/Text.h"
#include "exchange/oldn/OldnReader.h"
#include "platform/DrawingObjects.h"
#include "section/Section.h"

#include <QFileInfo>

bool CMorvekDoc::ReadOldFormat(const QString& fileName, QByteArrayView bytes, QString* error)
{
    oldn::Drawing drawing;
    if (!oldn::OldnReader::Read(bytes, drawing, error))
        return false;
    expectedElements_ = static_cast<qint64>(drawing.figures.size());
    current_->setName(QFileInfo(fileName).completeBaseName());
    for (const oldn::Figure& f : drawing.figures) {
        ElementIterator made = current_->end();
        switch (f.kind) {
        case oldn::FigureKind::Line:
            made = current_->AddLine3(f.start.x, f.start.y, f.end.x, f.end.y, true, f.lineType);
            break;
        case oldn::FigureKind::Arc:
            made = current_->AddArc3(f.centre.x, f.centre.y, f.start.x, f.start.y, f.end.x, f.end.y, true,
                                     f.lineType);
            break;
        case oldn::FigureKind::Text:
            made = current_->AddText2(f.start.x, f.start.y, f.height, 0.0, f.advance, f.text, platform::LogFont{}, 0,
                                      TextFontKind::StrokeFont, f.lineType);
            break;
        }
        if (!made.NotEqual(current_->end()))
            continue; // the figure makes no element (a line of no length)
        CElement* element = made.Get();
        element->SetLineType(f.lineType);
        element->SetPtg(f.ptg);
        if (f.kind != oldn::FigureKind::Text)
            element->SetAutoBridges(f.bridgeCount, f.bridgeWidth); // bridges by count, none for 0
    }
    return true;
}
