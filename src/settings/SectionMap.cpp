#include "settings/SectionMap.h"

#include "platform/CFormat.h"

QString SectionMap::GetText(const QString& key) const
{
    const ConfigValue* value = Find(key);
    return value ? value->text : QString();
}

bool SectionMap::SetType(const QString& key, int type)
{
    return Typed(key, type) != nullptr;
}

bool SectionMap::GetInt(const QString& key, int& out)
{
    const ConfigValue* value = Typed(key, ConfigInt);
    if (value)
        out = platform::wtoi(value->text);
    return value != nullptr;
}

bool SectionMap::GetDouble(const QString& key, double& out)
{
    const ConfigValue* value = Typed(key, ConfigDouble);
    if (value)
        out = platform::wtof(value->text);
    return value != nullptr;
}

bool SectionMap::GetString(const QString& key, QString& out)
{
    const ConfigValue* value = Typed(key, ConfigText);
    if (value)
        out = value->text;
    return value != nullptr;
}

void SectionMap::SetInt(const QString& key, int value)
{
    Set(key, platform::cformat("%d", value), ConfigInt);
}

void SectionMap::SetDouble(const QString& key, double value)
{
    Set(key, ConfigValue::FormatDouble(value), ConfigDouble);
}

void SectionMap::SetString(const QString& key, const QString& value)
{
    Set(key, value, ConfigText);
}

void SectionMap::SetText(const QString& key, const QString& text)
{
    values_[key].text = text;
}

const ConfigValue* SectionMap::Find(const QString& key) const
{
    const auto it = values_.find(key);
    return it == values_.end() ? nullptr : &it->second;
}

ConfigValue* SectionMap::Typed(const QString& key, int type)
{
    const auto it = values_.find(key);
    if (it == values_.end())
        return nullptr;
    it->second.type = type;
    return &it->second;
}

void SectionMap::Set(const QString& key, const QString& text, int type)
{
    ConfigValue& value = values_[key];
    value.text = text;
    value.type = type;
}
