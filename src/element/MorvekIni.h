#pragma once
// The settings store some element classes read their own section from:
// "c:\Morvek.ini" under the user's "config\settings.cfg" in the folder of
// the options' application path (without options, the first alone).
class COptions;
class ProfileStore;

// Adds the two levels and loads them; a missing file leaves its level empty.
void LoadMorvekIni(ProfileStore& store, const COptions* options);
