#include "settings/SectionDocument.h"

#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "support/TextTrim.h"

#include <QStringList>

bool SectionDocument::ReadDiff(const QString& path)
{
    QStringList lines;
    if (!platform::readTextLines(platform::localPath(path), lines))
        return false;
    SectionMap* reader = nullptr;
    for (const QString& line : lines)
        ApplyLine(line, reader);
    return true;
}

void SectionDocument::ApplyLine(QStringView line, SectionMap*& reader)
{
    line = support::TrimLeft(line);
    const bool deletion = line.startsWith(u'-');
    if (deletion)
        line = support::TrimLeft(line.mid(1));

    if (line.startsWith(u'[')) {
        line = support::TrimRight(line);
        if (line.size() < 3 || !line.endsWith(u']'))
            return;
        const QString name = line.mid(1, line.size() - 2).toString();
        if (deletion) {
            reader = nullptr;
            current_.erase(name);
        } else {
            reader = &current_[name];
        }
        return;
    }

    const qsizetype equals = line.indexOf(u'=');
    if (equals >= 0) {
        if (equals >= 1 && !deletion && reader)
            reader->SetText(support::Trim(line.first(equals)).toString(), line.mid(equals + 1).toString());
        return;
    }

    if (deletion && reader) {
        const QStringView key = support::TrimRight(line);
        if (!key.isEmpty())
            reader->Remove(key.toString());
    }
}

void SectionDocument::Commit()
{
    base_ = current_;
}

void SectionDocument::Clear()
{
    current_.clear();
}

SectionMap& SectionDocument::GetSection(const QString& name)
{
    return current_[name];
}

bool SectionDocument::WriteDiff(const QString& path) const
{
    return platform::writeTextFile(platform::localPath(path), DifferenceText());
}

namespace {

QString keyLine(const QString& key, const QString& text)
{
    return QLatin1String("  ") + key + QLatin1Char('=') + text + QLatin1Char('\n');
}

} // namespace

QString SectionDocument::DifferenceText() const
{
    QString out;
    for (const auto& [name, section] : current_) {
        const QString header = QLatin1Char('[') + name + QLatin1String("]\n");
        const auto baseIt = base_.find(name);
        if (baseIt == base_.end()) {
            out += header;
            for (const auto& [key, value] : section)
                out += keyLine(key, value.text);
            out += QLatin1Char('\n');
            continue;
        }
        const SectionMap& base = baseIt->second;
        QString lines;
        for (const auto& [key, value] : section) {
            const ConfigValue* old = base.Find(key);
            if (!old || !ConfigValue::Equals(value, old->text))
                lines += keyLine(key, value.text);
        }
        for (const auto& [key, value] : base) {
            if (!section.Contains(key))
                lines += QLatin1String(" -") + key + QLatin1Char('\n');
        }
        if (!lines.isEmpty())
            out += header + lines + QLatin1Char('\n');
    }
    for (const auto& [name, section] : base_) {
        if (current_.count(name) == 0)
            out += QLatin1String("-[") + name + QLatin1String("]\n\n");
    }
    return out;
}
