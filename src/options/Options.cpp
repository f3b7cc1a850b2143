#include "options/Options.h"

#include "platform/BinaryStream.h"
#include "platform/CFormat.h"
#include "platform/Paths.h"
#include "platform/ProfileFile.h"
#include "platform/Registry.h"
#include "options/LanguageTable.h"
#include "support/Log.h"
#include "options/PathChooser.h"

#include <optional>

namespace {

constinit platform::Current<COptions*> g_current{nullptr};

using platform::Registry;

const QString kSettings = QStringLiteral("Settings");
const QString kColours = QStringLiteral("Colours");
const QString kPaths = QStringLiteral("Paths");
const QString kLanguage = QStringLiteral("language");

constexpr int kBinaryValueSize = 8;
constexpr int kBackgroundSize = 3; // red, green, blue
constexpr std::array<int, 5> kMeasureDefaults = {250, 5000, 10000, 10000, 25000};

// The registry binary value, or nothing unless it holds exactly `size` bytes.
std::optional<QByteArray> BinaryValue(const QString& section, const QString& key, qsizetype size)
{
    QByteArray bytes;
    if (!Registry::getBinary(section, key, bytes) || bytes.size() != size)
        return std::nullopt;
    return bytes;
}

// The folder with exactly one separator at its end: a backslash, or a slash
// for a folder written with slashes only.
QString WithOneTrailingSeparator(QString folder)
{
    const auto isSeparator = [](QChar c) { return c == QLatin1Char('\\') || c == QLatin1Char('/'); };
    while (folder.size() > 1 && isSeparator(folder.back()) && isSeparator(folder[folder.size() - 2]))
        folder.chop(1);
    if (!folder.isEmpty() && !isSeparator(folder.back())) {
        const bool slashesOnly = folder.contains(QLatin1Char('/')) && !folder.contains(QLatin1Char('\\'));
        folder += slashesOnly ? QLatin1Char('/') : QLatin1Char('\\');
    }
    return folder;
}

} // namespace

COptions::COptions() : standardsIniPath_(QStringLiteral("C:\\Standards.ini")) {}

COptions::~COptions()
{
    languageInstalled_.reset();
    languageTable_.reset();
    // Nobody is left to tell at this point; the application saves and
    // reports before it destroys the options.
    (void)settingsStore_.Save();
}

std::array<double, 5> COptions::DefaultMeasureParams()
{
    std::array<double, 5> params{};
    for (std::size_t i = 0; i < params.size(); ++i)
        params[i] = kMeasureDefaults[i] / 1000.0;
    return params;
}

COptions* COptions::Current()
{
    return g_current.Get();
}

platform::ScopedOverride<COptions*> COptions::Install(COptions& options)
{
    return g_current.Override(&options);
}

void COptions::AddFilePair(ProfileStore& store, const QString& defaults, const QString& user) const
{
    // Resolved now, so that the files stay those of this run's folder.
    store.AddFile(platform::localPath(MakeAppPath(defaults)));
    store.AddFile(platform::localPath(MakeAppPath(user)));
}

void COptions::Load()
{
    if (settingsStore_.LevelCount() == 0)
        AddFilePair(settingsStore_, QStringLiteral("\\Defaults\\settings.ini"), QStringLiteral("\\Config\\settings.cfg"));
    settingsStore_.Load();
    languageInstalled_.reset();
    languageTable_ = std::make_unique<LanguageTable>(settingsStore_);
    languageInstalled_.emplace(LanguageTable::Install(*languageTable_));
    LoadBridges();
    LoadShapes();
    LoadRegistryValues();
}

void COptions::LoadRegistryValues()
{
    nPath_ = Registry::getString(kPaths, QStringLiteral("NPath"));
    if (const auto rgb = BinaryValue(kColours, QStringLiteral("BACKGROUND"), kBackgroundSize)) {
        const auto byte = [&](int i) { return int(static_cast<unsigned char>(rgb->at(i))); };
        backgroundColour_ = byte(0) | byte(1) << 8 | byte(2) << 16;
    }
    for (std::size_t i = 0; i < measureParams_.size(); ++i) {
        const int stored = Registry::getInt(kSettings, platform::cformat("MEASUREPARAM%d", i), kMeasureDefaults[i]);
        measureParams_[i] = static_cast<unsigned>(stored) / 1000.0;
    }
    LoadStandardsList();
    UseFactoryKeyBindings();
}

// --- registry values ---------------------------------------------------------

int COptions::GetLineType() const
{
    return Registry::getInt(kSettings, QStringLiteral("LINE_TYPE"), 1);
}

void COptions::SetLineType(int lineType)
{
    // A remembered preference that could not be stored is not worth
    // interrupting the user for: it is ignored, as every preference below.
    (void)Registry::writeInt(kSettings, QStringLiteral("LINE_TYPE"), lineType);
}

int COptions::GetTextLineType() const
{
    const int textType = Registry::getInt(kSettings, QStringLiteral("TEXT_LYNE_TYP"), -1);
    return textType == -1 ? GetLineType() : textType;
}

int COptions::GetPropSelColour() const
{
    return Registry::getInt(kColours, QStringLiteral("PROPSELCOL"), 0xFFFFFF);
}

int COptions::GetAutosaveInterval() const
{
    return Registry::getInt(kSettings, QStringLiteral("AUTOSAVE_INTERVAL"), 600);
}

