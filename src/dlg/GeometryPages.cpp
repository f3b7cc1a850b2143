#include "dlg/GeometryPages.h"

#include "dlg/NumberFields.h"
#include "dlg/PropertyPages.h"
#include "dlg/PropertyPreview.h"
#include "dlg/WorkingCopy.h"
#include "document/MorvekDoc.h"
#include "element/Element.h"
#include "options/LanguageTable.h"
#include "platform/CFormat.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace dlg {

namespace {

// Labels: line start, end, length, angle; arc start, end, centre, radius,
// length, to ellipse; ellipse start, end, centre, angle, radius 1, radius 2,
// length, number of arcs.
constexpr int kTextLineStart = 205;
constexpr int kTextLineEnd = 206;
constexpr int kTextLineLength = 207;
constexpr int kTextLineAngle = 238;
constexpr int kTextArcStart = 209;
constexpr int kTextArcEnd = 210;
constexpr int kTextArcCentre = 211;
constexpr int kTextArcRadius = 212;
constexpr int kTextArcLength = 213;
constexpr int kTextArcToEllipse = 680;
constexpr int kTextEllipseStart = 214;
constexpr int kTextEllipseEnd = 215;
constexpr int kTextEllipseCentre = 216;
constexpr int kTextEllipseAngle = 217;
constexpr int kTextEllipseRadius1 = 218;
constexpr int kTextEllipseRadius2 = 219;
constexpr int kTextEllipseLength = 220;
constexpr int kTextEllipseArcs = 683;
constexpr int kMaxArcs = 19;

QString Shown(double v)
{
    return platform::cformat("%7.3f", v).trimmed();
}

} // namespace

GeometryPage::GeometryPage(PropertyValues& values, QWidget* parent) : PropertyPage(parent), values_(values)
{
    auto* layout = new QHBoxLayout(this);
    auto* fields = new QWidget(this);
    grid_ = new QGridLayout(fields);
    layout->addWidget(fields);
    preview_ = new PropertyPreview(*this, nullptr, this);
    layout->addWidget(preview_, 1);
}

GeometryPage::~GeometryPage() = default;

void GeometryPage::AddPointRow(int label, PagePoint& point, int pickCode, int marker)
{
    auto* x = new QLineEdit(this);
    auto* y = new QLineEdit(this);
    MakeDoubleField(x);
    MakeDoubleField(y);
    auto* pick = new QPushButton(QStringLiteral("..."), this);
    pick->setObjectName(QStringLiteral("pick%1").arg(pickCode));
    grid_->addWidget(new QLabel(Translate(label), this), row_, 0);
    grid_->addWidget(x, row_, 1);
    grid_->addWidget(y, row_, 2);
    grid_->addWidget(pick, row_, 3);
    ++row_;
    for (QLineEdit* e : {x, y}) {
        e->setProperty("marker", marker);
        e->installEventFilter(this);
        connect(e, &QLineEdit::textEdited, this, [this] { Refresh(); });
    }
    connect(pick, &QPushButton::clicked, this, [this, pickCode] {
        ReadFields();
        EndSheet(pickCode);
    });
    points_.push_back({&point, x, y, pick, marker});
}

QLineEdit* GeometryPage::AddValueRow(int label, bool editable)
{
    auto* edit = new QLineEdit(this);
    edit->setReadOnly(!editable);
    grid_->addWidget(new QLabel(Translate(label), this), row_, 0);
    grid_->addWidget(edit, row_, 1);
    ++row_;
    shown_.push_back(edit);
    return edit;
}

