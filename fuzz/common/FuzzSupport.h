#pragma once
// What every fuzz target shares: a private folder standing in for the
// application folder, the user's configuration folder and the registry, the
// split of one input into several files, and the check that stops the run
// (libFuzzer then keeps the input that broke it).
#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace fuzz {

// One temporary folder for the whole run: <tmp>/app (Defaults/, Config/) is
// the application folder, <tmp>/user the user's configuration folder.
class Environment {
public:
    static Environment& Get();

    QString AppFolder() const;   // without trailing '/'
    QString UserFolder() const;  // without trailing '/'
    // Empties the application and user folders (Defaults/ and Config/ stay)
    // and points the registry at a file of its own for this input, so that
    // nothing read for one input is left over for the next.
    void Reset();
    // Writes bytes to a file below the temporary folder, creating folders.
    QString Write(const QString& relative, const QByteArray& bytes) const;
    QByteArray Read(const QString& relative) const;
    QString Path(const QString& relative) const;

private:
    Environment();
    QString root_;
    int registryCounter_ = 0;
};

// The input cut at its first (parts - 1) NUL bytes: always `parts` pieces,
// the missing ones empty. Text seeds hold no NUL, so a factory file alone
// seeds the first piece.
std::vector<QByteArray> Split(const uint8_t* data, size_t size, int parts);

// Stops the run with the reason when a check fails.
[[noreturn]] void Fail(const char* what, const QString& detail = QString());
inline void Check(bool ok, const char* what, const QString& detail = QString())
{
    if (!ok)
        Fail(what, detail);
}

// The lines of a text, for picking keys and headers out of an input.
std::vector<QString> Lines(const QString& text);

} // namespace fuzz
