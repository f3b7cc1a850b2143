#include "dlg/AnnotationPages.h"

#include "dlg/NumberFields.h"
#include "dlg/PropertyPreview.h"
#include "dlg/WorkingCopy.h"
#include "document/MorvekDoc.h"
#include "element/BobstAsm.h"
#include "element/Cuir.h"
#include "element/Measure.h"
#include "element/Text.h"
#include "options/LanguageTable.h"
#include "platform/CFormat.h"
#include "section/Section.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <functional>
#include <memory>

namespace dlg {

namespace {

// Labels: cuir centre, radius, wing, angle; Bobst angle, inner and outer
// radius, rotation, centre, the three kinds; dimension kind, points,
// position, length, text sizes, avoid layout; text, position, height,
// width, angle, mirror.
constexpr int kTextCuirCentre = 793;
constexpr int kTextCuirRadius = 794;
constexpr int kTextCuirWing = 795;
constexpr int kTextCuirAngle = 796;
constexpr int kTextBobstAngle = 853;
constexpr int kTextBobstInner = 854;
constexpr int kTextBobstOuter = 855;
constexpr int kTextBobstRotation = 856;
constexpr int kTextCentrePoint = 857;
constexpr int kTextBobstType1 = 850;
constexpr int kTextBobstType2 = 851;
constexpr int kTextBobstCustom = 852;
constexpr int kTextDimKind = 303;
constexpr int kTextDimFirst = 304;
constexpr int kTextDimSecond = 305;
constexpr int kTextDimPosition = 308;
constexpr int kTextDimLength = 310;
constexpr int kTextDimSizes = 866;
constexpr int kTextDimAvoid = 720;
constexpr int kTextTextString = 234;
constexpr int kTextTextPosition = 235;
constexpr int kTextTextHeight = 236;
constexpr int kTextTextWidth = 237;
constexpr int kTextTextAngle = 238;
constexpr int kTextTextMirror = 33;

// What the four pages share: a grid of fields bound to page numbers, point
// rows with their pick buttons, and the preview of the working copy.
class FormPage : public PropertyPage {
public:
    FormPage(int caption, QWidget* parent) : PropertyPage(parent), caption_(caption)
    {
        auto* layout = new QHBoxLayout(this);
        auto* fields = new QWidget(this);
        grid_ = new QGridLayout(fields);
        layout->addWidget(fields);
    }

    int CaptionTextId() const override { return caption_; }

