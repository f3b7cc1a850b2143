#pragma once
// The trace log: operations write their own name under a category bit. A
// line is written only while the log file is open and the category is in the
// mask; the process-wide log starts closed with an empty mask, so a trace call
// normally returns after one flag test.
//
// A line reads "2009- 3- 7 ( 9: 5: 3) - Section :  <message> [<file>:<line>]":
// the file and line of the call come from std::source_location (CallSite), the file
// relative to the top of the project. Where no text is given (Trace), the
// message is the calling function's own signature as the compiler names it,
// so it cannot drift from the function.
#include <QDateTime>
#include <QFile>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <functional>
#include <version>
#if defined(__cpp_lib_source_location)
#include <source_location>
#endif

namespace Log {

// Where a trace call was made. std::source_location where the standard
// library has it; clang 14 over libstdc++ 12 (the fuzzing build) does not,
// and gets the same three facts from the compilers' own builtins.
#if defined(__cpp_lib_source_location)
using CallSite = std::source_location;
#else
class CallSite {
public:
    static constexpr CallSite current(const char* file = __builtin_FILE(), int line = __builtin_LINE(),
                                      const char* function = __builtin_FUNCTION()) noexcept
    {
        CallSite site;
        site.file_ = file;
        site.line_ = static_cast<std::uint_least32_t>(line);
        site.function_ = function;
        return site;
    }
    constexpr const char* file_name() const noexcept { return file_; }
    constexpr std::uint_least32_t line() const noexcept { return line_; }
    constexpr const char* function_name() const noexcept { return function_; }

private:
    const char* file_ = "";
    std::uint_least32_t line_ = 0;
    const char* function_ = "";
};
#endif

enum Category : int {
    Macro = 1,
    Language = 2,
    Node = 4,
    Section = 8,
    Element = 16,
    Drawing = 32,
    Undo = 64,
    Cleaning = 128,
};

class CLog {
public:
    // The local date and time stamped on each line.
    using Clock = std::function<QDateTime()>;

    CLog();   // closed, mask 0
    // When open: writes the closing line "Program end" and closes the file.
    virtual ~CLog();
    CLog(const CLog&) = delete;
    CLog& operator=(const CLog&) = delete;

    // Opens (replaces) the log file and sets the mask; false, and the log
    // closed, when the file cannot be created. A path may be Windows-style.
    [[nodiscard]] bool Open(const QString& path, int mask);
    void SetClock(Clock clock);

    bool IsOpen() const { return isOpen; }
    int Mask() const { return mask; }

    // Writes the time stamp and the category's label.
    void WriteHeader(int category);
    // Writes a line and returns true when the log is open and the category
    // shares a bit with the mask; otherwise false and nothing is written.
    bool Write(QStringView message, int category, CallSite where = CallSite::current())
    {
        if (!isOpen || (mask & category) == 0)
            return false;
        return WriteLine(message.toString(), category, where);
    }
    bool Write(const char* message, int category, CallSite where = CallSite::current())
    {
        if (!isOpen || (mask & category) == 0)
            return false;
        return WriteLine(QString::fromUtf8(message), category, where);
    }
    // Write with the calling function's signature as the message.
    bool Trace(int category, CallSite where = CallSite::current())
    {
        if (!isOpen || (mask & category) == 0)
            return false;
        return WriteLine(QString::fromUtf8(where.function_name()), category, where);
    }

private:
    bool WriteLine(const QString& message, int category, const CallSite& where);
    void WriteText(const QString& text);

    bool isOpen = false;
    int mask = 0;
    QFile file;
    Clock clock;
};

// The process-wide log, created closed on first use and closed at exit.
CLog& TheLog();

} // namespace Log
