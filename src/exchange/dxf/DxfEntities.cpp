#include "exchange/dxf/DxfEntities.h"

#include <algorithm>
#include <cmath>

namespace dxf {

namespace {

// The switches that run to a semicolon.
bool TakesArgument(QChar c)
{
    return QStringLiteral("fFHWQTACcp").contains(c);
}

// The switches that stand alone.
bool StandsAlone(QChar c)
{
    return QStringLiteral("LlOoKkNX").contains(c);
}

} // namespace

QString PlainMText(const QString& text)
{
    QString out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'{' || c == u'}')
            continue;
        if (c != u'\\' || i + 1 == n) {
            out += c;
            continue;
        }
        const QChar code = text[++i];
        if (code == u'P' || code == u'~') {
            out += u' ';
        } else if (code == u'\\' || code == u'{' || code == u'}') {
            out += code;
        } else if (StandsAlone(code)) {
            // nothing to keep
        } else if (TakesArgument(code)) {
            while (i + 1 < n && text[i + 1] != u';')
                ++i;
            ++i; // the semicolon
        } else if (code == u'S') {
            // "\Snumerator^denominator;" (also with / or #)
            while (i + 1 < n && text[i + 1] != u';') {
                const QChar d = text[++i];
                out += d == u'^' || d == u'#' ? QChar(u'/') : d;
            }
            ++i;
        } else if (code == u'U' && i + 5 < n && text[i + 1] == u'+') {
            bool ok = false;
            const uint value = text.mid(i + 2, 4).toUInt(&ok, 16);
            if (ok) {
                out += QChar(static_cast<char16_t>(value));
                i += 5;
            } else {
                out += u'\\';
                out += code;
            }
        } else {
            out += u'\\';
            out += code;
        }
    }
    return PlainText(out);
}

QString PlainText(const QString& text)
{
    if (!text.contains(QLatin1String("%%")))
        return text;
    QString out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (text[i] != u'%' || i + 2 >= n || text[i + 1] != u'%') {
            out += text[i];
            continue;
        }
        const QChar code = text[i + 2].toLower();
        if (code == u'd')
            out += QChar(0x00B0);
        else if (code == u'c')
            out += QChar(0x2300);
        else if (code == u'p')
            out += QChar(0x00B1);
        else if (code == u'%')
            out += u'%';
        else if (code != u'u' && code != u'o') {
            out += text[i];
            continue;
        }
        i += 2;
    }
    return out;
}

namespace {

bool IsNurbs(const Spline& s)
{
    const size_t controls = s.controls.size();
    const bool nurbs = s.degree >= 1 && s.degree <= 10 && controls > static_cast<size_t>(s.degree)
                       && s.knots.size() == controls + static_cast<size_t>(s.degree) + 1
                       && std::is_sorted(s.knots.begin(), s.knots.end())
                       && s.knots[controls] > s.knots[static_cast<size_t>(s.degree)]
                       && (s.weights.empty()
                           || (s.weights.size() == controls
                               && std::all_of(s.weights.begin(), s.weights.end(), [](double w) { return w > 0.0; })));
    return nurbs;
}

} // namespace

bool IsUsable(const Spline& s)
{
    return IsNurbs(s) || s.fits.size() >= 2;
}

namespace {

// The NURBS point at t in span k (knots[k] <= t < knots[k + 1]), de Boor's
// scheme over homogeneous points.
die::coord DeBoor(const Spline& s, size_t k, double t)
{
    const size_t p = static_cast<size_t>(s.degree);
    struct H {
        double x, y, w;
    };
    std::vector<H> d(p + 1);
    for (size_t j = 0; j <= p; ++j) {
        const size_t i = j + k - p;
        const double w = s.weights.empty() ? 1.0 : s.weights[i];
        d[j] = {s.controls[i].x * w, s.controls[i].y * w, w};
    }
    for (size_t r = 1; r <= p; ++r) {
        for (size_t j = p; j >= r; --j) {
            const size_t i = j + k - p;
            const double span = s.knots[i + p - r + 1] - s.knots[i];
            const double a = span > 0.0 ? (t - s.knots[i]) / span : 0.0;
            d[j] = {(1.0 - a) * d[j - 1].x + a * d[j].x, (1.0 - a) * d[j - 1].y + a * d[j].y,
                    (1.0 - a) * d[j - 1].w + a * d[j].w};
        }
    }
    return {d[p].x / d[p].w, d[p].y / d[p].w};
}

} // namespace

std::vector<die::coord> SplinePoints(const Spline& s)
{
    std::vector<die::coord> points;
    const size_t controls = s.controls.size();
    const size_t p = static_cast<size_t>(s.degree);
    if (!IsNurbs(s)) {
        if (s.fits.size() >= 2)
            points = s.fits;
        return points;
    }
    for (size_t k = p; k < controls; ++k) {
        const double a = s.knots[k], b = s.knots[k + 1];
        if (!(b > a))
            continue;
        for (int i = 0; i < kSamplesPerSpan; ++i)
            points.push_back(DeBoor(s, k, a + (b - a) * i / kSamplesPerSpan));
    }
    // The end: the last span's point at its upper knot.
    size_t last = controls - 1;
    while (last > p && !(s.knots[last + 1] > s.knots[last]))
        --last;
    const double t = s.knots[last + 1];
    // De Boor at the span's upper end (the limit from below).
    points.push_back(DeBoor(s, last, t));
    return points;
}

} // namespace dxf