    void Begin(const PropertyContext& context) override
    {
        context_ = context;
        highlighted_ = -1;
        copy_.reset();
        if (context.element && !context.several)
            copy_ = std::make_unique<WorkingCopy>(*context.element);
        delete preview_;
        preview_ = new PropertyPreview(*this, context.options, this);
        preview_->setMinimumSize(240, 180);
        layout()->addWidget(preview_);
        ShowFields();
        Refresh();
    }
    void ReadFields() override
    {
        for (const Bound& b : bound_)
            b.number->SetText(b.edit->text());
        ReadOwn();
    }
    void End() override { copy_.reset(); }
    CElement* PreviewElement() override { return copy_ ? copy_->Element() : nullptr; }
    std::vector<die::coord> PreviewMarkers() const override
    {
        return copy_ ? copy_->Markers() : std::vector<die::coord>{};
    }
    int HighlightedMarker() const override { return highlighted_; }
    int PreviewLineType() const override { return context_.element ? context_.element->GetLineType() : 0; }

protected:
    QLabel* Label(int text)
    {
        auto* label = new QLabel(Translate(text), this);
        grid_->addWidget(label, row_, 0);
        return label;
    }
    QLineEdit* Number(PageNumber& number, int column, int marker)
    {
        auto* edit = new QLineEdit(this);
        MakeDoubleField(edit);
        grid_->addWidget(edit, row_, column);
        edit->setProperty("marker", marker);
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textEdited, this, [this, marker] {
            ReadFields();
            FieldEdited(marker);
            Refresh();
        });
        bound_.push_back({&number, edit});
        return edit;
    }
    QLineEdit* NumberRow(int label, PageNumber& number)
    {
        Label(label);
        QLineEdit* edit = Number(number, 1, -1);
        ++row_;
        return edit;
    }
    QPushButton* PointRow(int label, PageNumber& x, PageNumber& y, int pickCode, int marker)
    {
        Label(label);
        Number(x, 1, marker);
        Number(y, 2, marker);
        auto* pick = new QPushButton(QStringLiteral("..."), this);
        pick->setAutoDefault(false);
        pick->setObjectName(QStringLiteral("pick%1").arg(pickCode));
        grid_->addWidget(pick, row_, 3);
        ++row_;
        connect(pick, &QPushButton::clicked, this, [this, pickCode] {
            ReadFields();
            EndSheet(pickCode);
        });
        return pick;
    }
    QPushButton* SplitButton()
    {
        auto* split = new QPushButton(Translate(kTextSplit), this);
        split->setAutoDefault(false);
        grid_->addWidget(split, row_++, 0);
        connect(split, &QPushButton::clicked, this, [this] {
            ReadFields();
            EndSheet(propend::kSplitUp);
        });
        return split;
    }
    void ShowFields()
    {
        for (const Bound& b : bound_)
            b.edit->setText(b.number->Text());
        ShowOwn();
    }
    // A field changed: values read, working copy placed, preview repainted.
    void Refresh()
    {
        ReadFields();
        if (copy_ && copy_->Element())
            PlaceCopy(*copy_);
        ShowDerived();
        if (preview_)
            preview_->update();
        PreviewChanged();
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
            const QVariant marker = watched->property("marker");
            highlighted_ = event->type() == QEvent::FocusIn && marker.isValid() ? marker.toInt() : -1;
            if (preview_)
                preview_->update();
        }
        return PropertyPage::eventFilter(watched, event);
    }
    void showEvent(QShowEvent* event) override
    {
        PropertyPage::showEvent(event);
        if (context_.doc)
            Refresh(); // the Element page may have changed meanwhile
    }

    // A bound field was typed in (marker: its node, -1 none).
    virtual void FieldEdited(int /*marker*/) {}
    virtual void ReadOwn() {}
    virtual void ShowOwn() {}
    virtual void ShowDerived() {}
    virtual void PlaceCopy(WorkingCopy& copy) = 0;

    QGridLayout* grid_ = nullptr;
    int row_ = 0;
    PropertyContext context_{};

private:
    struct Bound {
        PageNumber* number;
        QLineEdit* edit;
    };
    int caption_;
    std::vector<Bound> bound_;
    std::unique_ptr<WorkingCopy> copy_;
    PropertyPreview* preview_ = nullptr;
    int highlighted_ = -1;
};

// --- cuir -----------------------------------------------------------------------

class CuirPage : public FormPage {
public:
    CuirPage(CuirFields& f, QWidget* parent) : FormPage(kTextCaptionCuir, parent), f_(f)
    {
        PointRow(kTextCuirCentre, f_.centreX, f_.centreY, propend::kPickCuirCentre, 0);
        Label(kTextCuirRadius);
        radius_ = new QComboBox(this);
        radius_->setObjectName(QStringLiteral("radius"));
        grid_->addWidget(radius_, row_++, 1);
        connect(radius_, &QComboBox::activated, this, [this] { Refresh(); });
        NumberRow(kTextCuirWing, f_.wing);
        NumberRow(kTextCuirAngle, f_.angle);
        SplitButton();
    }

private:
    void ShowOwn() override
    {
        entries_ = CuirRadiusEntries(f_.openedRadius);
        radius_->clear();
        int chosen = entries_.chosen;
        for (size_t i = 0; i < entries_.entries.size(); ++i) {
            radius_->addItem(entries_.entries[i].text, static_cast<int>(i));
            if (entries_.entries[i].radius == f_.radius)
                chosen = static_cast<int>(i);
        }
        radius_->setCurrentIndex(chosen);
    }
    void ReadOwn() override
    {
        const int i = radius_->currentData().toInt();
        if (i >= 0 && i < static_cast<int>(entries_.entries.size()))
            f_.radius = entries_.entries[static_cast<size_t>(i)].radius;
    }
    void PlaceCopy(WorkingCopy& copy) override
    {
        (void)copy.Place(0, {f_.centreX.Value(), f_.centreY.Value()});
        if (auto* cuir = dynamic_cast<CCuir*>(copy.Element()))
            f_.ApplyTo(*cuir);
        copy.Update(nullptr, 0.0, 0.0);
    }

