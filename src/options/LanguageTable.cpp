#include "options/LanguageTable.h"

#include "platform/CFormat.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "settings/ProfileStore.h"
#include "support/ResolvePath.h"
#include "support/TextTrim.h"

namespace {

constinit platform::Current<LanguageTable*> g_current{nullptr};

// The text of key in the store's current section, empty when absent.
QString SettingText(ProfileStore& settings, const QString& key)
{
    QString text;
    settings.GetString(key, text);
    return text;
}

bool IsLanguageId(const QString& name)
{
    for (QChar c : name) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

} // namespace

LanguageTable::LanguageTable(ProfileStore& settings)
{
    settings.Load();
    settings.SelectSection(QStringLiteral("language"));
    for (const QString& key : {QStringLiteral("set0"), QStringLiteral("set1")}) {
        const QString name = SettingText(settings, key);
        if (!name.isEmpty())
            AddFile(name);
    }
    SetOrder(SettingText(settings, QStringLiteral("order")));
}

void LanguageTable::AddFile(const QString& name)
{
    files_.append(ResolvePath(name));
    loaded_ = false;
}

void LanguageTable::ReloadOrder(ProfileStore& settings)
{
    SetOrder(SettingText(settings, QStringLiteral("order")));
}

void LanguageTable::SetOrder(const QString& order)
{
    priority_.clear();
    const QStringList codes = order.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (int i = 0; i < codes.size(); ++i)
        priority_[codes[i]] = i;
    loaded_ = false;
}

void LanguageTable::Load()
{
    textsById_.clear();
    textsByKey_.clear();
    for (const QString& path : files_)
        ReadFile(path);
    loaded_ = true;
}

void LanguageTable::ReadFile(const QString& path)
{
    QStringList lines;
    if (!platform::readTextLines(platform::localPath(path), lines, platform::TextCodec::Utf8))
        return;
    Entry entry; // every file starts with no entry in force
    for (const QString& line : lines)
        ReadLine(support::Trim(line).toString(), entry);
}

void LanguageTable::ReadLine(const QString& line, Entry& entry)
{
    if (line.startsWith(QLatin1Char('['))) {
        const QString name = line.size() >= 2 ? line.mid(1, line.size() - 2) : QString();
        entry.isKey = !IsLanguageId(name);
        entry.key = entry.isKey ? name : QString();
        entry.id = entry.isKey ? -1 : platform::wtoi(name);
        return;
    }
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 1)
        return;
    const auto code = priority_.find(line.left(eq));
    if (code == priority_.end())
        return;
    const QString text = line.mid(eq + 1);
    if (entry.isKey) {
        const bool isNew = !textsByKey_.count(entry.key);
        Offer(textsByKey_[entry.key], isNew, code->second, text);
    } else if (entry.id >= 0) {
        const bool isNew = !textsById_.count(entry.id);
        Offer(textsById_[entry.id], isNew, code->second, text);
    }
}

void LanguageTable::Offer(Text& slot, bool isNew, int priority, const QString& text)
{
    // A better or equally good language replaces the text.
    if (isNew || slot.priority >= priority)
        slot = Text{priority, text};
}

void LanguageTable::EnsureLoaded()
{
    if (!loaded_)
        Load();
}

QString LanguageTable::Translate(int id)
{
    EnsureLoaded();
    const auto it = textsById_.find(id);
    return it != textsById_.end() ? it->second.text : platform::cformat("<%d>", id);
}

QString LanguageTable::TranslateKey(const QString& key)
{
    EnsureLoaded();
    const auto it = textsByKey_.find(key);
    return it != textsByKey_.end() ? it->second.text : key;
}

LanguageTable* LanguageTable::Current()
{
    return g_current.Get();
}

platform::ScopedOverride<LanguageTable*> LanguageTable::Install(LanguageTable& table)
{
    return g_current.Override(&table);
}

QString Translate(int id)
{
    return LanguageTable::Current() ? LanguageTable::Current()->Translate(id) : platform::cformat("<%d>", id);
}

QString TranslateKey(const QString& key)
{
    return LanguageTable::Current() ? LanguageTable::Current()->TranslateKey(key) : key;
}

namespace {

const std::map<QString, int>& CurrentOrder()
{
    static const std::map<QString, int> none;
    return LanguageTable::Current() ? LanguageTable::Current()->Priority() : none;
}

} // namespace

std::map<QString, int>::const_iterator LanguageOrderBegin()
{
    return CurrentOrder().begin();
}

std::map<QString, int>::const_iterator LanguageOrderEnd()
{
    return CurrentOrder().end();
}
