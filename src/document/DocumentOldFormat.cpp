// Opening a drawing in the older text layout: the reader places every
// figure first, and only a file read whole changes the document. The
// current section takes the file's title as its name and each placed
// figure becomes an element, its nodes merged with the nodes already there.
#include "document/MorvekDoc.h"

#include "element/Element.h"
#include "element/Text.h"
#include "exchange/oldn/OldnReader.h"
#include "options/LanguageTable.h"
#include "platform/CFormat.h"
#include "platform/DrawingObjects.h"
#include "platform/Prompt.h"
#include "section/Section.h"

#include <QFileInfo>

namespace {

// Each placed figure an element of the section.
void AddFigures(Section& section, const oldn::Drawing& drawing)
{
    for (const oldn::Figure& f : drawing.figures) {
        ElementIterator made = section.end();
        switch (f.kind) {
        case oldn::FigureKind::Line:
            made = section.AddLine3(f.start.x, f.start.y, f.end.x, f.end.y, true, f.lineType);
            break;
        case oldn::FigureKind::Arc:
            made = section.AddArc3(f.centre.x, f.centre.y, f.start.x, f.start.y, f.end.x, f.end.y, true,
                                   f.lineType);
            break;
        case oldn::FigureKind::Text:
            made = section.AddText2(f.start.x, f.start.y, f.height, 0.0, f.advance, f.text, platform::LogFont{}, 0,
                                    TextFontKind::StrokeFont, f.lineType);
            break;
        }
        if (!made.NotEqual(section.end()))
            continue; // the figure makes no element (a line of no length)
        CElement* element = made.Get();
        element->SetLineType(f.lineType);
        element->SetPtg(f.ptg);
        if (f.kind != oldn::FigureKind::Text)
            element->SetAutoBridges(f.bridgeCount, f.bridgeWidth); // bridges by count, none for 0
    }
}

void Tell(const QString& text)
{
    (void)platform::ask(text, QString(), platform::PromptButtons::Ok, platform::PromptIcon::Error); // Ok only
}

} // namespace

bool CMorvekDoc::ReadOldFormat(const QString& fileName, QByteArrayView bytes, QString* error)
{
    oldn::Drawing drawing;
    if (!oldn::OldnReader::Read(bytes, drawing, error))
        return false;
    expectedElements_ = static_cast<qint64>(drawing.figures.size());
    current_->setName(QFileInfo(fileName).completeBaseName());
    AddFigures(*current_, drawing);
    return true;
}

bool CMorvekDoc::LoadFileByName(const QString& path)
{
    QByteArray bytes;
    QString error;
    if (!ReadWhole(path, bytes, error)) {
        Tell(platform::cformat(Translate(kTextCannotOpen).toUtf8().constData(), path) + QStringLiteral("\n") + error);
        return false;
    }
    oldn::Drawing drawing;
    if (!oldn::OldnReader::Read(bytes, drawing, &error)) {
        Tell(QStringLiteral("%1 cannot be merged: %2").arg(path, error));
        return false;
    }
    if (GetSectionCount() >= kMaxSections) {
        Tell(QStringLiteral("%1 cannot be merged: the drawing would have more than %2 layers").arg(path).arg(kMaxSections));
        return false;
    }
    Section* const previous = current_;
    Section* section = AppendSection(QFileInfo(path).fileName().section(QLatin1Char('.'), 0, 0));
    if (section == nullptr)
        return false;
    AddFigures(*section, drawing);
    if (!HasFigures(*section)) {
        DeleteSection(GetSectionCount() - 1);
        current_ = previous;
        Tell(NoFiguresText(path));
        return false;
    }
    current_ = section;
    return true;
}
