#include "dlg/StandardFileAsker.h"

#include "options/LanguageTable.h"

#include <QDir>
#include <QFileDialog>

namespace dlg {

namespace {

QString Run(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

} // namespace

QString QtStandardFileAsker::Open(const QString& folder, const QString& filter, const QString& suffix)
{
    QFileDialog dialog(parent_, QString(), folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(suffix);
    return Run(dialog);
}

QString QtStandardFileAsker::Save(const QString& folder, const QString& fileName, const QString& filter,
                                  const QString& suffix)
{
    QFileDialog dialog(parent_, QString(), folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(suffix);
    dialog.selectFile(fileName);
    return Run(dialog);
}

QString FileFilter(int textId, const QString& pattern)
{
    const QString text = Translate(textId);
    if (text.contains(u'('))
        return text;
    return text + QStringLiteral(" (") + pattern + u')';
}

} // namespace dlg
