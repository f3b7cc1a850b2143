#include "dlg/WoodDlg.h"

#include "display/DrawContext.h"
#include "dlg/NumberFields.h"
#include "document/MorvekDoc.h"
#include "element/Wood.h"
#include "gui/QtDevice.h"
#include "options/LanguageTable.h"
#include "options/Options.h"
#include "platform/CFormat.h"
#include "platform/Prompt.h"
#include "section/Section.h"
#include "section/SectionBoardLayout.h"
#include "section/SectionExplosion.h"
#include "section/UndoTransaction.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace dlg {

namespace {

constexpr int kBoardLineType = 122; // "wood_frame"
// The spacing of the outline's gaps in the preview (the board itself gets
// the section's own).
constexpr double kPreviewGapSpacing = 300.0;
// The labels of the five knife values, and of the side rows: the list
// shows left, right, top, bottom, which are the run's first, third, second
// and fourth text.
constexpr TextIdRange kTextKnifeValues{514, 5};
constexpr TextIdRange kTextSideRows{805, 4};
constexpr std::array<int, DieBoardForm::kRows> kSideRowText{0, 2, 1, 3};
constexpr int kSides[4] = {WoodValues::SideLeft, WoodValues::SideRight, WoodValues::SideTop, WoodValues::SideBottom};

QString Fixed(const char* format, double value)
{
    return platform::cformat(format, value);
}

} // namespace

// The working copy of the board, fitted into the widget on the options'
// background.
class BoardPreview : public QWidget {
public:
    BoardPreview(CWood& board, const COptions* options, QWidget* parent)
        : QWidget(parent), board_(board), options_(options)
    {
        setObjectName(QStringLiteral("WoodPreview"));
        setMinimumSize(320, 320);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        const double ratio = devicePixelRatioF();
        gui::QtDevice buffer(width(), height(), ratio);
        // The hatch of the layout area shows the background between its
        // strokes.
        (void)buffer.setBkMode(platform::BackgroundMode::Transparent);
        if (options_) {
            (void)options_->PaintBackground(&buffer, 0, 0, width(), height());
            options_->SelectLineTypePen(buffer, kBoardLineType);
        }
        DrawContext dc(&buffer, CInstance(true), false, false, {0, 0});
        (void)board_.DrawFitted(dc, {0, 0, width(), height()}); // 0: a board without extent shows nothing
        gui::QtDevice target(this);
        target.bitBlt(0, 0, width(), height(), buffer, 0, 0);
    }

private:
    CWood& board_;
    const COptions* options_;
};

