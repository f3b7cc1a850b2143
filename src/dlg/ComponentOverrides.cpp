#include "dlg/ComponentOverrides.h"

#include "exchange/native/NativeDrawing.h"
#include "options/LanguageTable.h"
#include "platform/BinaryStream.h"
#include "platform/CFormat.h"
#include "platform/Prompt.h"
#include "support/StoredPath.h"

#include <QFile>

#include <algorithm>

namespace dlg {

namespace {

// The variables of these categories (A, B, H, MatThick; PI, E) belong to
// every drawing and are set by the extended standard itself.
constexpr int kFirstOwnCategory = 2;

// A drawing larger than this is not read for its variables.
constexpr qint64 kMaxDrawingBytes = qint64(256) << 20;

bool ValidRow(const std::vector<VariableOverrideRow>& rows, int n)
{
    return n >= 0 && n < static_cast<int>(rows.size());
}

} // namespace

QString CompactWhiteSpace(const QString& formula)
{
    return formula.simplified();
}

ComponentOverrides::ComponentOverrides(const SpecStandardComponent& component, const QString& standardFile)
    : name(component.name), file(component.file), x(component.x), y(component.y), rotation(component.rotation),
      component_(component), standardFile_(standardFile)
{
    component_.pairCount = std::clamp(component_.pairCount, 0, SpecStandardComponent::kMaxPairs);
}

QString ComponentOverrides::DrawingPath() const
{
    return file.isEmpty() ? QString() : support::MakeAbsolutePath(file, standardFile_);
}

bool ComponentOverrides::ReadDrawing()
{
    QFile in(DrawingPath());
    if (file.isEmpty() || !in.open(QIODevice::ReadOnly) || in.size() > kMaxDrawingBytes)
        return false;
    native::Drawing drawing;
    if (!native::ReadDrawing(in.readAll(), drawing, nullptr))
        return false;
    auto table = std::make_unique<FormulaTable>();
    platform::BinaryReader block(drawing.variableBlock);
    if (!table->Load(block))
        return false;
    table_ = std::move(table);
    return true;
}

std::vector<VariableOverrideRow> ComponentOverrides::StoredRows() const
{
    std::vector<VariableOverrideRow> rows;
    if (!table_)
        return rows;
    for (int i = 0; i < table_->GetCount(); ++i) {
        if (table_->GetCategory(i) < kFirstOwnCategory)
            continue;
        VariableOverrideRow row;
        row.name = table_->GetName(i);
        row.ownFormula = table_->GetFormula(i);
        row.overrideFormula = row.ownFormula;
        if (const QString* stored = component_.FindOverride(row.name)) {
            row.overrideFormula = *stored;
            row.overridden = true;
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

void ComponentOverrides::LoadVariables(bool reread)
{
    if (reread) {
        table_.reset();
        read_ = false;
    }
    if (!read_) {
        read_ = true;
        ReadDrawing();
    }
    if (table_) {
        // Overrides of variables the drawing lacks go: the last pair takes
        // the dropped one's place.
        for (int i = 0; i < component_.pairCount;) {
            const QString& variable = component_.pairs[static_cast<size_t>(i)].variable;
            const int index = table_->FindIndex(variable);
            if (index >= 0 && table_->GetCategory(index) >= kFirstOwnCategory) {
                ++i;
                continue;
            }
            --component_.pairCount;
            component_.pairs[static_cast<size_t>(i)] = component_.pairs[static_cast<size_t>(component_.pairCount)];
            component_.pairs[static_cast<size_t>(component_.pairCount)] = SpecStandardAssignment();
        }
    }
    rows_ = StoredRows();
}

void ComponentOverrides::ChooseDrawing(const QString& absolutePath)
{
    file = support::MakeRelativePath(absolutePath, standardFile_);
    LoadVariables(true);
}

QString ComponentOverrides::ShownFormula(int n) const
{
    if (!ValidRow(rows_, n))
        return QString();
    const VariableOverrideRow& row = rows_[static_cast<size_t>(n)];
    return CompactWhiteSpace(row.overridden ? row.overrideFormula : row.ownFormula);
}

QString ComponentOverrides::Mark(int n) const
{
    return ValidRow(rows_, n) && rows_[static_cast<size_t>(n)].overridden ? Translate(kTextOverridden) : QString();
}

QString ComponentOverrides::FormulaToEdit(int n) const
{
    if (!ValidRow(rows_, n))
        return QString();
    const VariableOverrideRow& row = rows_[static_cast<size_t>(n)];
    return row.overridden ? row.overrideFormula : row.ownFormula;
}

bool ComponentOverrides::Override(int n, const QString& formula)
{
    if (!ValidRow(rows_, n))
        return false;
    VariableOverrideRow& row = rows_[static_cast<size_t>(n)];
    if (!row.overridden) {
        const auto overridden = std::count_if(rows_.begin(), rows_.end(),
                                              [](const VariableOverrideRow& r) { return r.overridden; });
        if (overridden >= SpecStandardComponent::kMaxPairs) {
            (void)platform::ask(platform::cformat(Translate(kTextTooManyOverrides).toUtf8().constData(),
                                                  SpecStandardComponent::kMaxPairs),
                                QString(), platform::PromptButtons::Ok, platform::PromptIcon::Warning);
            return false;
        }
    }
    row.overridden = true;
    row.overrideFormula = formula;
    return true;
}

void ComponentOverrides::Reset(int n)
{
    if (!ValidRow(rows_, n))
        return;
    VariableOverrideRow& row = rows_[static_cast<size_t>(n)];
    row.overridden = false;
    row.overrideFormula = row.ownFormula;
}

bool ComponentOverrides::Restore()
{
    std::vector<VariableOverrideRow> stored = StoredRows();
    if (stored == rows_)
        return false;
    if (platform::ask(Translate(kTextRestore), QString(), platform::PromptButtons::YesNo,
                      platform::PromptIcon::Question) != platform::PromptResult::Yes)
        return false;
    rows_ = std::move(stored);
    return true;
}

SpecStandardComponent ComponentOverrides::Result() const
{
    SpecStandardComponent c = component_;
    c.name = name;
    c.file = file;
    c.x = x;
    c.y = y;
    c.rotation = rotation;
    if (!table_)
        return c;
    c.pairs = {};
    c.pairCount = 0;
    for (const VariableOverrideRow& row : rows_) {
        if (!row.overridden || c.pairCount >= SpecStandardComponent::kMaxPairs)
            continue;
        c.pairs[static_cast<size_t>(c.pairCount++)] = {row.name, row.overrideFormula};
    }
    return c;
}

} // namespace dlg
