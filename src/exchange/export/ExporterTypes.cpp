// The four exporter types.
#include "exchange/export/Exporter.h"

#include "exchange/export/ExportPreparer.h"
#include "exchange/export/cf2/Cf2Writer.h"
#include "exchange/export/hpgl/HpglWriter.h"
#include "exchange/export/oldn/OldnWriter.h"
#include "exchange/export/wild/WildWriter.h"

namespace Export {
namespace {

class cf2_exporter final : public exporter {
public:
    cf2_exporter() : exporter(false, 0) {}
    QString TypeName() const override { return QStringLiteral("cf2"); }
    QString DefaultExtension() const override { return QStringLiteral("cf2"); }
    QString FileDialogFilter() const override { return QStringLiteral("CF2 files (*.cf2)|*.cf2|All Files (*.*)|*.*||"); }
    void Write(ExportText& out, const ExportPreparer& job) const override { WriteCf2(out, job); }
};

class hpgl_exporter final : public exporter {
public:
    hpgl_exporter() : exporter(true, 1) {}
    QString TypeName() const override { return QStringLiteral("hpgl"); }
    QString DefaultExtension() const override { return QStringLiteral("plt"); }
    QString FileDialogFilter() const override { return QStringLiteral("HPGL files (*.plt)|*.plt|All Files (*.*)|*.*||"); }
    void Write(ExportText& out, const ExportPreparer& job) const override { WriteHpgl(out, job, job.GetSettings().vcut); }
};

class oldn_exporter final : public exporter {
public:
    oldn_exporter() : exporter(false, 0) {}
    QString TypeName() const override { return QStringLiteral("oldn"); }
    QString DefaultExtension() const override { return QStringLiteral("n"); }
    QString FileDialogFilter() const override { return QStringLiteral("Morvek NT files (*.n)|*.n|All Files (*.*)|*.*||"); }
    void Write(ExportText& out, const ExportPreparer& job) const override { WriteOldn(out, job); }
};

class wild_exporter final : public exporter {
public:
    wild_exporter() : exporter(true, 1) {}
    QString TypeName() const override { return QStringLiteral("wild"); }
    QString DefaultExtension() const override { return QStringLiteral("plt"); }
    QString FileDialogFilter() const override
    {
        return QStringLiteral("Wild-plotter files (*.plt)|*.plt|All Files (*.*)|*.*||");
    }
    void Write(ExportText& out, const ExportPreparer& job) const override { WriteWild(out, job); }
};

} // namespace

std::unique_ptr<exporter> CreateExporter(const QString& typeWord)
{
    if (typeWord == QLatin1String("hpgl"))
        return std::make_unique<hpgl_exporter>();
    if (typeWord == QLatin1String("oldn"))
        return std::make_unique<oldn_exporter>();
    if (typeWord == QLatin1String("wild"))
        return std::make_unique<wild_exporter>();
    if (typeWord == QLatin1String("cf2"))
        return std::make_unique<cf2_exporter>();
    return nullptr;
}

} // namespace Export
