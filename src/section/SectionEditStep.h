#pragma once
// The undo step of one editing operation on a section: opened with its title
// when the object is made and closed when it goes. While the section's
// compound-operation flag is set (a caller runs several operations inside a
// step of its own) and the operation honours it, nothing is opened or closed
// and the items go into the caller's step.
class Section;

class SectionEditStep {
public:
    enum class Compound { Honour, Ignore };

    SectionEditStep(Section& section, int title, Compound compound = Compound::Honour);
    ~SectionEditStep();
    SectionEditStep(const SectionEditStep&) = delete;
    SectionEditStep& operator=(const SectionEditStep&) = delete;

private:
    Section& section_;
    bool opened_ = false;
};