void COptions::GetClSize(double& width, double& height) const
{
    width = Registry::getInt(kSettings, QStringLiteral("CLWIDTH"), 8000) / 1000.0;
    height = Registry::getInt(kSettings, QStringLiteral("CLHEIGHT"), 5000) / 1000.0;
}

void COptions::SaveView(int originX, int originY, double zoom)
{
    platform::BinaryWriter origin;
    origin.writeInt32(originX);
    origin.writeInt32(originY);
    (void)Registry::writeBinary(kSettings, QStringLiteral("Origin"), origin.data()); // a preference: ignored
    platform::BinaryWriter scale;
    scale.writeDouble(zoom);
    (void)Registry::writeBinary(kSettings, QStringLiteral("Zoom"), scale.data()); // a preference: ignored
}

bool COptions::LoadView(int& originX, int& originY, double& zoom) const
{
    const auto origin = BinaryValue(kSettings, QStringLiteral("Origin"), kBinaryValueSize);
    if (origin) {
        platform::BinaryReader in(*origin);
        originX = in.readInt32();
        originY = in.readInt32();
    }
    const auto scale = BinaryValue(kSettings, QStringLiteral("Zoom"), kBinaryValueSize);
    if (scale)
        zoom = platform::BinaryReader(*scale).readDouble();
    return origin && scale;
}

QString COptions::ReadRegistryString(const QString& section, const QString& key) const
{
    return Registry::getString(section, key);
}

void COptions::WriteRegistryString(const QString& section, const QString& key, const QString& text)
{
    (void)Registry::writeString(section, key, text); // a preference, as above
}

QString COptions::MakeAppPath(const QString& relative) const
{
    return Registry::getString(kPaths, QStringLiteral("Application")) + relative;
}

bool COptions::BrowsePath(const QString& section, const QString& key, bool folderOnly, const QString& filter)
{
    const QString current = ReadRegistryString(section, key);
    QString chosen;
    if (folderOnly) {
        if (!pathChooser().ChooseFolder(current, chosen))
            return false;
        chosen = WithOneTrailingSeparator(chosen);
    } else {
        const QString filterText = filter.isEmpty() ? QStringLiteral("All Files (*.*)|*.*||") : filter;
        if (!pathChooser().ChooseFile(current, filterText, chosen))
            return false;
    }
    WriteRegistryString(section, key, chosen);
    return true;
}

// --- remembered standard dimensions ------------------------------------------

bool COptions::WriteStandardBox(const QString& key, double a, double b, double h, double matThick)
{
    return platform::writePrivateProfileString(QStringLiteral("STANDARD"), key,
                                               platform::cformat("(%f),(%f),(%f),(%f)", a, b, h, matThick),
                                               standardsIniPath_);
}

bool COptions::ReadStandardBox(const QString& key, double& a, double& b, double& h, double& matThick) const
{
    const QString text =
        platform::getPrivateProfileString(QStringLiteral("STANDARD"), key, QString(), standardsIniPath_);
    if (text.isEmpty())
        return false;
    const QStringList pieces = text.split(QLatin1Char(','));
    double* const outputs[] = {&a, &b, &h, &matThick};
    for (qsizetype i = 0; i < pieces.size() && i < 4; ++i) {
        const QString& piece = pieces[i]; // "(value)"
        *outputs[i] = platform::wtof(piece.size() >= 2 ? QStringView(piece).mid(1, piece.size() - 2) : QStringView());
    }
    return true;
}

// --- settings, language and bridge rules ---------------------------------------

void COptions::SetLanguageOrder(const QString& order)
{
    settingsStore_.SelectSection(kLanguage);
    settingsStore_.SetString(QStringLiteral("order"), order);
}

void COptions::ReloadLanguageOrder()
{
    if (!languageTable_)
        return;
    settingsStore_.SelectSection(kLanguage);
    languageTable_->ReloadOrder(settingsStore_);
}

void COptions::LoadBridges()
{
    if (bridgesStore_.LevelCount() == 0)
        AddFilePair(bridgesStore_, QStringLiteral("\\Defaults\\bridges.ini"), QStringLiteral("\\Config\\bridges.cfg"));
    bridgesStore_.Load();
    bridges_.Load(bridgesStore_);
}

bool COptions::SaveBridges()
{
    return bridges_.Save(bridgesStore_);
}

void COptions::LoadShapes()
{
    if (shapesStore_.LevelCount() == 0)
        AddFilePair(shapesStore_, QStringLiteral("\\Defaults\\shapes.ini"), QStringLiteral("\\Config\\shapes.cfg"));
    shapesStore_.Load();
}

void COptions::GetBridgeSettings(BridgeRuleSet*& rules, double*& perLength, double*& length)
{
    rules = &bridges_.rules;
    perLength = &bridges_.perLength;
    length = &bridges_.defaultLength;
}

BridgeCount COptions::GetAutoLengthNumBridges(double length, int elementType) const
{
    Log::TheLog().Write("COptions::GetAutoLengthNumBridges(double )", 256);
    return bridges_.Count(length, elementType);
}

// --- values remembered for the run --------------------------------------------

int COptions::GetNamedInt(const std::string& name, int defaultValue) const
{
    const auto it = namedInts_.find(name);
    return it != namedInts_.end() ? it->second : defaultValue;
}

double COptions::GetNamedDouble(const std::string& name, double defaultValue) const
{
    const auto it = namedDoubles_.find(name);
    return it != namedDoubles_.end() ? it->second : defaultValue;
}
