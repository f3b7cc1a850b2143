// Opening a ".dxf" file: model space and the chosen blocks go into the
// current section through its coordinate-based add operations.
#include "document/MorvekDoc.h"

#include "document/DxfSectionSink.h"
#include "exchange/dxf/DxfImportChooser.h"
#include "exchange/dxf/DxfReader.h"
#include "options/LanguageTable.h"
#include "options/Options.h"
#include "platform/CFormat.h"
#include "section/Section.h"

#include <QFileInfo>

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
    DxfSectionSink sink(*current_, reader);
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
