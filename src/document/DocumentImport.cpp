// Opening a file of another program into a new document: the reader turns
// the file's bytes into figures first, and only a file read whole changes
// the document. The current section then takes the file's title as its name
// and the figures become its elements.
#include "document/MorvekDoc.h"

#include "document/GeneralLoader.h"
#include "exchange/cf2/Cf2Reader.h"
#include "exchange/dd3/Dd3Reader.h"
#include "exchange/hpgl/HpglReader.h"
#include "options/LanguageTable.h"
#include "platform/CFormat.h"
#include "platform/Prompt.h"
#include "section/Section.h"

#include <QFileInfo>
#include <QStringList>

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
    hpgl::Drawing drawing;
    if (!hpgl::HpglReader::Read(bytes, drawing, error))
        return false;
    current_->setName(FileTitle(fileName));
    // Figures before any pen selection take the current line type; the
    // options' current line type itself is left as it is.
    general_loader loader(*current_);
    hpgl::HpglReader::Emit(drawing, loader, current_->CurrentLineType());
    // What the file held that was not read is told once, after the figures.
    if (!drawing.skipped.empty())
        importNotes_ << platform::cformat(Translate(kTextHpglSkipped).toUtf8().constData(),
                                          hpgl::HpglReader::SkippedText(drawing));
    if (drawing.outOfRange > 0)
        importNotes_ << platform::cformat(Translate(kTextHpglOutOfRange).toUtf8().constData(), drawing.outOfRange);
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