void GeometryPage::AddExtensionRow(int label, Extension& extension, int marker)
{
    auto* edit = new QLineEdit(this);
    MakeDoubleField(edit);
    auto* up = new QPushButton(QStringLiteral("▲"), this);
    auto* down = new QPushButton(QStringLiteral("▼"), this);
    up->setAutoDefault(false);
    down->setAutoDefault(false);
    grid_->addWidget(new QLabel(Translate(label), this), row_, 0);
    grid_->addWidget(edit, row_, 1);
    auto* arrows = new QHBoxLayout;
    arrows->addWidget(up);
    arrows->addWidget(down);
    grid_->addLayout(arrows, row_, 2);
    ++row_;
    edit->setProperty("marker", marker);
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textEdited, this, [this] { Refresh(); });
    for (auto [button, clicks] : {std::pair{up, 1}, std::pair{down, -1}}) {
        connect(button, &QPushButton::clicked, this, [this, &extension, clicks = clicks] {
            ReadFields();
            extension.Spin(clicks);
            ShowFields();
            Refresh();
        });
    }
    extensions_.push_back({&extension, edit, up, down, marker});
}

void GeometryPage::Begin(const PropertyContext& context)
{
    contextCopy_ = context;
    context_ = &contextCopy_;
    highlighted_ = -1;
    for (ExtensionRow& r : extensions_)
        r.extension->value = 0.0; // the extensions start at 0 with every run
    delete preview_;
    preview_ = new PropertyPreview(*this, context.options, this);
    layout()->addWidget(preview_);
    static_cast<QHBoxLayout*>(layout())->setStretchFactor(preview_, 1);
    copy_ = context.element ? std::make_unique<WorkingCopy>(*context.element) : nullptr;
    ShowFields();
    Refresh();
}

void GeometryPage::End()
{
    copy_.reset();
}

CElement* GeometryPage::PreviewElement()
{
    return copy_ ? copy_->Element() : nullptr;
}

std::vector<die::coord> GeometryPage::PreviewMarkers() const
{
    return copy_ ? copy_->Markers() : std::vector<die::coord>{};
}

int GeometryPage::PreviewLineType() const
{
    return values_.common.lineType;
}

QLineEdit* GeometryPage::PointEdit(int point, int axis) const
{
    const PointRow& r = points_.at(static_cast<size_t>(point));
    return axis == 0 ? r.x : r.y;
}

QLineEdit* GeometryPage::ShownEdit(int i) const
{
    return shown_.at(static_cast<size_t>(i));
}

QLineEdit* GeometryPage::ExtensionEdit(int i) const
{
    return extensions_.at(static_cast<size_t>(i)).edit;
}

QPushButton* GeometryPage::SpinButton(int extension, bool up) const
{
    const ExtensionRow& r = extensions_.at(static_cast<size_t>(extension));
    return up ? r.up : r.down;
}

QPushButton* GeometryPage::PickButton(int point) const
{
    return points_.at(static_cast<size_t>(point)).pick;
}

void GeometryPage::ShowFields()
{
    showing_ = true;
    for (PointRow& r : points_) {
        r.x->setText(NumberText(r.point->x));
        r.y->setText(NumberText(r.point->y));
    }
    for (ExtensionRow& r : extensions_)
        r.edit->setText(NumberText(r.extension->value));
    showing_ = false;
}

void GeometryPage::ReadFields()
{
    // Text that is no number reads as 0, as the pages always did.
    for (PointRow& r : points_) {
        double x = 0.0, y = 0.0;
        if (!ReadNumber(r.x, x))
            x = 0.0;
        if (!ReadNumber(r.y, y))
            y = 0.0;
        r.point->Set(x, y);
    }
    for (ExtensionRow& r : extensions_) {
        double v = 0.0;
        r.extension->value = ReadNumber(r.edit, v) ? v : 0.0;
    }
    ReadOwnFields();
}

void GeometryPage::Refresh()
{
    if (showing_)
        return;
    ReadFields();
    if (copy_) {
        PlaceNodes(*copy_);
        copy_->Update(context_ ? context_->common : nullptr, atStart_ ? atStart_->value : 0.0,
                      atEnd_ ? atEnd_->value : 0.0);
    }
    ShowDerived();
    preview_->update();
    PreviewChanged();
}

