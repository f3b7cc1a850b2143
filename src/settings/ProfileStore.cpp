#include "settings/ProfileStore.h"

#include "platform/CFormat.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "settings/ConfigValue.h"
#include "support/TextTrim.h"

#include <QFileInfo>


bool ProfileStore::AddFile(const QString& path)
{
    if (levelCount_ >= static_cast<int>(levels_.size()))
        return false;
    levels_[levelCount_++].path = path;
    return true;
}

std::set<QString> ProfileStore::Load()
{
    sectionNames_.clear();
    for (int i = 0; i < levelCount_; ++i) {
        ProfileLevel& level = levels_[i];
        const QString local = platform::localPath(level.path);
        platform::TextLines file;
        const bool read = file.read(local);
        if (!read && QFileInfo::exists(local))
            continue; // there but unreadable: what the level held is the best there is
        // Read, or gone: the level is what the file holds, nothing when absent.
        level.parseSection.clear();
        level.sections.clear();
        level.current = nullptr;
        level.origin = settings::FileOrigin{read ? file.encoding() : platform::TextEncoding::Windows1252, true};
        for (QStringView line : file) {
            if (!ParseLine(i, line))
                level.origin.understood = false;
        }
    }
    return sectionNames_;
}

bool ProfileStore::ParseLine(int levelIndex, QStringView rawLine)
{
    if (levelIndex < 0 || levelIndex >= levelCount_ || !settings::IsTextLine(rawLine))
        return false;
    ProfileLevel& level = levels_[levelIndex];
    const QStringView line = support::Trim(rawLine);
    if (line.isEmpty())
        return true;
    if (line.front() == u'[' && line.back() == u']') {
        const QString name = line.mid(1, line.size() - 2).toString().toLower();
        if (level.sections.count(name) != 0) {
            level.parseSection.clear();
        } else {
            level.parseSection = name;
            sectionNames_.insert(name);
        }
        return true;
    }
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 1)
        return false;
    // A key line before the first header or in a repeated section is ignored,
    // as the profile functions do; it is still a settings line.
    if (level.parseSection.isEmpty())
        return true;
    ProfileSection& section = level.sections[level.parseSection];
    const auto [it, added] = section.try_emplace(line.first(equals).toString().toLower());
    if (added)
        it->second = ProfileValue{ConfigUntyped, line.mid(equals + 1).toString()};
    return true;
}

bool ProfileStore::SelectSection(const QString& name, int skipTop)
{
    currentSectionName_ = name;
    bool found = false;
    for (int i = 0; i < levelCount_ - skipTop; ++i) {
        ProfileLevel& level = levels_[i];
        const auto it = level.sections.find(name);
        level.current = it == level.sections.end() ? nullptr : &it->second;
        found = found || level.current != nullptr;
    }
    return found;
}

bool ProfileStore::Lookup(const QString& key, QString& out, int skipTop) const
{
    for (int i = levelCount_ - 1 - skipTop; i >= 0; --i) {
        const ProfileSection* section = levels_[i].current;
        if (!section)
            continue;
        const auto it = section->find(key);
        if (it != section->end()) {
            out = it->second.text;
            return true;
        }
    }
    return false;
}

bool ProfileStore::GetString(const QString& key, QString& out)
{
    return LookupAs(key, ConfigText, out);
}

bool ProfileStore::GetDouble(const QString& key, double& out)
{
    QString text;
    if (!LookupAs(key, ConfigDouble, text))
        return false;
    out = platform::wtof(text);
    return true;
}

bool ProfileStore::GetInt(const QString& key, int& out)
{
    QString text;
    if (!LookupAs(key, ConfigInt, text))
        return false;
    out = platform::wtoi(text);
    return true;
}

bool ProfileStore::LookupAs(const QString& key, int type, QString& out)
{
    if (!Lookup(key, out))
        return false;
    RaiseType(key, type);
    return true;
}

void ProfileStore::RaiseType(const QString& key, int type)
{
    for (int i = 0; i < levelCount_; ++i) {
        ProfileSection* section = levels_[i].current;
        if (!section)
            continue;
        const auto it = section->find(key);
        if (it != section->end() && it->second.type < type)
            it->second.type = type;
    }
}

void ProfileStore::SetInt(const QString& key, int value)
{
    Store(key, platform::cformat("%d", value));
    RaiseType(key, ConfigInt);
}

void ProfileStore::SetDouble(const QString& key, double value)
{
    Store(key, platform::cformat("%.4f", value));
    RaiseType(key, ConfigDouble);
}

void ProfileStore::SetString(const QString& key, const QString& value)
{
    Store(key, value);
    RaiseType(key, ConfigText);
}

void ProfileStore::Store(const QString& key, const QString& text)
{
    ProfileLevel* top = Top();
    if (!top)
        return;
    top->current = &top->sections[currentSectionName_];
    (*top->current)[key] = ProfileValue{ConfigUntyped, text};
}

void ProfileStore::RemoveKey(const QString& key)
{
    ProfileLevel* top = Top();
    if (top && top->current)
        top->current->erase(key);
}

void ProfileStore::ClearTop()
{
    ProfileLevel* top = Top();
    if (!top)
        return;
    top->sections.clear();
    top->current = nullptr;
}

void ProfileStore::BuildDiff()
{
    difference_.clear();
    ProfileLevel* top = Top();
    if (!top)
        return;
    for (const auto& [name, section] : top->sections) {
        SelectSection(name);
        for (const auto& [key, value] : section) {
            QString lower;
            if (Lookup(key, lower, 1) && ConfigValue::EqualsApprox(lower, value.text, value.type))
                continue;
            difference_[name].insert(QLatin1Char(' ') + key + QLatin1Char('=') + value.text);
        }
    }
}

bool ProfileStore::Save(QString* error)
{
    if (levelCount_ < 2) {
        if (error)
            *error = QStringLiteral("no user settings file");
        return false;
    }
    BuildDiff();
    ProfileLevel& top = *Top();
    return settings::WriteUserFile(platform::localPath(top.path), DifferenceText(), top.origin, error);
}

ProfileLevel* ProfileStore::Top()
{
    return levelCount_ > 0 ? &levels_[levelCount_ - 1] : nullptr;
}

QString ProfileStore::DifferenceText() const
{
    QString text;
    for (const auto& [name, lines] : difference_) {
        text += QLatin1Char('[') + name + QLatin1String("]\n");
        for (const QString& line : lines)
            text += line + QLatin1Char('\n');
        text += QLatin1Char('\n');
    }
    return text;
}
