#include "element/MeasureFormat.h"

#include "element/MorvekIni.h"

#include "options/Options.h"
#include "platform/CFormat.h"
#include "settings/ProfileStore.h"

#include <QStringLiteral>

#include <cmath>
#include <optional>

namespace {

constexpr int kMaxDigits = 2;
// Thousandths closer than this to a whole one are taken as that one.
constexpr double kNoise = 1e-6;

constinit platform::Current<const MeasureFormats*> g_installed{nullptr};

// The format cut into the text before the conversion, the conversion itself
// (ASCII) and the text after it; percent pairs already made single.
struct Parsed {
    QString before;
    QByteArray conversion;
    QString after;
};

int Digits(QStringView f, qsizetype& i)
{
    int n = 0;
    while (i < f.size() && f[i] >= u'0' && f[i] <= u'9') {
        ++i;
        ++n;
    }
    return n;
}

std::optional<Parsed> Parse(QStringView f)
{
    Parsed parsed;
    bool converted = false;
    for (qsizetype i = 0; i < f.size(); ++i) {
        QString& literal = converted ? parsed.after : parsed.before;
        if (f[i] != u'%') {
            literal += f[i];
            continue;
        }
        if (i + 1 < f.size() && f[i + 1] == u'%') {
            literal += u'%';
            ++i;
            continue;
        }
        if (converted)
            return std::nullopt; // a second conversion
        const qsizetype start = i++;
        while (i < f.size() && QStringView(u"-+ #0").contains(f[i]))
            ++i;
        if (Digits(f, i) > kMaxDigits)
            return std::nullopt;
        if (i < f.size() && f[i] == u'.') {
            ++i;
            if (Digits(f, i) > kMaxDigits)
                return std::nullopt;
        }
        if (i >= f.size() || !QStringView(u"fFeEgG").contains(f[i]))
            return std::nullopt;
        parsed.conversion = f.mid(start, i - start + 1).toLatin1();
        converted = true;
    }
    if (!converted)
        return std::nullopt;
    return parsed;
}

QString Setting(ProfileStore& store, const QString& key, const QString& fallback)
{
    QString text;
    if (store.Lookup(key, text) && MeasureFormat::IsValid(text))
        return text;
    return fallback;
}

} // namespace

namespace MeasureFormat {

QString DefaultDistance() { return QStringLiteral("%7.3f mm"); }
QString DefaultAngle() { return QStringLiteral("%7.3f \u00B0"); }

bool IsValid(QStringView format)
{
    return Parse(format).has_value();
}

QString Apply(QStringView format, double value, QStringView fallback)
{
    std::optional<Parsed> parsed = Parse(format);
    if (!parsed)
        parsed = Parse(fallback);
    Q_ASSERT(parsed);
    if (!parsed)
        return QString();
    return parsed->before + platform::cformat(parsed->conversion.constData(), value) + parsed->after;
}

double Shown(double value)
{
    // + 0.0 turns the -0 of a zero value into 0, which prints without a sign.
    return std::ceil(value * 1000.0 - kNoise) / 1000.0 + 0.0;
}

} // namespace MeasureFormat

MeasureFormats MeasureFormats::Read(const COptions* options)
{
    ProfileStore store;
    LoadMorvekIni(store, options);
    MeasureFormats formats;
    if (store.SelectSection(QStringLiteral("measure"))) {
        formats.distance = Setting(store, QStringLiteral("textformatdistance"), formats.distance);
        formats.angle = Setting(store, QStringLiteral("textformatangle"), formats.angle);
    }
    return formats;
}

const MeasureFormats& MeasureFormats::Current()
{
    static const MeasureFormats defaults;
    const MeasureFormats* installed = g_installed.Get();
    return installed ? *installed : defaults;
}

platform::ScopedOverride<const MeasureFormats*> MeasureFormats::Install(const MeasureFormats& formats)
{
    return g_installed.Override(&formats);
}
