#include "element/MartinHoleSizes.h"

#include "platform/CFormat.h"
#include "settings/ProfileStore.h"

#include <QStringLiteral>

MartinHoleSizes MartinHoleSizes::Read(ProfileStore& settings)
{
    MartinHoleSizes sizes;
    if (!settings.SelectSection(QStringLiteral("martin")))
        return sizes;
    // The store lower-cases the keys it reads.
    const struct {
        const char* key;
        double MartinHoleSizes::*value;
    } keys[] = {
        {"posioffset", &MartinHoleSizes::positioningOffset},   {"screwedoffset", &MartinHoleSizes::screwedOffset},
        {"screwedradius", &MartinHoleSizes::screwedRadius},    {"posiradius", &MartinHoleSizes::positioningRadius},
        {"posivstep", &MartinHoleSizes::positioningStep},      {"posilen", &MartinHoleSizes::positioningLength},
        {"screwedvstep", &MartinHoleSizes::screwedStep},       {"screwedlen", &MartinHoleSizes::screwedLength},
    };
    for (const auto& k : keys) {
        QString text;
        if (settings.Lookup(QLatin1String(k.key), text))
            sizes.*k.value = platform::wtof(text);
    }
    return sizes;
}