CWoodDlg::CWoodDlg(CMorvekDoc& doc, Section& layer, CWood* board, DieBoardMemory& memory, QWidget* parent)
    : QDialog(parent), doc_(doc), layer_(layer), board_(board), memory_(memory)
{
    setObjectName(QStringLiteral("WoodDlg"));
    setWindowTitle(Translate(kTextCaption));

    // The working copy only feeds the preview.
    copy_ = board ? std::make_unique<CWood>(*board)
                  : std::make_unique<CWood>(layer.GetNodeTable(), layer.GetOptions(), 0, &layer.GetBoardLayout());
    copy_->SetPreview(true);
    copy_->SetDimensionPreview(true);
    const COptions* options = layer.GetOptions();
    copy_->SetPreviewColour(static_cast<platform::ColorRef>((options ? options->GetBackgroundColour() : 0) ^ 0x00FFFFFF));
    copy_->SetHighlightedDimension(0);
    // The layout the board frames: its box over every placement.
    const WoodBox client = copy_->GetElementsBorders();
    form_.Open(memory, board ? &board->Values() : nullptr, copy_->Values(), client.maxX - client.minX,
               client.maxY - client.minY);

    // --- the layout, the distances and the size -------------------------------------
    clientWidth_ = NumberEdit(QStringLiteral("ClientWidth"));
    clientHeight_ = NumberEdit(QStringLiteral("ClientHeight"));
    clientWidth_->setReadOnly(true);
    clientHeight_->setReadOnly(true);
    auto* clientLayout = new QGridLayout;
    clientLayout->addWidget(new QLabel(Translate(kTextClientWidth), this), 0, 0);
    clientLayout->addWidget(clientWidth_, 0, 1);
    clientLayout->addWidget(new QLabel(Translate(kTextClientHeight), this), 1, 0);
    clientLayout->addWidget(clientHeight_, 1, 1);

    auto* distanceGroup = new QGroupBox(Translate(kTextDistanceGroup), this);
    auto* distanceLayout = new QGridLayout(distanceGroup);
    const int distanceTexts[4] = {kTextLeft, kTextRight, kTextTop, kTextBottom};
    const char* distanceNames[4] = {"Left", "Right", "Top", "Bottom"};
    for (int side = 0; side < 4; ++side) {
        auto* edit = NumberEdit(QString::fromLatin1(distanceNames[side]));
        distances_[static_cast<std::size_t>(side)] = edit;
        distanceLayout->addWidget(new QLabel(Translate(distanceTexts[side]), distanceGroup), side / 2, (side % 2) * 2);
        distanceLayout->addWidget(edit, side / 2, (side % 2) * 2 + 1);
        connect(edit, &QLineEdit::textEdited, this, [this, side, edit] {
            double value = 0.0;
            if (!ReadNumber(edit, value))
                return;
            form_.EditDistance(kSides[side], value);
            centreH_->setChecked(form_.centreHorizontally);
            centreV_->setChecked(form_.centreVertically);
            ShowSize();
            RefreshPreview();
        });
    }

    auto* sizeGroup = new QGroupBox(Translate(kTextSizeGroup), this);
    auto* sizeLayout = new QGridLayout(sizeGroup);
    width_ = NumberEdit(QStringLiteral("Width"));
    height_ = NumberEdit(QStringLiteral("Height"));
    centreH_ = new QCheckBox(Translate(kTextCentreHorizontally), sizeGroup);
    centreH_->setObjectName(QStringLiteral("CentreHorizontally"));
    centreV_ = new QCheckBox(Translate(kTextCentreVertically), sizeGroup);
    centreV_->setObjectName(QStringLiteral("CentreVertically"));
    sizeLayout->addWidget(new QLabel(Translate(kTextWidth), sizeGroup), 0, 0);
    sizeLayout->addWidget(width_, 0, 1);
    sizeLayout->addWidget(centreH_, 0, 2);
    sizeLayout->addWidget(new QLabel(Translate(kTextHeight), sizeGroup), 1, 0);
    sizeLayout->addWidget(height_, 1, 1);
    sizeLayout->addWidget(centreV_, 1, 2);
    const auto sizeEdited = [this] {
        double w = form_.width;
        double h = form_.height;
        const bool readable = ReadNumber(width_, w) && ReadNumber(height_, h);
        form_.centreHorizontally = centreH_->isChecked();
        form_.centreVertically = centreV_->isChecked();
        if (!readable)
            return;
        form_.EditSize(w, h);
        if (w < 0.0)
            width_->setText(QStringLiteral("0"));
        if (h < 0.0)
            height_->setText(QStringLiteral("0"));
        ShowDistances();
        ShowRadius();
        RefreshPreview();
    };
    connect(width_, &QLineEdit::textEdited, this, sizeEdited);
    connect(height_, &QLineEdit::textEdited, this, sizeEdited);
    connect(centreH_, &QCheckBox::clicked, this, sizeEdited);
    connect(centreV_, &QCheckBox::clicked, this, sizeEdited);

    // --- the corners, the centre line, the lock ---------------------------------------------
    fillet_ = new QCheckBox(Translate(kTextFillet), this);
    fillet_->setObjectName(QStringLiteral("Fillet"));
    radius_ = NumberEdit(QStringLiteral("Radius"));
    auto* filletLayout = new QHBoxLayout;
    filletLayout->addWidget(fillet_);
    filletLayout->addWidget(new QLabel(Translate(kTextRadius), this));
    filletLayout->addWidget(radius_);
    connect(fillet_, &QCheckBox::clicked, this, [this](bool on) {
        double typed = form_.radius;
        if (ReadNumber(radius_, typed))
            form_.radius = typed;
        form_.SetFillet(on);
        radius_->setEnabled(on);
        ShowRadius();
        RefreshPreview();
    });
    connect(radius_, &QLineEdit::textEdited, this, [this] {
        double typed = 0.0;
        if (!ReadNumber(radius_, typed))
            return;
        form_.radius = typed;
        form_.ClampRadius(true);
        if (form_.radius != typed)
            ShowRadius();
        RefreshPreview();
    });
    connect(radius_, &QLineEdit::editingFinished, this, [this] { form_.RememberRadius(); });

    auto* centreGroup = new QGroupBox(Translate(kTextCentreLine), this);
    auto* centreLayout = new QGridLayout(centreGroup);
    auto* centreRadios = new QButtonGroup(this);
    // A compass: the radio of each edge where that edge is.
    const int cells[4][2] = {{1, 0}, {0, 1}, {1, 2}, {2, 1}}; // left, top, right, bottom
    for (int p = 0; p < 4; ++p) {
        auto* radio = new QRadioButton(centreGroup);
        radio->setObjectName(QStringLiteral("CentreLine%1").arg(p + 1));
        centreLine_[static_cast<std::size_t>(p)] = radio;
        centreRadios->addButton(radio, p + 1);
        centreLayout->addWidget(radio, cells[p][0], cells[p][1], Qt::AlignCenter);
    }
    notchWidth_ = NumberEdit(QStringLiteral("NotchWidth"));
    notchDepth_ = NumberEdit(QStringLiteral("NotchDepth"));
    centreLayout->addWidget(new QLabel(Translate(kTextNotchWidth), centreGroup), 0, 3);
    centreLayout->addWidget(notchWidth_, 0, 4);
    centreLayout->addWidget(new QLabel(Translate(kTextNotchDepth), centreGroup), 1, 3);
    centreLayout->addWidget(notchDepth_, 1, 4);
    connect(centreRadios, &QButtonGroup::idClicked, this, [this](int position) {
        form_.TurnCentreLine(position);
        ShowDistances();
        ShowSize();
        RefreshPreview();
    });

    lock_ = new QCheckBox(Translate(kTextLock), this);
    lock_->setObjectName(QStringLiteral("Lock"));
    connect(lock_, &QCheckBox::clicked, this, [this](bool on) {
        (void)ReadFields(false);
        form_.SetLock(on, copy_->GetElementsBorders());
        ShowSize();
        FollowLock();
        RefreshPreview();
    });

    // --- the tabs ---------------------------------------------------------------------------
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("Tabs"));

    auto* knivesPage = new QWidget(tabs_);
    auto* knivesLayout = new QGridLayout(knivesPage);
    knivesOn_ = new QCheckBox(Translate(kTextKnivesOn), knivesPage);
    knivesOn_->setObjectName(QStringLiteral("KnivesOn"));
    knivesLayout->addWidget(knivesOn_, 0, 0, 1, 2);
    for (int i = 0; i < 5; ++i) {
        auto* edit = NumberEdit(QStringLiteral("Knife%1").arg(i + 1));
        knives_[static_cast<std::size_t>(i)] = edit;
        knivesLayout->addWidget(new QLabel(Translate(kTextKnifeValues.At(i)), knivesPage), i + 1, 0);
        knivesLayout->addWidget(edit, i + 1, 1);
        connect(edit, &QLineEdit::textEdited, this, [this] { RefreshPreview(); });
    }
    knivesLayout->setRowStretch(6, 1);
    connect(knivesOn_, &QCheckBox::clicked, this, [this](bool on) {
        for (QLineEdit* edit : knives_)
            edit->setEnabled(on);
        RefreshPreview();
    });
    tabs_->addTab(knivesPage, Translate(kTextKnivesTab));

    auto* sidesPage = new QWidget(tabs_);
    auto* sidesLayout = new QGridLayout(sidesPage);
    sideList_ = new QTreeWidget(sidesPage);
    sideList_->setObjectName(QStringLiteral("SideList"));
    sideList_->setColumnCount(1);
    sideList_->setHeaderLabels({Translate(kTextSideColumn)});
    sideList_->setRootIsDecorated(false);
    for (int row = 0; row < DieBoardForm::kRows; ++row) {
        auto* item = new QTreeWidgetItem(sideList_, {Translate(kTextSideRows.At(kSideRowText[static_cast<std::size_t>(row)]))});
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, form_.sides[static_cast<std::size_t>(row)].on ? Qt::Checked : Qt::Unchecked);
    }
    d0_ = new QLineEdit(sidesPage);
    d0_->setObjectName(QStringLiteral("D0"));
    deltaD_ = new QLineEdit(sidesPage);
    deltaD_->setObjectName(QStringLiteral("DeltaD"));
    l_ = new QLineEdit(sidesPage);
    l_->setObjectName(QStringLiteral("L"));
    kind_ = new QComboBox(sidesPage);
    kind_->setObjectName(QStringLiteral("Kind"));
    kind_->addItems({QStringLiteral(" T "), QStringLiteral(" L ")});
    option_ = new QCheckBox(Translate(kTextSideOption), sidesPage);
    option_->setObjectName(QStringLiteral("SideOption"));
    symmetric_ = new QCheckBox(QStringLiteral("Symetric"), sidesPage);
    symmetric_->setObjectName(QStringLiteral("Symmetric"));
    symmetric_->setChecked(form_.symmetric);
    sidesLayout->addWidget(sideList_, 0, 0, 6, 1);
    sidesLayout->addWidget(new QLabel(QStringLiteral(" D0"), sidesPage), 0, 1);
    sidesLayout->addWidget(d0_, 0, 2);
    sidesLayout->addWidget(new QLabel(QStringLiteral("deltaD"), sidesPage), 1, 1);
    sidesLayout->addWidget(deltaD_, 1, 2);
    sidesLayout->addWidget(new QLabel(QStringLiteral(" L"), sidesPage), 2, 1);
    sidesLayout->addWidget(l_, 2, 2);
    sidesLayout->addWidget(kind_, 3, 1, 1, 2);
    sidesLayout->addWidget(option_, 4, 1, 1, 2);
    sidesLayout->addWidget(symmetric_, 5, 1, 1, 2);
    for (QLineEdit* edit : {d0_, deltaD_, l_})
        connect(edit, &QLineEdit::textEdited, this, [this] {
            StoreRow();
            RefreshPreview();
        });
    connect(kind_, &QComboBox::activated, this, [this] {
        StoreRow();
        RefreshPreview();
    });
    connect(option_, &QCheckBox::clicked, this, [this] {
        StoreRow();
        RefreshPreview();
    });
    connect(sideList_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* now, QTreeWidgetItem*) {
        StoreRow();
        row_ = std::max(sideList_->indexOfTopLevelItem(now), 0);
        ShowRow(row_);
    });
    connect(sideList_, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int) {
        const int row = sideList_->indexOfTopLevelItem(item);
        if (row < 0)
            return;
        form_.CheckRow(row, item->checkState(0) == Qt::Checked);
        ShowRow(row_);
        RefreshPreview();
    });
    connect(symmetric_, &QCheckBox::clicked, this, [this](bool on) {
        StoreRow();
        form_.SetSymmetric(on);
        ShowRow(row_);
        RefreshPreview();
    });
    tabs_->addTab(sidesPage, Translate(kTextSidesTab));

    auto* textPage = new QWidget(tabs_);
    auto* textLayout = new QGridLayout(textPage);
    text_ = new QLineEdit(textPage);
    text_->setObjectName(QStringLiteral("BoardText"));
    textSize_ = new QLineEdit(textPage);
    textSize_->setObjectName(QStringLiteral("TextSize"));
    textHeight_ = new QLineEdit(textPage);
    textHeight_->setObjectName(QStringLiteral("TextHeight"));
    textDistance_ = new QLineEdit(textPage);
    textDistance_->setObjectName(QStringLiteral("TextDistance"));
    // The eight places clockwise round a small frame, from the top left.
    auto* places = new QGridLayout;
    places->setContentsMargins(0, 0, 16, 0);
    const int placeCells[8][2] = {{0, 1}, {0, 2}, {1, 3}, {2, 3}, {3, 2}, {3, 1}, {2, 0}, {1, 0}};
    for (int p = 0; p < 8; ++p) {
        auto* box = new QCheckBox(textPage);
        box->setObjectName(QStringLiteral("TextPosition%1").arg(p));
        positions_[static_cast<std::size_t>(p)] = box;
        places->addWidget(box, placeCells[p][0], placeCells[p][1], Qt::AlignCenter);
    }
    auto* frame = new QFrame(textPage);
    frame->setFrameShape(QFrame::Box);
    frame->setMinimumSize(60, 40);
    places->addWidget(frame, 1, 1, 2, 2);
    textLayout->addLayout(places, 0, 0, 4, 1);
    textLayout->addWidget(new QLabel(Translate(kTextBoardText), textPage), 0, 1);
    textLayout->addWidget(text_, 0, 2);
    textLayout->addWidget(new QLabel(Translate(kTextTextSize), textPage), 1, 1);
    textLayout->addWidget(textSize_, 1, 2);
    textLayout->addWidget(new QLabel(Translate(kTextTextHeight), textPage), 2, 1);
    textLayout->addWidget(textHeight_, 2, 2);
    textLayout->addWidget(new QLabel(Translate(kTextTextDistance), textPage), 3, 1);
    textLayout->addWidget(textDistance_, 3, 2);
    tabs_->addTab(textPage, Translate(kTextTextTab));

    // --- buttons and the whole --------------------------------------------------------------
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(Translate(kTextOk), QDialogButtonBox::AcceptRole)->setObjectName(QStringLiteral("Ok"));
    QPushButton* split = buttons->addButton(Translate(kTextSplit), QDialogButtonBox::ActionRole);
    split->setObjectName(QStringLiteral("Split"));
    QPushButton* remove = buttons->addButton(Translate(kTextDeleteBoard), QDialogButtonBox::ActionRole);
    remove->setObjectName(QStringLiteral("DeleteBoard"));
    buttons->addButton(Translate(kTextCancel), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(split, &QPushButton::clicked, this, &CWoodDlg::Split);
    connect(remove, &QPushButton::clicked, this, &CWoodDlg::DeleteBoard);

    // Two columns of fields beside the preview, the tabs below them.
    auto* sizes = new QVBoxLayout;
    sizes->addLayout(clientLayout);
    sizes->addWidget(distanceGroup);
    sizes->addWidget(sizeGroup);
    auto* edges = new QVBoxLayout;
    edges->addLayout(filletLayout);
    edges->addWidget(centreGroup);
    edges->addWidget(lock_);
    edges->addStretch(1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(sizes);
    columns->addLayout(edges);
    auto* fields = new QVBoxLayout;
    fields->addLayout(columns);
    fields->addWidget(tabs_);
    preview_ = new BoardPreview(*copy_, options, this);
    auto* body = new QHBoxLayout;
    body->addWidget(preview_, 1);
    body->addLayout(fields);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(buttons);

    // The knife value being edited is drawn in the selection colour.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        int number = -1;
        for (std::size_t i = 0; i < knives_.size(); ++i)
            if (now == knives_[i])
                number = static_cast<int>(i) + 1;
        if (copy_->GetHighlightedDimension() != number) {
            copy_->SetHighlightedDimension(number);
            preview_->update();
        }
    });

    // --- the values of the opening ----------------------------------------------------------
    clientWidth_->setText(Fixed("%.2f", form_.clientWidth));
    clientHeight_->setText(Fixed("%.2f", form_.clientHeight));
    ShowDistances();
    ShowSize();
    centreH_->setChecked(form_.centreHorizontally);
    centreV_->setChecked(form_.centreVertically);
    fillet_->setChecked(form_.fillet);
    radius_->setEnabled(form_.fillet);
    ShowRadius();
    if (form_.centreLine >= 1 && form_.centreLine <= 4)
        centreLine_[static_cast<std::size_t>(form_.centreLine - 1)]->setChecked(true);
    notchWidth_->setText(Fixed("%.2f", form_.notchWidth));
    notchDepth_->setText(Fixed("%.2f", form_.notchDepth));
    lock_->setChecked(form_.lock);
    FollowLock();
    knivesOn_->setChecked(form_.knivesOn);
    for (std::size_t i = 0; i < knives_.size(); ++i) {
        knives_[i]->setText(DieBoardForm::Trimmed(form_.knives[i]));
        knives_[i]->setEnabled(form_.knivesOn);
    }
    text_->setText(form_.text.text);
    for (std::size_t p = 0; p < positions_.size(); ++p)
        positions_[p]->setChecked(form_.text.positions[p]);
    textSize_->setText(platform::cformat("%i", form_.text.height));
    textHeight_->setText(Fixed("%.3f", form_.text.band));
    textDistance_->setText(Fixed("%.3f", form_.text.offset));
    {
        // The first row's record is shown, not overwritten by the empty
        // fields.
        const QSignalBlocker quiet(sideList_);
        sideList_->setCurrentItem(sideList_->topLevelItem(0));
    }
    ShowRow(0);
    RefreshPreview();
}

