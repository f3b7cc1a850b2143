#pragma once
// The texts of dimension values. A format comes from the user's settings
// file, so only a safe form is used: literal text around exactly one
// floating conversion (%f, %F, %e, %E, %g or %G with the flags "-+ #0", a
// width and a precision of at most two digits each); "%%" is a percent sign.
// Any other format (a %s, a %n, two conversions, a stray percent sign) gives
// way to the default.
//
// MeasureFormats holds the distance and angle formats read from the settings
// once (per load of a drawing or change of the settings, by whoever owns
// that moment) and installed for the dimensions made meanwhile; without one
// installed a dimension takes the defaults.
#include "platform/ScopedOverride.h"

#include <QString>
#include <QStringView>

class COptions;

namespace MeasureFormat {

QString DefaultDistance(); // "%7.3f mm"
QString DefaultAngle();    // "%7.3f °"

bool IsValid(QStringView format);
// The value through the format; through the fallback when the format is not
// valid (the fallback must be).
QString Apply(QStringView format, double value, QStringView fallback);
// The value a dimension shows: rounded up to whole thousandths, with the
// floating noise of a computed length (a few units in the last place) not
// counted, so 5.000000000000001 shows 5.000 and 99.9996 shows 100.000.
double Shown(double value);

} // namespace MeasureFormat

struct MeasureFormats {
    QString distance = MeasureFormat::DefaultDistance();
    QString angle = MeasureFormat::DefaultAngle();

    // Section "measure", keys "textformatdistance" and "textformatangle" of
    // "c:\Morvek.ini" under the user's "config\settings.cfg" (in the folder of
    // the options' application path); a missing file or key, or a format that
    // is not valid, leaves the default.
    static MeasureFormats Read(const COptions* options);
    // The installed formats, or the defaults.
    static const MeasureFormats& Current();
    static platform::ScopedOverride<const MeasureFormats*> Install(const MeasureFormats& formats);
};
