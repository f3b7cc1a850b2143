// The four exporter types. Their writers come with running an export.
#include "exchange/export/Exporter.h"

namespace Export {
namespace {

class cf2_exporter final : public exporter {
public:
    cf2_exporter() : exporter(false, 0) {}
    QString TypeName() const override { return QStringLiteral("cf2"); }
    QString DefaultExtension() const override { return QStringLiteral("cf2"); }
    QString FileDialogFilter() const override { return QStringLiteral("CF2 files (*.cf2)|*.cf2|All Files (*.*)|*.*||"); }
};

class hpgl_exporter final : public exporter {
public:
    hpgl_exporter() : exporter(true, 1) {}
    QString TypeName() const override { return QStringLiteral("hpgl"); }
    QString DefaultExtension() const override { return QStringLiteral("plt"); }
    QString FileDialogFilter() const override { return QStringLiteral("HPGL files (*.plt)|*.plt|All Files (*.*)|*.*||"); }
};

class oldn_exporter final : public exporter {
public:
    oldn_exporter() : exporter(false, 0) {}
    QString TypeName() const override { return QStringLiteral("oldn"); }
    QString DefaultExtension() const override { return QStringLiteral("n"); }
    QString FileDialogFilter() const override { return QStringLiteral("Morvek NT files (*.n)|*.n|All Files (*.*)|*.*||"); }
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
