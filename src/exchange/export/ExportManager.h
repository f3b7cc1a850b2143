#pragma once
// The configured exporters and the output configuration they are kept in:
// the factory file "Defaults\output.ini" with the user's differences in
// "Config\output.cfg", one section per exporter.
#include "exchange/export/Exporter.h"
#include "settings/SectionDocument.h"
#include "support/NoCaseLess.h"

#include <QString>

#include <map>
#include <memory>
#include <vector>

namespace Export {

class ExportManager {
public:
    using NameMap = std::map<QString, exporter*, support::NoCaseLess>;

    // Reads the defaults, then the user's differences on top (a missing file
    // adds nothing), keeps the user path and creates one exporter per section
    // that names a known type.
    void Load(const QString& defaultsPath, const QString& userPath);
    // Rebuilds every section from the exporters and writes the differences
    // from the defaults to the user file; a defaults section no exporter
    // stands for is written as deleted. True when there is no user file to
    // write; false when it could not be written.
    [[nodiscard]] bool Save(QString* error = nullptr);

    void Add(std::unique_ptr<exporter> added);
    // Deletes the exporter; null or one not held is ignored.
    void Delete(const exporter* removed);

    const std::vector<std::unique_ptr<exporter>>& Exporters() const { return exporters_; }
    // Every exporter by name without regard to case; of names that differ
    // only in case, the later exporter.
    NameMap GetNameMap() const;
    // The enabled exporters in name-map order: what the Output menu lists.
    std::vector<exporter*> GetEnabledExporters() const;

private:
    QString userPath_;
    SectionDocument config_;
    std::vector<std::unique_ptr<exporter>> exporters_;
};

} // namespace Export
