#include "common/FuzzSupport.h"

#include "platform/Paths.h"
#include "platform/Registry.h"
#include "platform/TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <clocale>
#include <cstdio>
#include <cstdlib>

// Like the program, whose Qt sets the process locale from the environment
// (the script runs under a decimal comma): the model must not care.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    std::setlocale(LC_ALL, "");
    return 0;
}

namespace fuzz {

Environment& Environment::Get()
{
    static Environment environment;
    return environment;
}

Environment::Environment()
{
    // Removed at exit; the script removes what a crashed run left.
    const QByteArray base = qgetenv("MORVEK_FUZZ_TMP");
    root_ = (base.isEmpty() ? QDir::tempPath() : QString::fromLocal8Bit(base)) + QStringLiteral("/morvek-fuzz-")
            + QString::number(QCoreApplication::applicationPid());
    QDir(root_).removeRecursively();
    Reset();
    std::atexit([] { QDir(Get().root_).removeRecursively(); });
}

QString Environment::AppFolder() const
{
    return root_ + QStringLiteral("/app");
}

QString Environment::UserFolder() const
{
    return root_ + QStringLiteral("/user");
}

void Environment::Reset()
{
    QDir(AppFolder()).removeRecursively();
    QDir(UserFolder()).removeRecursively();
    QDir().mkpath(AppFolder() + QStringLiteral("/Defaults"));
    QDir().mkpath(AppFolder() + QStringLiteral("/Config"));
    QDir().mkpath(UserFolder());
    platform::setAppFolder(AppFolder());
    platform::setUserConfigFolder(UserFolder());
    // A registry file of its own per input: QSettings caches what it read
    // by file name.
    platform::Registry::setFilePath(UserFolder() + QStringLiteral("/registry-%1.ini").arg(++registryCounter_));
}

QString Environment::Path(const QString& relative) const
{
    return root_ + QLatin1Char('/') + relative;
}

QString Environment::Write(const QString& relative, const QByteArray& bytes) const
{
    const QString path = Path(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        Fail("cannot write a fuzz input file", path);
    return path;
}

QByteArray Environment::Read(const QString& relative) const
{
    QFile file(Path(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::vector<QByteArray> Split(const uint8_t* data, size_t size, int parts)
{
    std::vector<QByteArray> pieces;
    const QByteArray all(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    qsizetype start = 0;
    for (int i = 0; i + 1 < parts; ++i) {
        const qsizetype nul = start <= all.size() ? all.indexOf('\0', start) : -1;
        if (nul < 0) {
            pieces.push_back(all.mid(start));
            start = all.size() + 1;
            continue;
        }
        pieces.push_back(all.mid(start, nul - start));
        start = nul + 1;
    }
    pieces.push_back(start <= all.size() ? all.mid(start) : QByteArray());
    return pieces;
}

void Fail(const char* what, const QString& detail)
{
    std::fprintf(stderr, "\n*** fuzz check failed: %s\n", what);
    if (!detail.isEmpty())
        std::fprintf(stderr, "%s\n", detail.toUtf8().constData());
    std::fflush(stderr);
    std::abort();
}

std::vector<QString> Lines(const QString& text)
{
    const QStringList lines = platform::splitLines(text);
    return {lines.begin(), lines.end()};
}

} // namespace fuzz
