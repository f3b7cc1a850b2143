#include "exchange/export/Exporter.h"

#include "platform/CFormat.h"
#include "platform/Registry.h"
#include "settings/SectionDocument.h"
#include "settings/SectionMap.h"
#include "support/TextTrim.h"

#include <QStringList>

namespace Export {

exporter::exporter(bool useOffset, int instance)
{
    settings_.use_offset = useOffset;
    settings_.instance = instance;
    settings_.optimize = 2;
}

void exporter::LoadSettings(SectionMap& section)
{
    ExportSettings& s = settings_;
    section.GetInt(QStringLiteral("export"), s.mode);
    section.GetInt(QStringLiteral("layer"), s.layer);
    section.GetInt(QStringLiteral("instance"), s.instance);
    section.GetInt(QStringLiteral("optimize"), s.optimize);
    section.GetInt(QStringLiteral("mirror"), s.mirror);
    section.GetInt(QStringLiteral("arc"), s.arc);
    section.GetInt(QStringLiteral("text"), s.text);
    section.GetDouble(QStringLiteral("offset_x"), s.offset_x);
    section.GetDouble(QStringLiteral("offset_y"), s.offset_y);
    section.GetInt(QStringLiteral("remap_linetypes"), s.remap_linetypes);
    section.GetString(QStringLiteral("remap_filename"), s.remap_filename);
    section.GetInt(QStringLiteral("dir_policy"), s.dir_policy);
    section.GetString(QStringLiteral("dir"), s.dir);
    section.GetInt(QStringLiteral("serial"), s.serial);
    section.GetString(QStringLiteral("send_to"), s.send_to);

    // Older configurations named the hand-over program only by this flag.
    int sendToRavad = 0;
    section.GetInt(QStringLiteral("sendto_ravad"), sendToRavad);
    if (sendToRavad != 0 && s.send_to.isEmpty())
        s.send_to = platform::Registry::getString(QStringLiteral("Paths"), QStringLiteral("RAvadPath"));

    QString order;
    section.GetString(QStringLiteral("order"), order);
    for (const QString& piece : order.split(QLatin1Char(','), Qt::SkipEmptyParts))
        s.AddToOrder(platform::wtoi(support::Trim(piece)));

    int vcut = 0;
    section.GetInt(QStringLiteral("vcut"), vcut);
    s.vcut = vcut == 1;
}

void exporter::SaveSettings(SectionMap& section) const
{
    const ExportSettings& s = settings_;
    section.SetString(QStringLiteral("lib"), TypeName());
    section.SetInt(QStringLiteral("enabled"), enabled_);
    section.SetInt(QStringLiteral("export"), s.mode);
    section.SetInt(QStringLiteral("layer"), s.layer);
    section.SetInt(QStringLiteral("instance"), s.instance);
    section.SetInt(QStringLiteral("optimize"), s.optimize);
    section.SetInt(QStringLiteral("mirror"), s.mirror);
    section.SetInt(QStringLiteral("arc"), s.arc);
    section.SetInt(QStringLiteral("text"), s.text);
    section.SetInt(QStringLiteral("dir_policy"), s.dir_policy);
    section.SetString(QStringLiteral("dir"), s.dir);
    section.SetString(QStringLiteral("send_to"), s.send_to);
    if (s.use_offset) {
        section.SetDouble(QStringLiteral("offset_x"), s.offset_x);
        section.SetDouble(QStringLiteral("offset_y"), s.offset_y);
    }
    if (s.remap_linetypes != -1) {
        section.SetInt(QStringLiteral("remap_linetypes"), s.remap_linetypes);
        section.SetString(QStringLiteral("remap_filename"), s.remap_filename);
    }
    if (s.serial != -1)
        section.SetInt(QStringLiteral("serial"), s.serial);
    if (!s.order.empty()) {
        QStringList lineTypes;
        for (const auto& [position, lineType] : s.LineTypesByPosition())
            lineTypes.append(QString::number(lineType));
        section.SetString(QStringLiteral("order"), lineTypes.join(QStringLiteral(", ")));
    }
    if (s.vcut)
        section.SetInt(QStringLiteral("vcut"), 1);
}

void exporter::SaveToConfig(SectionDocument& config) const
{
    SaveSettings(config.GetSection(name_));
}

std::unique_ptr<exporter> CreateFromSection(const QString& name, SectionMap& section)
{
    QString typeWord;
    if (!section.GetString(QStringLiteral("lib"), typeWord))
        return nullptr;
    auto created = CreateExporter(typeWord.toLower());
    if (!created)
        return nullptr;
    created->name_ = name;
    section.GetInt(QStringLiteral("enabled"), created->enabled_);
    created->LoadSettings(section);
    return created;
}

} // namespace Export

namespace Export {

namespace {
constinit platform::Current<ExporterConfigurator*> g_configurator{nullptr};
}

platform::ScopedOverride<ExporterConfigurator*> installExporterConfigurator(ExporterConfigurator& configurator)
{
    return g_configurator.Override(&configurator);
}

bool exporter::Configure()
{
    ExporterConfigurator* configurator = g_configurator.Get();
    return configurator && configurator->Configure(*this);
}

} // namespace Export
