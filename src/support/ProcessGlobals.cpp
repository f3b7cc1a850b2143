#include "support/ProcessGlobals.h"

#include "support/HexDigits.h"

#include <cmath>

namespace {

ProcessGlobals* g_current = nullptr;

QString StrokeFontCharset()
{
    return QStringLiteral("abcdefghijklmnopqrstuvwxyz"
                          "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
                          "1234567890"
                          "!@#$%^&*()_+-=[]{}\\|;:'\",./<>?")
           + QString(QChar(0x00C4)) + QChar(0x00D6) + QChar(0x00DC) + QChar(0x00E4) + QChar(0x00F6)
           + QChar(0x00FC) + QChar(0x00DF) + QChar(0x00B0);
}

} // namespace

ProcessGlobals::ProcessGlobals()
    : hexDigits(HexDigits()),
      strokeFontCharset(StrokeFontCharset()),
      languageIdDigits(QStringLiteral("0123456789")),
      traceLog(Log::TheLog()),
      splinePole(std::sqrt(3.0) - 2.0),
      bridgeKindLabels{QStringLiteral("All"), QStringLiteral("Line"), QStringLiteral("Arc"),
                       QStringLiteral("Ellipse"), QStringLiteral("Spline")},
      hotKeyCommands{},
      previous_(g_current)
{
    g_current = this;
}

ProcessGlobals::~ProcessGlobals()
{
    if (g_current == this)
        g_current = previous_;
}

ProcessGlobals& ProcessGlobals::Current()
{
    if (g_current)
        return *g_current;
    static ProcessGlobals fallback;
    return fallback;
}
