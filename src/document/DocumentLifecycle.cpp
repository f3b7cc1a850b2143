// Open, save, close and autosave of a document: the recovery of an autosave
// copy, the rules on extensions, and the copy beside the file that autosave
// writes and closing removes. Questions go through platform::prompt().
#include "document/MorvekDoc.h"

#include "document/DocumentPaths.h"
#include "element/NodePoint.h"
#include "formula/FormulaError.h"
#include "options/LanguageTable.h"
#include "platform/CFormat.h"
#include "platform/Prompt.h"
#include "platform/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <new>

namespace {

// A language text with one path or title put into it.
QString TextWith(int id, const QString& value)
{
    return platform::cformat(Translate(id).toUtf8().constData(), value);
}

void ShowError(const QString& text)
{
    (void)platform::ask(text, QString(), platform::PromptButtons::Ok, platform::PromptIcon::Error); // Ok only
}

bool IsExtendedStandardPath(const QString& path)
{
    return docpath::Extension(docpath::MakePretty(path)).compare(QLatin1String(".nst"), Qt::CaseInsensitive) == 0;
}

// The path a save writes to: ".n" added to a path without extension.
QString SavePath(const QString& path)
{
    const QString pretty = docpath::MakePretty(path);
    return docpath::Extension(pretty).isEmpty() ? pretty + QStringLiteral(".n") : path;
}

} // namespace

bool CMorvekDoc::ReadWhole(const QString& path, QByteArray& bytes, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    if (file.size() > kMaxFileBytes) {
        error = QStringLiteral("the file is larger than any drawing (%1 bytes)").arg(file.size());
        return false;
    }
    try {
        bytes = file.readAll();
    } catch (const std::bad_alloc&) {
        error = QStringLiteral("the drawing is too large to open: %1 bytes do not fit in memory").arg(file.size());
        return false;
    }
    if (file.error() != QFileDevice::NoError) {
        error = file.errorString();
        return false;
    }
    return true;
}

QString CMorvekDoc::GetTitle() const
{
    if (pathName_.isEmpty())
        return importedTitle_.isEmpty() ? QStringLiteral("Untitled") : importedTitle_;
    return QFileInfo(pathName_).fileName();
}

bool CMorvekDoc::SetTempFileName(const QString& path)
{
    if (path.isEmpty())
        return false;
    if (!tempFileName_.isEmpty())
        (void)QFile::remove(tempFileName_); // a copy that is not there is fine
    tempFileName_ = docpath::AutosaveName(path);
    return true;
}

bool CMorvekDoc::OnOpenDocument(const QString& path)
{
    // Another program's file (DXF, CF2, DD3, plot) opens as a new drawing:
    // it never takes the file's name, so neither a save nor an autosave copy
    // can replace it.
    if (!docpath::IsForeignDrawing(path))
        (void)SetTempFileName(path); // false only for an empty path, which opens nothing
    loadRefused_ = false;
    if (!tempFileName_.isEmpty() && QFile::exists(tempFileName_)) {
        const auto answer = platform::ask(TextWith(kTextRecoverAutosave, tempFileName_), QString(),
                                          platform::PromptButtons::YesNo, platform::PromptIcon::Question);
        if (answer == platform::PromptResult::Yes) {
            // The copy replaces the file only once it is written whole; then
            // the copy goes.
            QByteArray copy;
            QString error;
            if (ReadWhole(tempFileName_, copy, error) && platform::writeFileAtomically(path, copy, &error))
                (void)QFile::remove(tempFileName_); // the file holds it now
            else
                ShowError(QStringLiteral("The autosave copy %1 could not replace %2: %3\nThe file is opened as it was.")
                              .arg(tempFileName_, path, error));
        }
    }

    QByteArray bytes;
    QString error;
    if (!ReadWhole(path, bytes, error)) {
        ShowError(QStringLiteral("%1 cannot be opened: %2").arg(path, error));
        return false;
    }
    if (!LoadFile(path, bytes, &error)) {
        ShowError(QStringLiteral("%1 cannot be opened: %2").arg(path, error));
        return false;
    }
    if (imported_) {
        importedTitle_ = QFileInfo(path).fileName();
        tempFileName_.clear();
    } else {
        pathName_ = path;
    }
    modified_ = false;
    if (const QString loop = ReferenceLoopText(); !loop.isEmpty())
        (void)platform::ask(loop, QString(), platform::PromptButtons::Ok, platform::PromptIcon::Warning);
    return true;
}

