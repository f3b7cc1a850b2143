// The drawing file of a document: the whole ".n" file written from the
// document, and a file's bytes read into it. The bytes are checked whole by
// the native reader before anything of the document changes; only then are
// the variables, nodes, sections and elements built from the records.
#include "document/MorvekDoc.h"

#include "document/DocumentPaths.h"
#include "document/GeneralLoader.h"

#include "element/Arc.h"
#include "element/BobstAsm.h"
#include "element/BobstHoles.h"
#include "element/Cuir.h"
#include "element/Ellipse.h"
#include "element/Holder.h"
#include "element/Line.h"
#include "element/Martin.h"
#include "element/Measure.h"
#include "element/NodePoint.h"
#include "element/SideSymbol.h"
#include "element/Spline.h"
#include "element/Text.h"
#include "element/Wood.h"
#include "section/Section.h"
#include "exchange/FormatTable.h"
#include "exchange/native/ElementLayout.h"
#include "exchange/native/NativeDrawing.h"
#include "options/LanguageTable.h"
#include "platform/BinaryStream.h"
#include "platform/CFormat.h"
#include "platform/Prompt.h"

#include <algorithm>
#include <new>
#include <vector>

namespace {

// The identification text of the header; readers do not look at it.
const QString kIdentification = QStringLiteral("MorvekXP drawing");

native::SectionRecord RecordOf(const Section& section, bool current)
{
    native::SectionRecord r;
    r.name = section.getName();
    r.visible = section.IsVisible();
    r.current = current;
    r.locked = section.IsLocked();
    r.hasAutoInstances = true;
    r.rows = section.GetRows();
    r.columns = section.GetColumns();
    for (int i = 0; i < section.GetInstanceCount(); ++i) {
        const CInstance& instance = section.GetInstance(i);
        r.instances.push_back({instance.angle, instance.dx, instance.dy});
    }
    // All records into one buffer, each record a view of its stretch.
    platform::BinaryWriter out;
    std::vector<qsizetype> ends;
    for (auto it = section.begin(); it.NotEqual(section.end()); it.Next()) {
        it.Get()->Save(out);
        r.elements.push_back({it.Get()->GetTypeId(), QByteArray()});
        ends.push_back(out.data().size());
    }
    r.elementBytes = out.take();
    qsizetype from = 0;
    for (std::size_t i = 0; i < ends.size(); ++i) {
        r.elements[i].bytes = QByteArray::fromRawData(r.elementBytes.constData() + from, ends[i] - from);
        from = ends[i];
    }
    return r;
}

// An element of that class read from the record on the document's nodes;
// null when its own Load refuses the record.
template <typename Class>
std::unique_ptr<CElement> Loaded(platform::BinaryReader& in, int version, NodeTable& nodes, COptions* options,
                                 int nodeBase)
{
    auto element = std::make_unique<Class>(&nodes, options, 0);
    if (!element->Load(in, version, nodeBase))
        return nullptr;
    return element;
}

// The element of a record, made on the document's nodes; null, with the
// reason, for a type this program does not build yet or a record that names
// nodes the drawing lacks. The record's node indices count from nodeBase.
std::unique_ptr<CElement> ElementOf(const native::ElementRecord& record, int version, NodeTable& nodes,
                                    COptions* options, int nodeBase, QString* error)
{
    platform::BinaryReader in(record.bytes);
    (void)in.readInt32(); // the type id, known already
    std::unique_ptr<CElement> element;
    switch (record.typeId) {
    case ElementTypeId::Line: element = Loaded<CLine>(in, version, nodes, options, nodeBase); break;
    case ElementTypeId::Arc: element = Loaded<CArc>(in, version, nodes, options, nodeBase); break;
    case ElementTypeId::Ellipse: element = Loaded<CEllipse>(in, version, nodes, options, nodeBase); break;
    case ElementTypeId::Text: element = Loaded<CText>(in, version, nodes, options, nodeBase); break;
    case ElementTypeId::Measure: element = Loaded<CMeasure>(in, version, nodes, options, nodeBase); break;
    case ElementTypeId::Spline: element = Loaded<CSpline>(in, version, nodes, options, nodeBase); break;
    case ElementTypeId::Cuir: element = Loaded<CCuir>(in, version, nodes, options, nodeBase); break;
    case ElementTypeId::Holder: element = Loaded<CHolder>(in, version, nodes, options, nodeBase); break;
    case ElementTypeId::SeperationRule: element = Loaded<CSeperationRule>(in, version, nodes, options, nodeBase); break;
    case ElementTypeId::StripperWood: element = Loaded<CStripperWood>(in, version, nodes, options, nodeBase); break;
    case ElementTypeId::BobstAsm: element = Loaded<CBobstAsm>(in, version, nodes, options, nodeBase); break;
    case ElementTypeId::Bobst: element = Loaded<CBobst>(in, version, nodes, options, nodeBase); break;
    case ElementTypeId::Martin: element = Loaded<CMartin>(in, version, nodes, options, nodeBase); break;
    case ElementTypeId::BobstSP: element = Loaded<CBobstSP>(in, version, nodes, options, nodeBase); break;
    case ElementTypeId::Wood: element = Loaded<CWood>(in, version, nodes, options, nodeBase); break;
    default:
        *error = QStringLiteral("the drawing holds %1 element (type %2), which this version cannot load yet")
                     .arg(native::ElementTypePhrase(record.typeId))
                     .arg(record.typeId);
        return nullptr;
    }
    if (!element || !in.atEnd()) {
        *error = QStringLiteral("damaged %1 record: %2")
                     .arg(native::ElementTypeName(record.typeId),
                          in.ok() ? QStringLiteral("bytes left over") : in.error());
        return nullptr;
    }
    return element;
}

} // namespace

