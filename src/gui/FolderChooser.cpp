#include "gui/FolderChooser.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>

namespace gui {

QString AcceptedFolder(const QString& typed, const QString& current)
{
    QString folder = typed.trimmed().isEmpty() ? current : typed.trimmed();
    if (folder.isEmpty())
        return {};
    const bool network = folder.startsWith(QStringLiteral("//")) && !folder.startsWith(QStringLiteral("///"));
    QString folded;
    folded.reserve(folder.size() + 1);
    for (const QChar c : folder)
        if (!(c == QLatin1Char('/') && folded.endsWith(QLatin1Char('/'))))
            folded.append(c);
    if (network)
        folded.prepend(QLatin1Char('/'));
    if (!folded.endsWith(QLatin1Char('/')))
        folded.append(QLatin1Char('/'));
    return folded;
}

QString QtFilter(const QString& windowsFilter)
{
    const QStringList parts = windowsFilter.split(QLatin1Char('|'), Qt::SkipEmptyParts);
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        patterns.replace(QStringLiteral("*.*"), QStringLiteral("*"));
        QString name = parts[i];
        const qsizetype open = name.indexOf(QLatin1Char('('));
        if (open >= 0)
            name = name.left(open).trimmed();
        filters << QStringLiteral("%1 (%2)").arg(name, patterns);
    }
    return filters.join(QStringLiteral(";;"));
}

bool CBrowseForFolder::SelectFolder(QString& path)
{
    path.clear();
    QFileDialog dialog(owner_, title_, initial_);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    if (!initial_.isEmpty())
        dialog.selectFile(initial_);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    path = AcceptedFolder(dialog.selectedFiles().value(0), dialog.directory().absolutePath());
    return !path.isEmpty();
}

CSelectFolderDialog::CSelectFolderDialog(bool showFileTypes, const QString& initialFolder, const QString& filter,
                                         QWidget* parent)
    : QFileDialog(parent, QStringLiteral("Select folder"), initialFolder)
{
    setObjectName(QStringLiteral("SelectFolderDialog"));
    setOption(QFileDialog::DontUseNativeDialog, true);
    setAcceptMode(QFileDialog::AcceptOpen);
    setFileMode(QFileDialog::Directory);
    setOption(QFileDialog::ShowDirsOnly, !showFileTypes);
    if (showFileTypes && !filter.isEmpty())
        setNameFilter(QtFilter(filter));
    setLabelText(QFileDialog::Accept, QStringLiteral("Select"));
    setLabelText(QFileDialog::FileName, QStringLiteral("Folder name"));
    connect(this, &QFileDialog::directoryEntered, this, [this](const QString& dir) {
        if (auto* field = findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            field->setText(dir);
    });
    if (auto* field = findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
        field->setText(initialFolder);
}

void CSelectFolderDialog::accept()
{
    QString typed;
    if (auto* field = findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
        typed = field->text().trimmed();
    const QString current = directory().absolutePath();
    if (!typed.isEmpty() && !typed.startsWith(QLatin1Char('/')))
        typed = current + QLatin1Char('/') + typed;
    folder_ = AcceptedFolder(typed, current);
    QDialog::accept();
}

bool QtPathChooser::ChooseFolder(const QString& initialFolder, QString& folder)
{
    CSelectFolderDialog dialog(false, initialFolder.isEmpty() ? QDir::homePath() : initialFolder, {}, parent_);
    if (dialog.exec() != QDialog::Accepted || dialog.GetFolderPath().isEmpty())
        return false;
    folder = dialog.GetFolderPath();
    return true;
}

bool QtPathChooser::ChooseFile(const QString& initialPath, const QString& filter, QString& path)
{
    QFileDialog dialog(parent_, QString(), initialPath.isEmpty() ? QDir::homePath() : initialPath);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (filter == kExecutableFilter) {
        dialog.setFilter(QDir::AllDirs | QDir::Files | QDir::Executable | QDir::NoDotAndDotDot);
        dialog.setNameFilter(QStringLiteral("Executable files (*)"));
    } else if (!filter.isEmpty())
        dialog.setNameFilter(QtFilter(filter));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    path = dialog.selectedFiles().front();
    return true;
}

} // namespace gui