    CuirFields& f_;
    CuirRadiusChoice entries_;
    QComboBox* radius_ = nullptr;
};

// --- Bobst assembly ---------------------------------------------------------------

class BobstAsmPage : public FormPage {
public:
    BobstAsmPage(BobstAsmFields& f, QWidget* parent) : FormPage(kTextCaptionBobstAsm, parent), f_(f)
    {
        centre_ = PointRow(kTextCentrePoint, f_.centreX, f_.centreY, propend::kPickBobstCentre, 0);
        const int kinds[] = {kBobstType1, kBobstType2, kBobstCustom};
        const int texts[] = {kTextBobstType1, kTextBobstType2, kTextBobstCustom};
        for (int i = 0; i < 3; ++i) {
            radios_[i] = new QRadioButton(Translate(texts[i]), this);
            grid_->addWidget(radios_[i], row_, i + 1);
            connect(radios_[i], &QRadioButton::clicked, this, [this, kind = kinds[i]] {
                ReadFields();
                f_.ChooseKind(kind);
                ShowFields();
                Refresh();
            });
        }
        ++row_;
        shape_ = new QCheckBox(Translate(kTextChangeShape), this);
        rotationBox_ = new QCheckBox(Translate(kTextChangeRotation), this);
        grid_->addWidget(shape_, row_, 1);
        grid_->addWidget(rotationBox_, row_++, 2);
        connect(shape_, &QCheckBox::toggled, this, [this](bool on) {
            f_.changeShape = on;
            ShowOwn();
        });
        connect(rotationBox_, &QCheckBox::toggled, this, [this](bool on) {
            f_.changeRotation = on;
            ShowOwn();
        });
        shapeEdits_ = {NumberRow(kTextBobstAngle, f_.angle), NumberRow(kTextBobstInner, f_.inner),
                       NumberRow(kTextBobstOuter, f_.outer)};
        rotation_ = NumberRow(kTextBobstRotation, f_.rotation);
        split_ = SplitButton();
    }

private:
    void ShowOwn() override
    {
        radios_[0]->setChecked(f_.kind == kBobstType1);
        radios_[1]->setChecked(f_.kind == kBobstType2);
        radios_[2]->setChecked(f_.Custom());
        shape_->setVisible(f_.several);
        rotationBox_->setVisible(f_.several);
        shape_->setChecked(f_.changeShape);
        rotationBox_->setChecked(f_.changeRotation);
        for (QRadioButton* r : radios_)
            r->setEnabled(f_.RadiosEnabled());
        for (QLineEdit* e : shapeEdits_)
            e->setEnabled(f_.ShapeEditsEnabled());
        rotation_->setEnabled(f_.RotationEnabled());
        centre_->setEnabled(f_.CentreEnabled());
        split_->setEnabled(!f_.several);
    }
    void PlaceCopy(WorkingCopy& copy) override
    {
        f_.UpdateRecord();
        (void)copy.Place(0, {f_.centreX.Value(), f_.centreY.Value()});
        if (auto* assembly = dynamic_cast<CBobstAsm*>(copy.Element()))
            assembly->SetParams(f_.record);
        copy.Update(nullptr, 0.0, 0.0);
    }

    BobstAsmFields& f_;
    QRadioButton* radios_[3] = {};
    QCheckBox* shape_ = nullptr;
    QCheckBox* rotationBox_ = nullptr;
    std::array<QLineEdit*, 3> shapeEdits_{};
    QLineEdit* rotation_ = nullptr;
    QPushButton* centre_ = nullptr;
    QPushButton* split_ = nullptr;
};

// --- dimension --------------------------------------------------------------------