void GeometryPage::SetHighlight(int marker)
{
    if (highlighted_ == marker)
        return;
    highlighted_ = marker;
    preview_->update();
}

bool GeometryPage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn)
        SetHighlight(watched->property("marker").toInt());
    else if (event->type() == QEvent::FocusOut)
        SetHighlight(-1);
    return PropertyPage::eventFilter(watched, event);
}

void GeometryPage::showEvent(QShowEvent* event)
{
    PropertyPage::showEvent(event);
    if (context_)
        Refresh();
}

namespace {

class LinePage : public GeometryPage {
public:
    LinePage(PropertyValues& values, QWidget* parent) : GeometryPage(values, parent)
    {
        setObjectName(QStringLiteral("PropLinePage"));
        LinePageValues& v = values.line;
        AddPointRow(kTextLineStart, v.start, propend::kPickLineStart, 0);
        AddPointRow(kTextLineEnd, v.end, propend::kPickLineEnd, 1);
        length_ = AddValueRow(kTextLineLength, false);
        AddExtensionRow(kTextExtensionStart, v.atStart, 0);
        AddExtensionRow(kTextExtensionEnd, v.atEnd, 1);
        angle_ = AddValueRow(kTextLineAngle, false);
        atStart_ = &v.atStart;
        atEnd_ = &v.atEnd;
    }
    int CaptionTextId() const override { return kTextCaptionLine; }

protected:
    void PlaceNodes(WorkingCopy& copy) override { PlaceLine(copy, values_.line); }
    void ShowDerived() override
    {
        length_->setText(Shown(values_.line.Length()));
        angle_->setText(platform::cformat("%.2f", values_.line.AngleDegrees()));
    }

private:
    QLineEdit* length_ = nullptr;
    QLineEdit* angle_ = nullptr;
};

class ArcPage : public GeometryPage {
public:
    ArcPage(PropertyValues& values, QWidget* parent) : GeometryPage(values, parent)
    {
        setObjectName(QStringLiteral("PropArcPage"));
        ArcPageValues& v = values.arc;
        AddPointRow(kTextArcStart, v.start, propend::kPickArcStart, 0);
        AddPointRow(kTextArcEnd, v.end, propend::kPickArcEnd, 1);
        AddPointRow(kTextArcCentre, v.centre, propend::kPickArcCentre, 2);
        radius_ = AddValueRow(kTextArcRadius, false);
        length_ = AddValueRow(kTextArcLength, false);
        AddExtensionRow(kTextExtensionStart, v.atStart, 0);
        AddExtensionRow(kTextExtensionEnd, v.atEnd, 1);
        atStart_ = &v.atStart;
        atEnd_ = &v.atEnd;
        auto* convert = new QPushButton(Translate(kTextArcToEllipse), this);
        convert->setObjectName(QStringLiteral("ArcToEllipse"));
        grid_->addWidget(convert, row_++, 0, 1, 4);
        connect(convert, &QPushButton::clicked, this, [this] {
            ReadFields();
            if (context_ && context_->doc)
                (void)context_->doc->BeginModifyState(0, true);
            EndSheet(propend::kArcToEllipse);
        });
    }
    int CaptionTextId() const override { return kTextCaptionArc; }

protected:
    void PlaceNodes(WorkingCopy& copy) override { PlaceArc(copy, values_.arc); }
    void ShowDerived() override
    {
        values_.arc.UpdateRadius();
        radius_->setText(Shown(values_.arc.radius));
        length_->setText(Shown(values_.arc.Length()));
    }

private:
    QLineEdit* radius_ = nullptr;
    QLineEdit* length_ = nullptr;
};

class EllipsePage : public GeometryPage {
public:
    EllipsePage(PropertyValues& values, QWidget* parent) : GeometryPage(values, parent)
    {
        setObjectName(QStringLiteral("PropEllipsePage"));
        EllipsePageValues& v = values.ellipse;
        AddPointRow(kTextEllipseStart, v.start, propend::kPickEllipseStart, 0);
        AddPointRow(kTextEllipseEnd, v.end, propend::kPickEllipseEnd, 1);
        AddPointRow(kTextEllipseCentre, v.centre, propend::kPickEllipseCentre, 2);
        radius1_ = AddValueRow(kTextEllipseRadius1, true);
        radius2_ = AddValueRow(kTextEllipseRadius2, true);
        angle_ = AddValueRow(kTextEllipseAngle, true);
        for (auto [edit, marker] : {std::pair{radius1_, 3}, std::pair{radius2_, 4}, std::pair{angle_, 3}}) {
            MakeDoubleField(edit);
            edit->setProperty("marker", marker);
            edit->installEventFilter(this);
            connect(edit, &QLineEdit::textEdited, this, [this] { Refresh(); });
        }
        length_ = AddValueRow(kTextEllipseLength, false);
        AddExtensionRow(kTextExtensionStart, v.atStart, 0);
        AddExtensionRow(kTextExtensionEnd, v.atEnd, 1);
        atStart_ = &v.atStart;
        atEnd_ = &v.atEnd;
        arcs_ = new QComboBox(this);
        arcs_->setObjectName(QStringLiteral("ArcCount"));
        for (int i = 0; i <= kMaxArcs; ++i)
            arcs_->addItem(QString::number(i), i);
        grid_->addWidget(new QLabel(Translate(kTextEllipseArcs), this), row_, 0);
        grid_->addWidget(arcs_, row_++, 1);
        auto* convert = new QPushButton(Translate(kTextConvertToArcs), this);
        convert->setObjectName(QStringLiteral("EllipseToArcs"));
        grid_->addWidget(convert, row_++, 0, 1, 4);
        connect(convert, &QPushButton::clicked, this, [this] {
            ReadFields();
            if (context_ && context_->doc)
                (void)context_->doc->BeginModifyState(0, true);
            EndSheet(propend::kEllipseToArcs);
        });
    }
    int CaptionTextId() const override { return kTextCaptionEllipse; }
    void Begin(const PropertyContext& context) override
    {
        values_.ellipse.arcs = EllipsePageValues::kDefaultArcs;
        arcs_->setCurrentIndex(EllipsePageValues::kDefaultArcs);
        radius1_->setText(NumberText(values_.ellipse.radius1));
        radius2_->setText(NumberText(values_.ellipse.radius2));
        angle_->setText(NumberText(values_.ellipse.angle));
        GeometryPage::Begin(context);
    }

protected:
    void ReadOwnFields() override
    {
        EllipsePageValues& v = values_.ellipse;
        double r = 0.0;
        v.radius1 = ReadNumber(radius1_, r) ? r : 0.0;
        v.radius2 = ReadNumber(radius2_, r) ? r : 0.0;
        v.angle = ReadNumber(angle_, r) ? r : 0.0;
        v.arcs = arcs_->currentData().toInt();
    }
    void PlaceNodes(WorkingCopy& copy) override { PlaceEllipse(copy, values_.ellipse); }
    void ShowDerived() override
    {
        length_->setText(copy_ ? Shown(EllipseLength(*copy_, values_.ellipse)) : QString());
    }

private:
    QLineEdit* radius1_ = nullptr;
    QLineEdit* radius2_ = nullptr;
    QLineEdit* angle_ = nullptr;
    QLineEdit* length_ = nullptr;
    QComboBox* arcs_ = nullptr;
};

} // namespace

PropertyPage* MakeLinePage(PropertyValues& values, QWidget* parent)
{
    return new LinePage(values, parent);
}

PropertyPage* MakeArcPage(PropertyValues& values, QWidget* parent)
{
    return new ArcPage(values, parent);
}

PropertyPage* MakeEllipsePage(PropertyValues& values, QWidget* parent)
{
    return new EllipsePage(values, parent);
}

} // namespace dlg
