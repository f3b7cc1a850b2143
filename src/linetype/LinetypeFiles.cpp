// Reading and writing the line-type files: the factory defaults
// "\Defaults\linetypes.ini" and the user's differences "\Config\linetypes.cfg".
// Both are Windows profile files; each section is one line type, named by
// its number or by the symbolic name of a special line type.
#include "linetype/LinetypeTable.h"

#include "platform/CFormat.h"
#include "platform/Paths.h"
#include "platform/ProfileFile.h"
#include "platform/Prompt.h"
#include "platform/TextFile.h"

namespace {

const QString kDefaultsFile = QStringLiteral("\\Defaults\\linetypes.ini");
const QString kUserFile = QStringLiteral("\\Config\\linetypes.cfg");
constexpr int kMaxValueLength = 199; // the longest text a key holds

// A data value as text that reads back as the same double: as few decimals
// as that needs, and at least two.
QString FormatDataValue(double value)
{
    for (int decimals = 2; decimals <= 20; ++decimals) {
        const QByteArray format = "%." + QByteArray::number(decimals) + "f";
        const QString text = platform::cformat(format.constData(), value);
        if (platform::wtof(text) == value)
            return text;
    }
    return platform::cformat("%.17g", value);
}

// Names are free text from the line-type dialog; a line break would end the entry.
QString SingleLine(QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

// A value as written so that the profile reader gives it back unchanged: it
// trims white space from both ends and drops one pair of matching quotes
// around a value, so a value that begins or ends with either gets quotes of
// its own.
QString Quoted(const QString& text)
{
    const bool inQuotes = text.size() >= 2 && (text.front() == QLatin1Char('"') || text.front() == QLatin1Char('\''))
                          && text.back() == text.front();
    if (inQuotes || text != text.trimmed())
        return QLatin1Char('"') + text + QLatin1Char('"');
    return text;
}

} // namespace

bool LinetypeTable::ParseSectionName(const QString& sectionName, int& number, int& kind) const
{
    number = platform::wtoi(sectionName);
    kind = 0;
    if (number < 0)
        return false;
    if (number == 0 && sectionName != QLatin1String("0")) {
        const QString lower = sectionName.toLower();
        for (const auto& [registered, entry] : symbolic_) {
            if (entry.name == lower) {
                number = registered;
                kind = entry.kind;
                return true;
            }
        }
        return false;
    }
    // Special line types are read only under their names.
    return symbolic_.count(number) == 0;
}

void LinetypeTable::ReadSection(const QString& sectionName, const QString& file, bool userLayer)
{
    int number = 0;
    int symbolicKind = 0;
    if (!ParseSectionName(sectionName, number, symbolicKind))
        return;
    const bool isSymbolic = symbolic_.count(number) != 0;
    if (!isSymbolic && userLayer && platform::getPrivateProfileInt(sectionName, QStringLiteral("deleted"), 0, file) != 0) {
        Remove(number);
        return;
    }

    // A user section changes only the values it names.
    const Linetype* existing = userLayer ? Find(number) : nullptr;
    QString defName = sectionName;
    QString defType = QStringLiteral("standard");
    QString defStyle = QStringLiteral("solid");
    QString defColour = ToText(0, 2);
    QString defData[3] = {QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")};
    int defWidth = 1;
    int defSubtype[2] = {-1, -1};
    if (existing) {
        defName = existing->name;
        defType = ToText(existing->kind, 0);
        defStyle = ToText(existing->style, 1);
        defColour = ToText(static_cast<int>(existing->colour), 2);
        defWidth = existing->width;
        for (int i = 0; i < 3; ++i)
            if (LinetypeKind::UsesData(existing->kind, i + 1))
                defData[i] = FormatDataValue(existing->Data(i));
        if (LinetypeKind::UsesSubtype(existing->kind, 1))
            defSubtype[0] = existing->subtype1;
        if (LinetypeKind::UsesSubtype(existing->kind, 2))
            defSubtype[1] = existing->subtype2;
    }

    const auto text = [&](const char* key, const QString& fallback) {
        return platform::getPrivateProfileString(sectionName, QLatin1String(key), fallback, file).left(kMaxValueLength);
    };
    const auto integer = [&](const char* key, int fallback) {
        return platform::getPrivateProfileInt(sectionName, QLatin1String(key), fallback, file);
    };
    const QString name = text("name", defName);
    const QString type = text("type", defType);
    const QString style = text("style", defStyle);
    const QString colour = text("color", defColour);
    const double data1 = platform::wtof(text("data_1", defData[0]));
    const double data2 = platform::wtof(text("data_2", defData[1]));
    const double data3 = platform::wtof(text("data_3", defData[2]));
    int width = integer("width", defWidth);
    const int subtype1 = integer("subtype_1", defSubtype[0]);
    const int subtype2 = integer("subtype_2", defSubtype[1]);
    // A pen cannot be narrower than nothing, nor absurdly wide.
    if (width < 0 || width > Linetype::MaxWidth)
        width = defWidth >= 0 && defWidth <= Linetype::MaxWidth ? defWidth : 1;

    AddLinetype(number, FromText(style, 1), width, static_cast<platform::ColorRef>(FromText(colour, 2)));
    current_->name = name;
    current_->kind = isSymbolic ? symbolicKind : FromText(type, 0);
    current_->subtype1 = subtype1;
    current_->subtype2 = subtype2;
    current_->data1 = data1;
    current_->data2 = data2;
    current_->data3 = data3;
    if (!userLayer)
        StoreDefault(number);
}

void LinetypeTable::Load(const QString& folder)
{
    Clear();
    defaults_.clear();
    const struct {
        const QString& file;
        bool userLayer;
    } layers[] = {{kDefaultsFile, false}, {kUserFile, true}};
    for (const auto& layer : layers) {
        const QString path = platform::localPath(folder + layer.file);
        for (const QString& section : platform::getPrivateProfileSectionNames(path))
            ReadSection(section, path, layer.userLayer);
    }
    CreatePens();
    savedDifferences_ = DifferenceText();
}

void LinetypeTable::WriteSection(QString& out, int number, const Linetype* defaults, const Linetype& record) const
{
    if (defaults && defaults->SameValues(record))
        return;
    out += record.symbolic ? platform::cformat("[%s]\n", record.symbolic->name) : platform::cformat("[%d]\n", number);
    if (!defaults || defaults->name != record.name)
        out += platform::cformat(" name=%s\n", Quoted(SingleLine(record.name)));
    if (!defaults || defaults->style != record.style)
        out += platform::cformat(" style=%s\n", ToText(record.style, 1));
    if (!defaults || defaults->width != record.width)
        out += platform::cformat(" width=%d\n", record.width);
    if (!defaults || defaults->colour != record.colour)
        out += platform::cformat(" color=%s\n", ToText(static_cast<int>(record.colour), 2));

    // With a default of the same kind only the pattern values that differ;
    // otherwise the kind and all its pattern values.
    const bool sameKind = defaults && defaults->kind == record.kind;
    if (!sameKind)
        out += platform::cformat(" type=%s\n", ToText(record.kind, 0));
    const int subtypes[2] = {record.subtype1, record.subtype2};
    for (int i = 1; i <= 2; ++i) {
        const bool differs = !sameKind || subtypes[i - 1] != (i == 1 ? defaults->subtype1 : defaults->subtype2);
        if (LinetypeKind::UsesSubtype(record.kind, i) && differs)
            out += platform::cformat(" subtype_%d=%d\n", i, subtypes[i - 1]);
    }
    for (int i = 1; i <= 3; ++i) {
        const bool differs = !sameKind || record.Data(i - 1) != defaults->Data(i - 1);
        if (LinetypeKind::UsesData(record.kind, i) && differs)
            out += platform::cformat(" data_%d=", i) + FormatDataValue(record.Data(i - 1)) + QLatin1Char('\n');
    }
    out += QLatin1Char('\n');
}

void LinetypeTable::WriteDeletedSection(QString& out, int number)
{
    out += platform::cformat("[%d]\n deleted=1\n\n", number);
}

QString LinetypeTable::DifferenceText() const
{
    QString out;
    for (const auto& [number, record] : linetypes_)
        WriteSection(out, number, FindDefault(number), record);
    for (const auto& [number, record] : defaults_)
        if (!linetypes_.count(number))
            WriteDeletedSection(out, number);
    return out;
}

bool LinetypeTable::Save(const QString& folder)
{
    const QString text = DifferenceText();
    if (savedDifferences_ && *savedDifferences_ == text)
        return true;
    // Names that the system code page cannot hold are kept by writing UTF-8,
    // marked so that the profile reader knows it.
    QByteArray bytes = platform::encodeWindows1252(text);
    if (platform::decodeWindows1252(bytes) != text)
        bytes = QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    const QString path = platform::localPath(folder + kUserFile);
    if (!platform::writeFileAtomically(path, bytes)) {
        platform::ask(QStringLiteral("Cannot create file: \n") + path, QString(), platform::PromptButtons::Ok,
                      platform::PromptIcon::Warning);
        return false;
    }
    savedDifferences_ = text;
    return true;
}
