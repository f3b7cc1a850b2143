#include "element/MorvekIni.h"

#include "options/Options.h"
#include "platform/Paths.h"
#include "settings/ProfileStore.h"

void LoadMorvekIni(ProfileStore& store, const COptions* options)
{
    store.AddFile(platform::localPath(QStringLiteral("c:\\Morvek.ini")));
    if (options)
        store.AddFile(platform::localPath(options->MakeAppPath(QStringLiteral("\\config\\settings.cfg"))));
    (void)store.Load(); // a missing file leaves the defaults
}