QByteArray CMorvekDoc::WriteFile()
{
    UndoTransaction tx(*undo_, kTextSaveCleanup, current_);
    DeleteIdleNodes(-1, &tx);
    tx.commit();
    return WriteDrawing();
}

QByteArray CMorvekDoc::WriteDrawing()
{
    native::Drawing d;
    d.identification = kIdentification;
    d.version = native::kFormatVersion;
    // The header holds the extents the file opens with. A load turns every
    // instance about the middle of its section's elements as saved; edits
    // since the drawing was opened (the save's own clean-up among them) may
    // have moved that middle, so the instances are turned about it for the
    // extents only and then put back as they were.
    std::vector<CInstance> kept;
    for (const auto& s : sections_) {
        for (int i = 0; i < s->GetInstanceCount(); ++i)
            kept.push_back(s->GetInstance(i));
        (void)s->SetCenterOfInstances(); // always true
    }
    GetExtents(d.left, d.top, d.right, d.bottom, true, true);
    auto next = kept.cbegin();
    for (const auto& s : sections_) {
        for (int i = 0; i < s->GetInstanceCount(); ++i)
            s->GetInstance(i) = *next++;
    }
    platform::BinaryWriter variables;
    (void)variables_.Save(variables); // the whole table: no index to fail on
    d.variableBlock = variables.take();
    platform::BinaryWriter nodes;
    nodes_.Save(nodes);
    d.nodeBlock = nodes.take();
    for (const auto& s : sections_)
        d.sections.push_back(RecordOf(*s, s.get() == current_));
    return native::WriteDrawing(d);
}

bool CMorvekDoc::LoadFile(const QString& fileName, QByteArrayView bytes, QString* error)
{
    QString reason;
    (void)nodes_.SetCacheValid(false);
    loadRefused_ = false;
    imported_ = false;
    importChoseNothing_ = false;
    importNotes_.clear();

    const exchange::Format& format = exchange::FormatOf(fileName, bytes);
    bool loaded = false;
    expectedElements_ = 0;
    bool foreign = true;
    // A file too large for the memory there is stops the load, not the
    // program: what was built goes, and the user is told how large it was.
    try {
        loaded = LoadByFormat(format, fileName, bytes, &reason, foreign);
    } catch (const std::bad_alloc&) {
        qint64 built = 0;
        for (const auto& s : sections_)
            built += s->GetSlotsInUse();
        reason = QStringLiteral("the drawing is too large to open: about %1 elements")
                     .arg(std::max(built, expectedElements_));
        loaded = false;
    }
    if (loaded && foreign && !importChoseNothing_ && !HasFigures(*current_)) {
        loaded = false;
        reason = NoFiguresText(fileName);
        if (!importNotes_.isEmpty())
            reason += QLatin1Char('\n') + importNotes_.join(QLatin1Char('\n'));
        importNotes_.clear();
    }

    imported_ = loaded && docpath::IsForeignDrawing(fileName);
    if (!loaded) {
        loadRefused_ = true;
        ResetAfterFailedLoad();
        if (error)
            *error = reason;
    }
    UpdateAllElements();
    (void)nodes_.SetCacheValid(false);
    RefreshAllBridges();
    if (loaded && !importNotes_.isEmpty())
        (void)platform::ask(importNotes_.join(QLatin1Char('\n')), QString(), platform::PromptButtons::Ok,
                            platform::PromptIcon::Information);
    return loaded;
}

bool CMorvekDoc::LoadByFormat(const exchange::Format& format, const QString& fileName, QByteArrayView bytes,
                              QString* error, bool& foreign)
{
    QString& reason = *error;
    bool loaded = false;
    foreign = true;
    switch (format.id) {
    case exchange::FormatId::Native: {
        foreign = false;
        native::Drawing drawing;
        loaded = native::ReadDrawing(bytes, drawing, &reason) && ReadFormatFFFF(drawing, &reason);
        if (loaded)
            TellUnknownNodeKinds();
        break;
    }
    case exchange::FormatId::Standard:
        foreign = false;
        loadedFromStandard_ = true;
        loaded = LoadExtendedStandard(fileName, bytes, &reason);
        break;
    case exchange::FormatId::Dxf: loaded = ImportDxf(fileName, bytes, &reason); break;
    case exchange::FormatId::Cf2: loaded = ImportCf2(fileName, bytes, &reason); break;
    case exchange::FormatId::Dd3: loaded = ImportDd3(fileName, bytes, &reason); break;
    case exchange::FormatId::Hpgl: loaded = ImportHpgl(fileName, bytes, &reason); break;
    case exchange::FormatId::OldText: loaded = ReadOldFormat(fileName, bytes, &reason); break;
    }
    return loaded;
}

