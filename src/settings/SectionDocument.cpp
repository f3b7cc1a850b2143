#include "settings/SectionDocument.h"

#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "settings/UserFile.h"
#include "support/TextTrim.h"

bool SectionDocument::ReadDiff(const QString& path)
{
    const QString local = platform::localPath(path);
    platform::TextLines file;
    if (!file.read(local))
        return false;
    settings::FileOrigin origin{file.encoding(), true};
    SectionMap* reader = nullptr;
    for (QStringView line : file) {
        if (!ApplyLine(line, reader))
            origin.understood = false;
    }
    origins_[local] = origin;
    return true;
}

bool SectionDocument::ApplyLine(QStringView line, SectionMap*& reader)
{
    if (!settings::IsTextLine(line))
        return false;
    line = support::TrimLeft(line);
    const bool deletion = line.startsWith(u'-');
    if (deletion)
        line = support::TrimLeft(line.mid(1));

    if (line.startsWith(u'[')) {
        line = support::TrimRight(line);
        if (line.size() < 3 || !line.endsWith(u']'))
            return false;
        const QString name = line.mid(1, line.size() - 2).toString();
        if (deletion) {
            reader = nullptr;
            current_.erase(name);
        } else {
            reader = &current_[name];
        }
        return true;
    }

    const qsizetype equals = line.indexOf(u'=');
    if (equals >= 0) {
        if (equals < 1 || deletion)
            return false;
        if (reader)
            reader->SetText(support::Trim(line.first(equals)).toString(), line.mid(equals + 1).toString());
        return true;
    }

    const QStringView key = support::TrimRight(line);
    if (!deletion)
        return key.isEmpty();
    if (key.isEmpty())
        return false;
    if (reader)
        reader->Remove(key.toString());
    return true;
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

bool SectionDocument::WriteDiff(const QString& path, QString* error)
{
    const QString local = platform::localPath(path);
    return settings::WriteUserFile(local, DifferenceText(), origins_[local], error);
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