class DimensionPage : public FormPage {
public:
    DimensionPage(DimensionPageFields& f, QWidget* parent) : FormPage(kTextCaptionDimension, parent), f_(f)
    {
        Label(kTextDimKind);
        kind_ = new QComboBox(this);
        kind_->setObjectName(QStringLiteral("kind"));
        grid_->addWidget(kind_, row_++, 1, 1, 2);
        connect(kind_, &QComboBox::activated, this, [this] {
            f_.kind = kind_->currentData().toInt(); // the kind is the item's data
            ShowOwn();
            Refresh();
        });
        PointRow(kTextDimFirst, f_.first.x, f_.first.y, propend::kPickDimensionFirst, 1);
        PointRow(kTextDimSecond, f_.second.x, f_.second.y, propend::kPickDimensionSecond, 2);
        centrePick_ = PointRow(kTextCentrePoint, f_.centre.x, f_.centre.y, propend::kPickDimensionThird, 3);
        PointRow(kTextDimPosition, f_.position.x, f_.position.y, propend::kPickDimensionPosition, 0);
        Label(kTextDimLength);
        value_ = new QLineEdit(this);
        value_->setReadOnly(true);
        value_->setObjectName(QStringLiteral("value"));
        grid_->addWidget(value_, row_++, 1);
        Label(kTextDimSizes);
        width_ = new QLineEdit(this);
        height_ = new QLineEdit(this);
        MakeIntField(width_);
        MakeIntField(height_);
        grid_->addWidget(width_, row_, 1);
        grid_->addWidget(height_, row_++, 2);
        for (QLineEdit* e : {width_, height_})
            connect(e, &QLineEdit::textEdited, this, [this] { Refresh(); });
        avoid_ = new QCheckBox(Translate(kTextDimAvoid), this);
        grid_->addWidget(avoid_, row_++, 1, 1, 2);
        SplitButton();
    }

private:
    // The value follows the measured points, not the kind or the position.
    void FieldEdited(int marker) override
    {
        if (marker >= 1 && marker <= 3)
            f_.PointsEdited();
    }
    void ShowDerived() override { value_->setText(f_.value); }
    void ShowOwn() override
    {
        kind_->clear();
        for (const DimensionKindItem& item : f_.KindItems()) {
            kind_->addItem(Translate(item.text), item.kind);
            if (item.kind == f_.kind)
                kind_->setCurrentIndex(kind_->count() - 1);
        }
        value_->setText(f_.value);
        width_->setText(QString::number(f_.charWidth));
        height_->setText(QString::number(f_.charHeight));
        avoid_->setChecked(f_.avoidInstances != 0);
        centrePick_->setEnabled(f_.CentreEnabled());
        for (QLineEdit* e : CentreEdits())
            e->setEnabled(f_.CentreEnabled());
    }
    std::vector<QLineEdit*> CentreEdits() const
    {
        std::vector<QLineEdit*> out;
        // The page's layout may sit in a widget of its own: search below it.
        for (QLineEdit* e : findChildren<QLineEdit*>())
            if (e->property("marker").toInt() == 3)
                out.push_back(e);
        return out;
    }
    void ReadOwn() override
    {
        double v = 0.0;
        if (ReadNumber(width_, v))
            f_.charWidth = static_cast<int>(v);
        if (ReadNumber(height_, v))
            f_.charHeight = static_cast<int>(v);
        f_.avoidInstances = avoid_->isChecked() ? 1 : 0;
    }
    void PlaceCopy(WorkingCopy& copy) override
    {
        (void)copy.Place(0, f_.position.At());
        (void)copy.Place(1, f_.first.At());
        (void)copy.Place(2, f_.second.At());
        if (f_.CentreEnabled())
            (void)copy.Place(3, f_.centre.At());
        if (auto* d = dynamic_cast<CMeasure*>(copy.Element())) {
            d->SetKind(f_.kind);
            d->CharWidthRef() = f_.charWidth;
            d->CharHeightRef() = f_.charHeight;
        }
        copy.Update(nullptr, 0.0, 0.0);
    }

    DimensionPageFields& f_;
    QComboBox* kind_ = nullptr;
    QPushButton* centrePick_ = nullptr;
    QLineEdit* value_ = nullptr;
    QLineEdit* width_ = nullptr;
    QLineEdit* height_ = nullptr;
    QCheckBox* avoid_ = nullptr;
};

// --- text -------------------------------------------------------------------------