CWoodDlg::~CWoodDlg()
{
    // The working copy goes before the widgets: focus changes while they
    // go must not reach it.
    disconnect(qApp, nullptr, this, nullptr);
}

QLineEdit* CWoodDlg::NumberEdit(const QString& name)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    MakeDoubleField(edit);
    return edit;
}

bool CWoodDlg::ReadFields(bool complain)
{
    bool ok = true;
    const auto read = [&](QLineEdit* edit, double& value) {
        if (!edit->isEnabled() && edit != width_ && edit != height_)
            return; // a disabled field keeps the form's value
        double v = 0.0;
        if (ReadNumber(edit, v)) {
            value = v;
        } else if (ok) {
            ok = false;
            if (complain) {
                edit->setFocus();
                (void)platform::ask(Translate(kTextNotANumber), QString(), platform::PromptButtons::Ok,
                                    platform::PromptIcon::Warning); // Ok only
            }
        }
    };
    for (std::size_t side = 0; side < distances_.size(); ++side)
        read(distances_[side], form_.distances[static_cast<std::size_t>(kSides[side])]);
    read(width_, form_.width);
    read(height_, form_.height);
    read(radius_, form_.radius);
    read(notchWidth_, form_.notchWidth);
    read(notchDepth_, form_.notchDepth);
    for (std::size_t i = 0; i < knives_.size(); ++i)
        read(knives_[i], form_.knives[i]);
    form_.centreHorizontally = centreH_->isChecked();
    form_.centreVertically = centreV_->isChecked();
    form_.fillet = fillet_->isChecked();
    form_.lock = lock_->isChecked();
    form_.knivesOn = knivesOn_->isChecked();
    // The text tab's numbers read without complaint (unreadable: 0).
    form_.text.text = text_->text();
    for (std::size_t p = 0; p < positions_.size(); ++p)
        form_.text.positions[p] = positions_[p]->isChecked();
    form_.text.height = platform::wtoi(textSize_->text());
    form_.text.band = DieBoardForm::Loose(textHeight_->text());
    form_.text.offset = DieBoardForm::Loose(textDistance_->text());
    return ok;
}

