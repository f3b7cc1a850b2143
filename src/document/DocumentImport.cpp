// Opening a file of another program into a new document: the reader turns
// the file's bytes into figures first, and only a file read whole changes
// the document. The current section then takes the file's title as its name
// and the figures become its elements.
#include "document/MorvekDoc.h"

#include "document/GeneralLoader.h"
#include "exchange/cf2/Cf2Reader.h"
#include "exchange/dd3/Dd3Reader.h"
#include "exchange/hpgl/HpglReader.h"
#include "section/Section.h"

#include <QFileInfo>

namespace {

QString FileTitle(const QString& fileName)
{
    return QFileInfo(fileName).completeBaseName();
}

} // namespace

bool CMorvekDoc::ImportCf2(const QString& fileName, QByteArrayView bytes, QString* error)
{
    cf2::Drawing drawing;
    if (!cf2::Cf2Reader::Parse(bytes, drawing, error))
        return false;
    current_->setName(FileTitle(fileName));
    general_loader loader(*current_);
    const bool emitted = cf2::Cf2Reader::Emit(drawing, loader, error);
    NoteImport(loader);
    return emitted;
}

bool CMorvekDoc::ImportHpgl(const QString& fileName, QByteArrayView bytes, QString* error)
{
    std::vector<hpgl::Line> lines;
    if (!hpgl::HpglReader::Read(bytes, lines, error))
        return false;
    current_->setName(FileTitle(fileName));
    // Lines before any pen selection take the current line type; the
    // options' current line type itself is left as it is.
    const int current = current_->CurrentLineType();
    general_loader loader(*current_);
    for (const hpgl::Line& line : lines) {
        ImportAttributes attributes;
        attributes.lineType = line.pen.value_or(current);
        loader.AddLine(line.start, line.end, attributes);
    }
    NoteImport(loader);
    return true;
}

bool CMorvekDoc::ImportDd3(const QString& fileName, QByteArrayView bytes, QString* error)
{
    dd3::Drawing drawing;
    if (!dd3::Dd3Reader::Parse(bytes, drawing, error))
        return false;
    current_->setName(FileTitle(fileName));
    general_loader loader(*current_);
    const bool emitted = dd3::Dd3Reader::Emit(drawing, loader, error);
    NoteImport(loader);
    return emitted;
}