class TextPage : public FormPage {
public:
    TextPage(TextFields& f, QWidget* parent) : FormPage(kTextCaptionText, parent), f_(f)
    {
        Label(kTextTextString);
        text_ = new QLineEdit(this);
        text_->setObjectName(QStringLiteral("text"));
        grid_->addWidget(text_, row_++, 1, 1, 3);
        connect(text_, &QLineEdit::textEdited, this, [this] { Refresh(); });
        pick_ = PointRow(kTextTextPosition, f_.x, f_.y, propend::kPickTextBase, 1);
        const std::array<std::pair<int, PageNumber*>, 3> rows{
            {{kTextTextHeight, &f_.height}, {kTextTextWidth, &f_.width}, {kTextTextAngle, &f_.angle}}};
        const int applyTexts[] = {kTextApplyHeight, kTextApplyWidth, kTextApplyAngle};
        bool* flags[] = {&f_.applyHeight, &f_.applyWidth, &f_.applyAngle};
        for (size_t i = 0; i < rows.size(); ++i) {
            Label(rows[i].first);
            edits_[i] = Number(*rows[i].second, 1, -1);
            apply_[i] = new QCheckBox(Translate(applyTexts[i]), this);
            grid_->addWidget(apply_[i], row_++, 2, 1, 2);
            connect(apply_[i], &QCheckBox::toggled, this, [this, flag = flags[i]](bool on) {
                *flag = on;
                ShowOwn();
            });
        }
        mirror_ = new QCheckBox(Translate(kTextTextMirror), this);
        grid_->addWidget(mirror_, row_++, 1);
        connect(mirror_, &QCheckBox::clicked, this, [this] { Refresh(); });
    }

private:
    void ShowOwn() override
    {
        text_->setText(f_.text);
        text_->setEnabled(f_.TextAndPositionEnabled());
        pick_->setEnabled(f_.TextAndPositionEnabled());
        for (QLineEdit* e : findChildren<QLineEdit*>()) // the layout may sit in a widget of its own
            if (e->property("marker").toInt() == 1)
                e->setEnabled(f_.TextAndPositionEnabled());
        const bool enabled[] = {f_.HeightEnabled(), f_.WidthEnabled(), f_.AngleEnabled()};
        const bool ticked[] = {f_.applyHeight, f_.applyWidth, f_.applyAngle};
        for (size_t i = 0; i < 3; ++i) {
            edits_[i]->setEnabled(enabled[i]);
            apply_[i]->setVisible(f_.several);
            apply_[i]->setChecked(ticked[i]);
        }
        mirror_->setTristate(f_.several && f_.mirrored == TextFields::kMirrorDiffers);
        mirror_->setCheckState(f_.mirrored == TextFields::kMirrorDiffers ? Qt::PartiallyChecked
                               : f_.mirrored != 0                       ? Qt::Checked
                                                                        : Qt::Unchecked);
    }
    void ReadOwn() override
    {
        if (!f_.several)
            f_.text = text_->text();
        f_.mirrored = mirror_->checkState() == Qt::PartiallyChecked ? TextFields::kMirrorDiffers
                      : mirror_->checkState() == Qt::Checked        ? 1
                                                                    : 0;
    }
    void PlaceCopy(WorkingCopy& copy) override
    {
        const TextNodePositions p = f_.Nodes();
        (void)copy.Place(0, p.height);
        (void)copy.Place(1, p.base);
        (void)copy.Place(2, p.end);
        if (auto* t = dynamic_cast<CText*>(copy.Element())) {
            t->SetText(f_.text);
            t->SetColour(f_.colour);
            t->SetFont(f_.font);
            t->SetMirrored(f_.mirrored == 1 ? 1 : 0);
        }
        copy.Update(context_.common, 0.0, 0.0);
    }

    TextFields& f_;
    QLineEdit* text_ = nullptr;
    QPushButton* pick_ = nullptr;
    std::array<QLineEdit*, 3> edits_{};
    std::array<QCheckBox*, 3> apply_{};
    QCheckBox* mirror_ = nullptr;
};

ApplyOutcome Outcome(bool changed)
{
    return changed ? ApplyOutcome::Changed : ApplyOutcome::Unchanged;
}

} // namespace

PropertyPage* MakeCuirPage(PropertyValues& values, QWidget* parent)
{
    return new CuirPage(values.cuir, parent);
}

