#pragma once
// One named, grouped, typed value: the unit in which an element lists its
// parameters, and whose text forms make up an element's script text.
#include <QString>

#include <variant>

// The kinds of value. The elements set Integer, Double and Point; the others
// are copied, cleared and written like them.
enum class PropertyType : int {
    Text = 0,
    Integer = 1,
    Integer2 = 2,
    Double = 3,
    Point = 4,
    Boolean = 5,
};

struct PropertyPoint {
    double x = 0.0;
    double y = 0.0;
};

class PropertyValue {
public:
    // Name "Noname", group "Nogroup", integer 0.
    PropertyValue();

    // Clear: the value becomes the integer 0.
    void Clear();
    // The group comes first among the arguments.
    void SetPoint(const QString& group, const QString& name, PropertyPoint point);
    void SetInt(const QString& group, const QString& name, int value);
    void SetDouble(const QString& group, const QString& name, double value);
    void SetText(const QString& group, const QString& name, const QString& text);
    void SetBool(const QString& group, const QString& name, bool value);

    const QString& Name() const { return name_; }
    const QString& Group() const { return group_; }
    PropertyType Type() const { return type_; }
    // The value as stored; 0, 0.0, false, an empty text or (0, 0) when the
    // value is of another kind.
    int Int() const;
    double Double() const;
    bool Bool() const;
    QString Text() const;
    PropertyPoint Point() const;

    // "(group, name) = " followed by "['text']", "[int]", "[%f]", "[%f,%f]" or
    // "[True]"/"[False]" by type.
    QString ToText() const;

private:
    void Set(const QString& group, const QString& name, PropertyType type);

    QString name_ = QStringLiteral("Noname");
    QString group_ = QStringLiteral("Nogroup");
    PropertyType type_ = PropertyType::Integer;
    std::variant<int, double, bool, QString, PropertyPoint> value_ = 0;
};