QString CMorvekDoc::ReferenceLoopText()
{
    // Every variable and every node in use is worked out once: a loop shows
    // where it closes, and is named by the first one of it met.
    QStringList found;
    for (int n = 0; n < variables_.GetCount(); ++n) {
        (void)variables_.GetValue(n);
        const FormulaVariable* v = variables_.VariableAt(n);
        if (v && v->error == FormulaError::Circular) {
            found << QStringLiteral("The variables refer to one another in a loop, from \"%1\": they count as 0.")
                         .arg(v->GetName());
            break;
        }
    }
    for (int i = 0; i < nodes_.GetCount(); ++i) {
        if (CNodePoint* node = nodes_.GetNode(i); node && node->IsInUse())
            (void)node->GetX();
    }
    if (const int node = nodes_.ReferenceLoopNode(); node >= 0) {
        found << QStringLiteral("The nodes refer to one another in a loop, from node %1: the nodes of the loop stay "
                                "where the file put them.")
                     .arg(node);
    }
    return found.join(u'\n');
}

bool CMorvekDoc::OnSaveDocument(const QString& path)
{
    EndModifyState();
    if (IsExtendedStandardPath(path)) {
        if (!autosaving_)
            ShowError(Translate(kTextNoExtendedStandard));
        return false;
    }
    const QString target = SavePath(path);
    if (!WriteTo(target, WriteFile()))
        return false; // the autosave copy stays: it may be all there is
    if (!autosaving_) {
        (void)SetTempFileName(target); // never empty here
        autosaved_ = false;
    }
    modified_ = false;
    return true;
}

bool CMorvekDoc::SaveCopyAs(const QString& path)
{
    if (IsExtendedStandardPath(path)) {
        ShowError(Translate(kTextNoExtendedStandard));
        return false;
    }
    // Without the save's cleanup: a copy leaves the drawing and its undo
    // steps as they are.
    return WriteTo(SavePath(path), WriteDrawing());
}

bool CMorvekDoc::WriteTo(const QString& path, const QByteArray& bytes)
{
    QString error;
    if (!platform::writeFileAtomically(path, bytes, &error)) {
        ShowError(QStringLiteral("%1 could not be saved: %2\nThe file on disk is unchanged.").arg(path, error));
        return false;
    }
    return true;
}

bool CMorvekDoc::DoSave(const QString& path, bool replace)
{
    if (path.isEmpty()) {
        // Choosing a path is the shell's file dialog; the model has none.
        ShowError(QStringLiteral("The drawing has no file name yet: use Save As."));
        return false;
    }
    if (!OnSaveDocument(path))
        return false;
    if (replace)
        pathName_ = SavePath(path);
    return true;
}

void CMorvekDoc::AutoSave()
{
    // The copy is written as the drawing stands: a save's cleanup would
    // change the drawing and leave an undo step in the middle of the user's
    // work, and clearing the modified flag would hide the unsaved changes.
    if (tempFileName_.isEmpty() || IsExtendedStandardPath(tempFileName_))
        return;
    autosaving_ = true;
    const bool written = WriteTo(tempFileName_, WriteDrawing());
    autosaving_ = false;
    autosaved_ = autosaved_ || written;
}

bool CMorvekDoc::OnCloseDocument()
{
    if (tempFileName_.isEmpty())
        return true;
    if (autosaved_) {
        // The copy goes only once the drawing is saved or given up: a
        // failed save or Cancel keeps the document open with its copy.
        modified_ = true;
        const auto answer = platform::ask(TextWith(kTextSaveAfterAutosave, GetTitle()), QString(),
                                          platform::PromptButtons::YesNoCancel, platform::PromptIcon::Question);
        if (answer == platform::PromptResult::Cancel)
            return false;
        if (answer == platform::PromptResult::Yes && !DoSave(pathName_, true))
            return false; // the failure has been shown
    }
    // A successful save named a fresh copy that was never written.
    (void)QFile::remove(tempFileName_); // a missing copy is not worth a word
    tempFileName_.clear();
    return true;
}
