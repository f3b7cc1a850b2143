#pragma once
// Deletes a file or a whole folder tree. Read-only files are not deleted
// silently: the user is asked file by file (yes, no or cancel). A symbolic
// link is removed as a link; what it points to is never touched.
#include <QString>

// A failure of the operating system inside the deleter: the system error
// code (errno) and the system's English text for it. Code 0 is a cancel by
// the user.
class CFExeption {
public:
    explicit CFExeption(int code);

    QString message;
    int code;
};

class FileDeleter {
public:
    FileDeleter();

    // Deletes the file or folder tree at path (a path as the model writes
    // it, see platform::localPath; a trailing separator makes no difference).
    // False after a failure of the system: message() and errorCode() tell
    // which. True when everything went, when the user kept a file (No:
    // somethingLeft()) and when the user cancelled (cancelled()). Every call
    // reports its own result.
    [[nodiscard]] bool Delete(const QString& path);

    // Of a local path, without following a symbolic link: 1 a file (or a
    // link, or anything else that is not a folder), 2 a folder, 0 when it does
    // not exist, -1 when it cannot be examined.
    static int PathKind(const QString& path);

    // Prepares the local file for deletion: true when it may be deleted. A
    // read-only file is made writable, after asking the user when
    // askReadOnly() is set; Cancel throws a CFExeption with code 0.
    bool ClearReadOnly(const QString& path);

    static void EnsureTrailingBackslash(QString& path);

    const QString& message() const { return message_; }
    int errorCode() const { return errorCode_; }
    bool askReadOnly() const { return askReadOnly_; }
    void setAskReadOnly(bool ask) { askReadOnly_ = ask; }
    bool somethingLeft() const { return somethingLeft_; }
    bool cancelled() const { return cancelled_; }

private:
    void DeletePath(const QString& path);

    QString message_;
    int errorCode_ = 0;
    bool askReadOnly_ = true;
    bool somethingLeft_ = false;
    bool cancelled_ = false;
};
