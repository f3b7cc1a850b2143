// Section documents: a factory file read and committed as the base, a user
// difference file applied on top. Saving the difference and applying it to
// the same base again must give the same sections, and a freshly committed
// document has no difference at all.
#include "common/FuzzSupport.h"

#include "settings/SectionDocument.h"

#include <QFileInfo>

namespace {

QString Describe(const SectionDocument::Sections& sections)
{
    QString out;
    for (const auto& [name, section] : sections) {
        out += QLatin1Char('[') + name + QLatin1String("]\n");
        for (const auto& [key, value] : section)
            out += QLatin1String("  ") + key + QLatin1Char('=') + value.text + QLatin1Char('\n');
    }
    return out;
}

bool SameSections(const SectionDocument::Sections& a, const SectionDocument::Sections& b)
{
    // Names and keys compare without regard to case, so the spelling may
    // differ; the texts must not.
    if (a.size() != b.size())
        return false;
    for (auto i = a.begin(), j = b.begin(); i != a.end(); ++i, ++j) {
        if (i->first.compare(j->first, Qt::CaseInsensitive) != 0 || i->second.Size() != j->second.Size())
            return false;
        for (auto k = i->second.begin(), l = j->second.begin(); k != i->second.end(); ++k, ++l) {
            if (k->first.compare(l->first, Qt::CaseInsensitive) != 0 || k->second.text != l->second.text)
                return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Environment& env = fuzz::Environment::Get();
    env.Reset();
    const std::vector<QByteArray> parts = fuzz::Split(data, size, 2);
    env.Write(QStringLiteral("app/Defaults/output.ini"), parts[0]);
    env.Write(QStringLiteral("app/Config/output.cfg"), parts[1]);

    SectionDocument doc;
    fuzz::Check(doc.ReadDiff(QStringLiteral("\\Defaults\\output.ini")), "the factory file does not open");
    doc.Commit();
    fuzz::Check(doc.WriteDiff(QStringLiteral("\\Config\\committed.cfg")), "cannot write the difference");
    fuzz::Check(env.Read(QStringLiteral("app/Config/committed.cfg")).isEmpty(), // absent reads empty too
                "a committed document has a difference", Describe(doc.Current()));

    fuzz::Check(doc.ReadDiff(QStringLiteral("\\Config\\output.cfg")), "the user file does not open");
    fuzz::Check(doc.WriteDiff(QStringLiteral("\\Config\\saved.cfg")), "cannot write the difference");

    SectionDocument again;
    fuzz::Check(again.ReadDiff(QStringLiteral("\\Defaults\\output.ini")), "the factory file does not open");
    again.Commit();
    // Nothing that differs from the factory file writes no file at all.
    if (QFileInfo::exists(env.Path(QStringLiteral("app/Config/saved.cfg"))))
        fuzz::Check(again.ReadDiff(QStringLiteral("\\Config\\saved.cfg")), "the saved file does not open");
    fuzz::Check(SameSections(doc.Current(), again.Current()), "the saved difference reads back differently",
                QStringLiteral("before:\n") + Describe(doc.Current()) + QStringLiteral("after:\n")
                    + Describe(again.Current()));
    return 0;
}
