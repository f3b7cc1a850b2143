#include "options/StandardsList.h"

#include "platform/CFormat.h"
#include "platform/Registry.h"

#include <algorithm>

namespace {

const QString kSection = QStringLiteral("Standards");
const QString kNames = QStringLiteral("Standards\\StdNames");
const QString kFiles = QStringLiteral("Standards\\FileNames");

} // namespace

void StandardsList::Load()
{
    records_.clear();
    const int n = std::min(platform::Registry::getInt(kSection, QStringLiteral("AMOUNT"), 0), kMaxCount);
    for (int i = 0; i < n; ++i) {
        const QString value = platform::cformat("std%d", i);
        Add(platform::Registry::getString(kNames, value, value), platform::Registry::getString(kFiles, value, value));
    }
}

void StandardsList::Save() const
{
    // Like every remembered preference, a list that could not be stored is
    // ignored rather than interrupting the user.
    platform::RegistryBatch batch;
    (void)platform::Registry::writeInt(kSection, QStringLiteral("AMOUNT"), Count()); // a preference: see above
    for (int i = 0; i < Count(); ++i) {
        const QString value = platform::cformat("std%d", i);
        (void)platform::Registry::writeString(kNames, value, At(i).name); // as above
        (void)platform::Registry::writeString(kFiles, value, At(i).file); // as above
    }
}

int StandardsList::Add(const QString& name, const QString& file)
{
    records_.push_back({name, file});
    return Count() - 1;
}

bool StandardsList::Set(int i, const QString& name, const QString& file)
{
    if (i < 0 || i >= Count())
        return false;
    records_[std::size_t(i)] = {name, file};
    return true;
}

void StandardsList::Remove(int i)
{
    if (i < 0 || i >= Count())
        return;
    if (i != Count() - 1)
        records_[std::size_t(i)] = std::move(records_.back());
    records_.pop_back();
}