void CWoodDlg::ShowDistances()
{
    for (std::size_t side = 0; side < distances_.size(); ++side)
        distances_[side]->setText(DieBoardForm::Trimmed(form_.distances[static_cast<std::size_t>(kSides[side])]));
}

void CWoodDlg::ShowSize()
{
    width_->setText(DieBoardForm::Trimmed(form_.width));
    height_->setText(DieBoardForm::Trimmed(form_.height));
}

void CWoodDlg::ShowRadius()
{
    radius_->setText(DieBoardForm::Trimmed(form_.radius));
}

void CWoodDlg::ShowRow(int row)
{
    const WoodSideRecord& r = form_.ShownRow(row);
    d0_->setText(Fixed("%.3f", r.start));
    deltaD_->setText(Fixed("%.3f", r.step));
    l_->setText(Fixed("%.3f", r.offset));
    kind_->setCurrentIndex(r.oneSidedTick ? 1 : 0);
    option_->setChecked(r.centred);
    // The check marks follow the records (a symmetric partner's too).
    const QSignalBlocker quiet(sideList_);
    for (int i = 0; i < DieBoardForm::kRows; ++i)
        sideList_->topLevelItem(i)->setCheckState(
            0, form_.sides[static_cast<std::size_t>(i)].on ? Qt::Checked : Qt::Unchecked);
}

