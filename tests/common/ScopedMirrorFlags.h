#pragma once
// Sets the process-wide axis-mirror bits for one test and puts the previous
// ones back.
#include "display/DrawContext.h"

class ScopedMirrorFlags {
public:
    explicit ScopedMirrorFlags(int bits) : previous_(DrawContext::GetMirrorFlags())
    {
        DrawContext::SetMirrorFlags(bits);
    }
    ~ScopedMirrorFlags() { DrawContext::SetMirrorFlags(previous_); }
    ScopedMirrorFlags(const ScopedMirrorFlags&) = delete;
    ScopedMirrorFlags& operator=(const ScopedMirrorFlags&) = delete;

private:
    int previous_;
};
