#include "formula/PropertyValue.h"

#include "platform/CFormat.h"

PropertyValue::PropertyValue() = default;

void PropertyValue::Clear()
{
    type_ = PropertyType::Integer;
    value_ = 0;
}

void PropertyValue::Set(const QString& group, const QString& name, PropertyType type)
{
    type_ = type;
    name_ = name;
    group_ = group;
}

void PropertyValue::SetPoint(const QString& group, const QString& name, PropertyPoint point)
{
    value_ = point;
    Set(group, name, PropertyType::Point);
}

void PropertyValue::SetInt(const QString& group, const QString& name, int value)
{
    value_ = value;
    Set(group, name, PropertyType::Integer);
}

void PropertyValue::SetDouble(const QString& group, const QString& name, double value)
{
    value_ = value;
    Set(group, name, PropertyType::Double);
}

void PropertyValue::SetText(const QString& group, const QString& name, const QString& text)
{
    value_ = text;
    Set(group, name, PropertyType::Text);
}

void PropertyValue::SetBool(const QString& group, const QString& name, bool value)
{
    value_ = value;
    Set(group, name, PropertyType::Boolean);
}

int PropertyValue::Int() const
{
    const int* v = std::get_if<int>(&value_);
    return v ? *v : 0;
}

double PropertyValue::Double() const
{
    const double* v = std::get_if<double>(&value_);
    return v ? *v : 0.0;
}

bool PropertyValue::Bool() const
{
    const bool* v = std::get_if<bool>(&value_);
    return v && *v;
}

QString PropertyValue::Text() const
{
    const QString* v = std::get_if<QString>(&value_);
    return v ? *v : QString();
}

PropertyPoint PropertyValue::Point() const
{
    const PropertyPoint* v = std::get_if<PropertyPoint>(&value_);
    return v ? *v : PropertyPoint{};
}

QString PropertyValue::ToText() const
{
    QString text = platform::cformat("(%s, %s) = ", group_, name_);
    switch (type_) {
    case PropertyType::Text:
        text += platform::cformat("['%s']", Text());
        break;
    case PropertyType::Integer:
    case PropertyType::Integer2:
        text += platform::cformat("[%d]", Int());
        break;
    case PropertyType::Double:
        text += platform::cformat("[%f]", Double());
        break;
    case PropertyType::Point:
        text += platform::cformat("[%f,%f]", Point().x, Point().y);
        break;
    case PropertyType::Boolean:
        text += platform::cformat("[%s]", Bool() ? "True" : "False");
        break;
    }
    return text;
}