void CWoodDlg::StoreRow()
{
    form_.StoreRow(row_, d0_->text(), deltaD_->text(), l_->text(), kind_->currentIndex() == 1 ? 1 : 0,
                   option_->isChecked());
}

void CWoodDlg::FollowLock()
{
    const bool on = form_.SizeFieldsEnabled();
    for (QLineEdit* edit : distances_)
        edit->setEnabled(on);
    width_->setEnabled(on);
    height_->setEnabled(on);
    centreH_->setEnabled(on);
    centreV_->setEnabled(on);
}

void CWoodDlg::RefreshPreview()
{
    (void)ReadFields(false); // a field without a number keeps its last value
    WoodValues& v = copy_->Values();
    form_.WriteInto(v);
    v.gapSpacing = kPreviewGapSpacing;
    copy_->Recalculate();
    preview_->update();
}

bool CWoodDlg::Apply()
{
    if (!ReadFields(true))
        return false;
    StoreRow();
    UndoTransaction step(doc_.Undo(), kTextUndoBoard, &layer_);
    const ElementIterator made = layer_.AddWood(form_.distances[WoodValues::SideLeft],
                                                form_.distances[WoodValues::SideTop],
                                                form_.distances[WoodValues::SideRight],
                                                form_.distances[WoodValues::SideBottom], form_.BoardFillet());
    auto* board = dynamic_cast<CWood*>(made.Get());
    if (!board)
        return false; // rolled back
    form_.WriteInto(board->Values());
    board->Recalculate();
    appliedSlot_ = made.GetIndex();
    step.commit(); // marks the drawing modified
    return true;
}

