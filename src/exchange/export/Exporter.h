#pragma once
// One configured output target: a type (CF2, HP-GL, the older n layout, Wild
// plotter code), the user's name for it (also the name of its section in the
// output configuration), whether the Output menu lists it, and its settings.
#include "exchange/export/ExportSettings.h"
#include "platform/ScopedOverride.h"

#include <QString>
#include <QStringList>
#include <QStringList>

#include <memory>

class SectionDocument;
class SectionMap;

namespace Export {

class ExportPreparer;

// What a writer writes to: lines ending in "\n" (each becomes CR LF in the
// target) and the name of the target (its last path component, "COM2" for
// the serial port), which some formats quote; notes are what the run tells
// the user once the output is written (what the format could not hold as it
// was).
struct ExportText {
    QString name;
    QString text;
    QStringList notes;
};

class exporter {
public:
    virtual ~exporter() = default;
    exporter(const exporter&) = delete;
    exporter& operator=(const exporter&) = delete;

    // The type word, also the value of the "lib" key: "cf2", "hpgl", "oldn", "wild".
    virtual QString TypeName() const = 0;
    virtual QString DefaultExtension() const = 0;
    // The save dialog's filter, entries separated by '|'.
    virtual QString FileDialogFilter() const = 0;
    // Writes the prepared geometry in the type's format.
    virtual void Write(ExportText& out, const ExportPreparer& job) const = 0;

    // Reads this exporter's keys from its section; an absent key leaves the
    // field as it is.
    void LoadSettings(SectionMap& section);
    // Writes this exporter's keys into its section.
    void SaveSettings(SectionMap& section) const;
    // Writes the exporter into the section named after it.
    void SaveToConfig(SectionDocument& config) const;

    // Lets the user edit this exporter's settings in its type's configuration
    // dialog (through the installed ExporterConfigurator); true when they
    // were changed with OK. Nothing is saved here.
    bool Configure();

    const QString& GetName() const { return name_; }
    void SetName(const QString& name) { name_ = name; }
    const ExportSettings& GetSettings() const { return settings_; }
    void SetSettings(const ExportSettings& settings) { settings_ = settings; }
    bool IsEnabled() const { return enabled_ != 0; }
    void SetEnabled(bool enabled) { enabled_ = enabled ? 1 : 0; }

protected:
    exporter(bool useOffset, int instance);

private:
    friend std::unique_ptr<exporter> CreateFromSection(const QString& name, SectionMap& section);

    int enabled_ = 1;
    QString name_;
    ExportSettings settings_;
};

// Shows an exporter's configuration dialog; the GUI installs one, without
// one Configure changes nothing.
class ExporterConfigurator {
public:
    virtual ~ExporterConfigurator() = default;
    virtual bool Configure(exporter& configured) = 0;
};
platform::ScopedOverride<ExporterConfigurator*> installExporterConfigurator(ExporterConfigurator& configurator);

// A new exporter of the type word (compared exactly), or null.
std::unique_ptr<exporter> CreateExporter(const QString& typeWord);
// The exporter a configuration section describes, or null when its "lib" is
// missing or names no type (any letter case).
std::unique_ptr<exporter> CreateFromSection(const QString& name, SectionMap& section);

} // namespace Export
