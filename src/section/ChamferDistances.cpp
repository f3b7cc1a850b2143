#include "section/ChamferDistances.h"

#include "geometry/GeomConstants.h"

#include <cmath>

std::vector<std::pair<double, double>> ChamferAttempts(const ChamferValues& v, double gamma)
{
    using Geom::kPi;
    const auto given = [](double value) { return value != 0.0; };
    // The interior angle of the triangle at a chamfer end.
    const auto interior = [](double degrees) { return kPi - degrees * kPi / 180.0; };
    const double sinGamma = std::sin(gamma);
    std::vector<std::pair<double, double>> attempts;
    if (given(v.distance1) && given(v.distance2))
        attempts.emplace_back(v.distance1, v.distance2);
    // A distance and the length: the angle opposite the distance, when the
    // length reaches across the corner.
    const auto withLength = [&](double known) -> std::pair<bool, double> {
        const double sine = sinGamma * known / v.length;
        if (!(std::fabs(sine) <= 1.0))
            return {false, 0.0};
        const double beta = std::asin(sine);
        return {true, std::sin(kPi - (beta + gamma)) * known / std::sin(beta)};
    };
    if (given(v.distance1) && given(v.length)) {
        if (const auto [ok, other] = withLength(v.distance1); ok)
            attempts.emplace_back(v.distance1, other);
    }
    if (given(v.distance2) && given(v.length)) {
        if (const auto [ok, other] = withLength(v.distance2); ok)
            attempts.emplace_back(other, v.distance2);
    }
    const double alphaA = interior(v.angle1);
    const double alphaB = interior(v.angle2);
    if (given(v.angle1) && given(v.length))
        attempts.emplace_back(std::sin(kPi - (gamma + alphaA)) * v.length / sinGamma,
                              std::sin(alphaA) * v.length / sinGamma);
    if (given(v.angle2) && given(v.length))
        attempts.emplace_back(std::sin(alphaB) * v.length / sinGamma,
                              std::sin(kPi - (gamma + alphaB)) * v.length / sinGamma);
    if (given(v.distance1) && given(v.angle1))
        attempts.emplace_back(v.distance1, std::sin(alphaA) * v.distance1 / std::sin(kPi - (gamma + alphaA)));
    if (given(v.distance1) && given(v.angle2))
        attempts.emplace_back(v.distance1, std::sin(kPi - (gamma + alphaB)) * v.distance1 / std::sin(alphaB));
    if (given(v.distance2) && given(v.angle1))
        attempts.emplace_back(std::sin(kPi - (gamma + alphaA)) * v.distance2 / std::sin(alphaA), v.distance2);
    if (given(v.distance2) && given(v.angle2))
        attempts.emplace_back(std::sin(alphaB) * v.distance2 / std::sin(kPi - (gamma + alphaB)), v.distance2);
    return attempts;
}