void CWoodDlg::accept()
{
    if (!Apply())
        return;
    QDialog::accept();
}

void CWoodDlg::Split()
{
    if (!Apply())
        return;
    QDialog::accept();
    CElement* board = layer_.GetElement(appliedSlot_);
    if (!board)
        return;
    UndoTransaction step(doc_.Undo(), kTextSplit, &layer_);
    SectionExplosion target(layer_);
    board->SplitUp(target); // the board is gone afterwards
    step.commit();
}

void CWoodDlg::DeleteBoard()
{
    UndoTransaction step(doc_.Undo(), kTextUndoBoard, &layer_);
    if (!layer_.DelWood())
        return; // no board: the dialog stays, the empty step goes
    step.commit();
    done(kDeleted);
}

void CWoodDlg::done(int result)
{
    // What the dialog holds now is what a layer without a board opens with
    // next time, whatever the button.
    (void)ReadFields(false);
    StoreRow();
    memory_ = form_.Memory();
    QDialog::done(result);
}

int EditDieBoard(QWidget* parent, CMorvekDoc& doc, DieBoardMemory& memory)
{
    Section* layer = doc.GetCurrentSection();
    if (!layer)
        return QDialog::Rejected;
    CWood* board = nullptr;
    for (CElement* e : *layer) {
        if (e->IsDieBoard()) {
            board = dynamic_cast<CWood*>(e);
            break;
        }
    }
    CWoodDlg dialog(doc, *layer, board, memory, parent);
    return dialog.exec();
}

} // namespace dlg