PropertyPage* MakeBobstAsmPage(PropertyValues& values, QWidget* parent)
{
    return new BobstAsmPage(values.bobst, parent);
}

PropertyPage* MakeDimensionPage(PropertyValues& values, QWidget* parent)
{
    return new DimensionPage(values.dimension, parent);
}

PropertyPage* MakeTextPage(PropertyValues& values, QWidget* parent)
{
    return new TextPage(values.text, parent);
}

void FillCuir(PropertyValues& values, CElement& element)
{
    if (auto* cuir = dynamic_cast<CCuir*>(&element))
        values.cuir = CuirFields::From(*cuir, *element.GetNodeTable());
}

bool PickCuir(PropertyValues& values, int code, const PickedPoint& point)
{
    if (code != propend::kPickCuirCentre)
        return false;
    values.cuir.centreX.Set(point.x);
    values.cuir.centreY.Set(point.y);
    return true;
}

ApplyOutcome ApplyCuir(PropertyValues& values, PropertyApply& target)
{
    target.doc.Remembered().cuirRadius = values.cuir.radius; // the next cuir takes it
    return Outcome(values.cuir.Apply(target.section, target.slot));
}

void FillBobstAsm(PropertyValues& values, CElement& element)
{
    if (auto* assembly = dynamic_cast<CBobstAsm*>(&element))
        values.bobst = BobstAsmFields::ForOne(*assembly, *element.GetNodeTable());
}

bool PickBobstAsm(PropertyValues& values, int code, const PickedPoint& point)
{
    if (code != propend::kPickBobstCentre || values.bobst.several)
        return false;
    values.bobst.centreX.Set(point.x);
    values.bobst.centreY.Set(point.y);
    return true;
}

ApplyOutcome ApplyBobstAsm(PropertyValues& values, PropertyApply& target)
{
    return Outcome(values.bobst.Apply(target.section, target.slot));
}

void FillSeveralBobstAsm(PropertyValues& values, const std::vector<CElement*>&)
{
    values.bobst = BobstAsmFields::ForSeveral();
}

bool ApplySeveralBobstAsm(const PropertyValues& values, CElement& copy)
{
    auto* assembly = dynamic_cast<CBobstAsm*>(&copy);
    if (!assembly || !values.bobst.ChangesGroup())
        return false;
    const BobstAsmParams p = values.bobst.ForMember(assembly->GetParams());
    if (p == assembly->GetParams())
        return false;
    assembly->SetParams(p);
    assembly->Recalculate();
    return true;
}

void FillDimension(PropertyValues& values, CElement& element)
{
    if (auto* dimension = dynamic_cast<CMeasure*>(&element))
        values.dimension = DimensionPageFields::From(*dimension, *element.GetNodeTable());
}

bool PickDimension(PropertyValues& values, int code, const PickedPoint& point)
{
    return values.dimension.StorePick(code, point);
}

ApplyOutcome ApplyDimension(PropertyValues& values, PropertyApply& target)
{
    return Outcome(values.dimension.Apply(target.section, target.slot));
}

void FillText(PropertyValues& values, CElement& element)
{
    if (auto* text = dynamic_cast<CText*>(&element))
        values.text = TextFields::ForText(*text, *element.GetNodeTable());
}

bool PickText(PropertyValues& values, int code, const PickedPoint& point)
{
    return values.text.StorePick(code, point);
}

QString ValidateText(const PropertyValues& values)
{
    return values.text.Validate();
}

ApplyOutcome ApplyText(PropertyValues& values, PropertyApply& target)
{
    return Outcome(values.text.Apply(target.section, target.slot, &values.common));
}

void FillSeveralText(PropertyValues& values, const std::vector<CElement*>& elements)
{
    std::vector<const CText*> texts;
    for (CElement* e : elements)
        if (auto* t = dynamic_cast<CText*>(e))
            texts.push_back(t);
    if (!texts.empty())
        values.text = TextFields::ForSeveral(texts, *texts.front()->GetNodeTable());
}

bool ApplySeveralText(const PropertyValues& values, CElement& copy)
{
    auto* text = dynamic_cast<CText*>(&copy);
    return text && values.text.ApplyToMember(*text);
}

} // namespace dlg
