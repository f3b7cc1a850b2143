#pragma once
// A temporary folder for one test, removed with the object. Tests write
// nowhere else: the registry stand-in and the user configuration folder are
// pointed into it by ScopedTestEnvironment.
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace test {

class TempDir {
public:
    TempDir();
    QString path() const;                       // without trailing '/'
    QString file(const QString& relative) const; // path() + '/' + relative
    // Writes raw bytes to a file below the folder, creating sub-folders.
    QString write(const QString& relative, const QByteArray& bytes) const;
    QByteArray read(const QString& relative) const;

private:
    QTemporaryDir dir_;
};

// Points the application folder, the user configuration folder and the
// registry stand-in into a fresh temporary folder for the life of the object,
// and restores the previous settings afterwards.
class ScopedTestEnvironment {
public:
    ScopedTestEnvironment();
    ~ScopedTestEnvironment();
    const TempDir& dir() const { return dir_; }
    QString appFolder() const;    // <tmp>/app, holds Defaults/ and Config/
    QString userFolder() const;   // <tmp>/user

private:
    TempDir dir_;
    QString savedApp_, savedUser_, savedRegistry_;
};

} // namespace test
