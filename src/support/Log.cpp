#include "support/Log.h"

#include "platform/CFormat.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"

namespace Log {

namespace {

const char* label(int category)
{
    switch (category) {
    case 0: return " :         ";
    case Macro: return "Macro :    ";
    case Language: return "Language : ";
    case Node: return "Node :     ";
    case Section: return "Section :  ";
    case Element: return "Element :  ";
    case Drawing: return "Drawing :  ";
    case Undo: return "Undo :     ";
    default: return "Unknown :  ";
    }
}

// The file of a call relative to the top of the project: every file is
// compiled the same way as this one, so the part of this file's name before
// "src/support/Log.cpp" is the top (absolute, or relative to the build
// folder when a compiler cache rewrote the paths).
QString projectFile(const char* file)
{
    static const QByteArray top = [] {
        QByteArray self(CallSite::current().file_name());
        const QByteArray tail("src/support/Log.cpp");
        return self.endsWith(tail) ? self.chopped(tail.size()) : QByteArray();
    }();
    QByteArray name(file);
    if (!top.isEmpty() && name.startsWith(top))
        return QString::fromUtf8(name.mid(top.size()));
    // A cache-relative name from another build folder depth ("../../tests/...").
    while (name.startsWith("../"))
        name.remove(0, 3);
    return QString::fromUtf8(name);
}

} // namespace

CLog::CLog() : clock([] { return QDateTime::currentDateTime(); }) {}

CLog::~CLog()
{
    if (!isOpen)
        return;
    WriteHeader(0);
    WriteText(QStringLiteral("Program end\n"));
    file.close();
}

bool CLog::Open(const QString& path, int newMask)
{
    if (file.isOpen())
        file.close();
    file.setFileName(platform::localPath(path));
    isOpen = file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    mask = newMask;
    return isOpen;
}

void CLog::SetClock(Clock newClock)
{
    clock = std::move(newClock);
}

void CLog::WriteHeader(int category)
{
    const QDateTime now = clock();
    const QDate date = now.date();
    const QTime time = now.time();
    WriteText(platform::cformat("%4d-%2d-%2d (%2d:%2d:%2d) - ", date.year(), date.month(), date.day(), time.hour(),
                                time.minute(), time.second())
              + QLatin1String(label(category)));
}

bool CLog::WriteLine(const QString& message, int category, const CallSite& where)
{
    WriteHeader(category);
    WriteText(message + QLatin1String(" [") + projectFile(where.file_name()) + QLatin1Char(':')
              + QString::number(where.line()) + QLatin1String("]\n"));
    file.flush();
    return true;
}

void CLog::WriteText(const QString& text)
{
    if (isOpen)
        file.write(platform::encodeWindows1252(text));
}

CLog& TheLog()
{
    static CLog log;
    return log;
}

} // namespace Log