// Nodes of a kind this program does not know stand at the origin; the
// user is told once how many there are.
void CMorvekDoc::TellUnknownNodeKinds()
{
    int64_t unknown = 0;
    for (int i = 0; i < nodes_.GetCount(); ++i) {
        const CNodePoint* node = nodes_.GetNode(i);
        if (node && node->IsInUse() && (node->GetKind() < NodeKind::Absolute || node->GetKind() > NodeKind::TwoDistances))
            ++unknown;
    }
    if (unknown > 0)
        (void)platform::ask(platform::cformat(Translate(kTextUnknownNodeKinds).toUtf8().constData(), unknown),
                            QString(), platform::PromptButtons::Ok, platform::PromptIcon::Warning); // Ok only
}

bool CMorvekDoc::HasFigures(Section& section)
{
    return section.begin().NotEqual(section.end());
}

QString CMorvekDoc::NoFiguresText(const QString& fileName)
{
    return platform::cformat(Translate(kTextNoFigures).toUtf8().constData(), fileName);
}

void CMorvekDoc::NoteImport(const general_loader& loader)
{
    if (loader.Refused() > 0)
        importNotes_ << platform::cformat(Translate(kTextValuesOutOfRange).toUtf8().constData(), loader.Refused());
    if (loader.Clamped() > 0)
        importNotes_ << platform::cformat(Translate(kTextLineTypesClamped).toUtf8().constData(), loader.Clamped());
}

bool CMorvekDoc::ReadFormatFFFF(const native::Drawing& drawing, QString* error)
{
    sections_.clear();
    current_ = nullptr;
    variables_.Clear();
    fileVersion_ = drawing.version;

    platform::BinaryReader variables(drawing.variableBlock);
    if (!variables_.Load(variables)) {
        // The native reader has checked the block; this is one it let
        // through and the table refused.
        *error = variables.error();
        return false;
    }
    nodes_.Load(drawing.nodes); // checked whole by the native reader
    if (originNode_ < 0 || originNode_ >= nodes_.GetCount() || nodes_.GetNode(originNode_) == nullptr
        || !nodes_.GetNode(originNode_)->IsInUse()) {
        // A drawing without its origin node gets one again.
        AddOriginNode();
    }
    expectedElements_ = 0;
    for (const native::SectionRecord& record : drawing.sections)
        expectedElements_ += static_cast<qint64>(record.elements.size());
    if (expectedElements_ > kMaxLoadElements) {
        *error = QStringLiteral("the drawing holds %1 elements, more than the %2 a drawing may take")
                     .arg(expectedElements_)
                     .arg(kMaxLoadElements);
        return false;
    }
    if (!ReadSections(drawing, QString(), 0, error))
        return false;
    for (const auto& s : sections_)
        (void)s->SetCenterOfInstances(); // always true
    return true;
}

bool CMorvekDoc::ReadSections(const native::Drawing& drawing, const QString& prefix, int nodeBase, QString* error)
{
    for (const native::SectionRecord& record : drawing.sections) {
        Section* section = AppendSection(prefix + record.name);
        if (section == nullptr) { // the reader refuses more sections already
            *error = QStringLiteral("more than %1 sections").arg(kMaxSections);
            return false;
        }
        section->SetVisible(record.visible);
        section->SetLocked(record.locked);
        if (record.hasAutoInstances) {
            section->GetRows() = record.rows;
            section->GetColumns() = record.columns;
        }
        section->ClearInstances();
        for (const native::InstanceRecord& r : record.instances)
            section->NewInstance(r.dx, r.dy, r.angle);
        for (const native::ElementRecord& e : record.elements) {
            std::unique_ptr<CElement> element = ElementOf(e, drawing.version, nodes_, options_, nodeBase, error);
            if (!element) {
                *error = QStringLiteral("section \"%1\": %2").arg(record.name, *error);
                return false;
            }
            if (const auto* m = element->GetTypeId() == ElementTypeId::Measure
                                    ? dynamic_cast<const CMeasure*>(element.get())
                                    : nullptr;
                m && Section::MeasuresOnePoint(m->GetP1(), m->GetP2(), m->GetInstances()))
                continue; // read whole, but it measures nothing
            element->Recalculate();
            (void)section->AddBuilt(std::move(element)); // the slot is not needed
        }
        if (record.current || current_ == nullptr || !prefix.isEmpty()) // a merged one is current in turn
            current_ = section;
    }
    if (sections_.empty()) {
        // A drawing must keep one section to work on.
        current_ = AppendSection(Translate(kTextNewSection));
    }
    return true;
}
