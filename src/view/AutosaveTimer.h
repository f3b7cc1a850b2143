#pragma once
// The rule of a view's autosave timer: on each tick the drawing's copy is
// written when autosave is enabled, the drawing has unsaved changes, no edit
// state is open (no node or bridge is being dragged) and no interactive
// command runs. A command's changes form one undo step: saving in the middle
// would close that step and split the command, so the tick waits for the
// next one. The copy leaves the drawing as it is (CMorvekDoc::AutoSave).
class CMorvekDoc;

class AutosaveTimer {
public:
    bool IsEnabled() const { return enabled_; }
    void Enable(bool on) { enabled_ = on; }

    // One tick: true when the copy was written.
    bool OnTimer(CMorvekDoc& doc);

    // Autosave off for a scope (a file dialog, a save), then back as it was.
    class Pause {
    public:
        explicit Pause(AutosaveTimer& timer) : timer_(timer), was_(timer.enabled_) { timer.enabled_ = false; }
        ~Pause() { timer_.enabled_ = was_; }
        Pause(const Pause&) = delete;
        Pause& operator=(const Pause&) = delete;

    private:
        AutosaveTimer& timer_;
        bool was_;
    };

private:
    bool enabled_ = false;
};
