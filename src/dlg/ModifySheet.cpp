#include "dlg/ModifySheet.h"

#include "document/MorvekDoc.h"
#include "options/LanguageTable.h"
#include "platform/CFormat.h"
#include "section/Section.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace dlg {

namespace {

// Language texts of the pages' labels, boxes and buttons.
constexpr int kTextMoveStart = 297;
constexpr int kTextMoveElements = 298;
constexpr int kTextMoveEnd = 299;
constexpr int kTextColumnX = 300;
constexpr int kTextColumnY = 301;
constexpr int kTextMoveDistance = 302;
constexpr int kTextRotatePage = 637;
constexpr int kTextRotateCentre = 291;
constexpr int kTextRotateElements = 292;
constexpr int kTextRotateAngle = 293;
constexpr int kTextRotateGrid = 294;
constexpr int kTextRotateInteractive = 296;
constexpr int kTextCustomPoint = 626;
constexpr int kTextScalePage = 638;
constexpr int kTextScaleOn = 279;
constexpr int kTextFlipElements = 280;
constexpr int kTextFlipOn = 281;
constexpr int kTextScaleCentre = 282;
constexpr int kTextFactors = 283;
constexpr int kTextScaleElements = 284;
constexpr int kTextKeepRatio = 285;
constexpr int kTextAxisPoint = 286;
constexpr int kTextAxisEnd = 287;
// The axis radios in the order of ScalePage's choices from kAxisTwoPoints:
// two points, horizontal axis, vertical axis.
constexpr TextIdRange kTextAxisChoices{627, 3};

double Read(const QLineEdit* edit)
{
    return platform::wtof(edit->text());
}

void Write(QLineEdit* edit, double value)
{
    edit->setText(platform::cformat("%.3f", value));
}

std::vector<QLineEdit*> Edits(int count, QWidget* parent)
{
    std::vector<QLineEdit*> edits;
    for (int i = 0; i < count; ++i)
        edits.push_back(new QLineEdit(parent));
    return edits;
}

// A label and an X and a Y edit in one row of the grid.
void PointRow(QGridLayout* grid, int row, int text, QLineEdit* x, QLineEdit* y)
{
    grid->addWidget(new QLabel(Translate(text)), row, 0);
    grid->addWidget(x, row, 1);
    grid->addWidget(y, row, 2);
}

SectionBorders SelectionBorders(CMorvekDoc& doc)
{
    const Section* section = doc.GetCurrentSection();
    return section ? section->GetSelectedBorders() : SectionBorders{};
}

// The grid radios in their 3 by 3 order, columns left to right.
constexpr int kGrid[3][3] = {{kLeftTop, kCentreTop, kRightTop},
                             {kLeftMiddle, kCentreMiddle, kRightMiddle},
                             {kLeftBottom, kCentreBottom, kRightBottom}};

} // namespace

ModifySheet::ModifySheet(ModifyPages& pages, CMorvekDoc& doc, int page, const QString& caption, QWidget* parent)
    : QDialog(parent), pages_(pages), doc_(doc)
{
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    layout->addWidget(tabs_);
    pages_.move.Show();
    pages_.rotate.Show();
    pages_.scale.Show();
    tabs_->addTab(BuildMovePage(), QStringLiteral("Move"));
    tabs_->addTab(BuildRotatePage(), Translate(kTextRotatePage));
    tabs_->addTab(BuildScalePage(), Translate(kTextScalePage));
    tabs_->setCurrentIndex(page);
    // Each showing of a page shows the document's flag.
    connect(tabs_, &QTabWidget::currentChanged, this, [this] {
        for (QCheckBox* check : elementChecks_)
            check->setChecked(doc_.moveDetached);
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QCheckBox* ModifySheet::ElementsCheck(int text, QWidget* parent)
{
    auto* check = new QCheckBox(Translate(text), parent);
    check->setChecked(doc_.moveDetached);
    // One flag of the document behind every page's box.
    connect(check, &QCheckBox::clicked, this, [this](bool on) {
        doc_.moveDetached = on;
        for (QCheckBox* other : elementChecks_)
            other->setChecked(on);
    });
    elementChecks_.push_back(check);
    return check;
}

QPushButton* ModifySheet::EndButton(int code, QWidget* parent)
{
    // A pick button: the point is then clicked in the drawing.
    auto* button = new QPushButton(QStringLiteral("..."), parent);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, code] { done(code); });
    return button;
}

QButtonGroup* ModifySheet::StaticGrid(QWidget* parent, QGridLayout* grid, int row)
{
    auto* group = new QButtonGroup(parent);
    auto* box = new QGridLayout;
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            auto* radio = new QRadioButton(parent);
            group->addButton(radio, kGrid[r][c]);
            box->addWidget(radio, r, c);
        }
    }
    auto* custom = new QRadioButton(Translate(kTextCustomPoint), parent);
    group->addButton(custom, kCustom);
    box->addWidget(custom, 3, 0, 1, 3);
    grid->addLayout(box, row, 1, 1, 2);
    return group;
}

// --- Move ---------------------------------------------------------------------

QWidget* ModifySheet::BuildMovePage()
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    moveEdits_ = Edits(6, page);
    grid->addWidget(new QLabel(Translate(kTextColumnX)), 0, 1);
    grid->addWidget(new QLabel(Translate(kTextColumnY)), 0, 2);
    PointRow(grid, 1, kTextMoveStart, moveEdits_[0], moveEdits_[1]);
    grid->addWidget(EndButton(kEndMoveStart, page), 1, 3);
    PointRow(grid, 2, kTextMoveEnd, moveEdits_[2], moveEdits_[3]);
    grid->addWidget(EndButton(kEndMoveEnd, page), 2, 3);
    PointRow(grid, 3, kTextMoveDistance, moveEdits_[4], moveEdits_[5]);
    grid->addWidget(ElementsCheck(kTextMoveElements, page), 4, 0, 1, 3);
    grid->setRowStretch(5, 1);
    for (int i = 0; i < 4; ++i) {
        connect(moveEdits_[static_cast<size_t>(i)], &QLineEdit::textEdited, this, [this] {
            pages_.move.SetPoints(Read(moveEdits_[0]), Read(moveEdits_[1]), Read(moveEdits_[2]),
                                  Read(moveEdits_[3]));
            Write(moveEdits_[4], pages_.move.dx);
            Write(moveEdits_[5], pages_.move.dy);
        });
    }
    for (int i = 4; i < 6; ++i) {
        connect(moveEdits_[static_cast<size_t>(i)], &QLineEdit::textEdited, this, [this] {
            pages_.move.SetDistance(Read(moveEdits_[4]), Read(moveEdits_[5]));
            for (int p = 0; p < 4; ++p)
                Write(moveEdits_[static_cast<size_t>(p)], 0.0);
        });
    }
    ShowMove();
    return page;
}

void ModifySheet::ShowMove()
{
    const MovePage& m = pages_.move;
    const double values[6] = {m.startX, m.startY, m.endX, m.endY, m.dx, m.dy};
    for (size_t i = 0; i < 6; ++i)
        Write(moveEdits_[i], values[i]);
}

// --- Rotate -------------------------------------------------------------------

QWidget* ModifySheet::BuildRotatePage()
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    rotateEdits_ = Edits(3, page);
    PointRow(grid, 0, kTextRotateCentre, rotateEdits_[0], rotateEdits_[1]);
    grid->addWidget(EndButton(kEndRotateCentre, page), 0, 3);
    grid->addWidget(new QLabel(Translate(kTextRotateAngle)), 1, 0);
    grid->addWidget(rotateEdits_[2], 1, 1);
    grid->addWidget(new QLabel(Translate(kTextRotateGrid)), 2, 0);
    rotateGrid_ = StaticGrid(page, grid, 2);
    grid->addWidget(ElementsCheck(kTextRotateElements, page), 3, 0, 1, 3);
    auto* interactive = new QPushButton(Translate(kTextRotateInteractive), page);
    interactive->setAutoDefault(false);
    connect(interactive, &QPushButton::clicked, this, [this] {
        (void)doc_.BeginModifyState(kEndRotateInteractive, true); // no state refuses this one
        done(kEndRotateInteractive);
    });
    grid->addWidget(interactive, 4, 0);
    grid->setRowStretch(5, 1);
    connect(rotateGrid_, &QButtonGroup::idClicked, this, [this](int id) {
        pages_.rotate.Choose(id, SelectionBorders(doc_));
        ShowRotate();
    });
    for (int i = 0; i < 2; ++i) {
        connect(rotateEdits_[static_cast<size_t>(i)], &QLineEdit::textEdited, this, [this] {
            pages_.rotate.SetCentre(Read(rotateEdits_[0]), Read(rotateEdits_[1]));
            rotateGrid_->button(kCustom)->setChecked(true);
        });
    }
    connect(rotateEdits_[2], &QLineEdit::textEdited, this, [this] { pages_.rotate.angle = Read(rotateEdits_[2]); });
    ShowRotate();
    return page;
}

void ModifySheet::ShowRotate()
{
    const RotatePage& r = pages_.rotate;
    Write(rotateEdits_[0], r.centreX);
    Write(rotateEdits_[1], r.centreY);
    Write(rotateEdits_[2], r.angle);
    if (QAbstractButton* radio = rotateGrid_->button(r.choice))
        radio->setChecked(true);
}

// --- Scale/Mirror -------------------------------------------------------------

QWidget* ModifySheet::BuildScalePage()
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    scaleEdits_ = Edits(8, page);
    scaleGroup_ = new QCheckBox(Translate(kTextScaleOn), page);
    grid->addWidget(scaleGroup_, 0, 0, 1, 3);
    PointRow(grid, 1, kTextScaleCentre, scaleEdits_[0], scaleEdits_[1]);
    grid->addWidget(EndButton(kEndScaleCentre, page), 1, 3);
    scaleGrid_ = StaticGrid(page, grid, 2);
    PointRow(grid, 3, kTextFactors, scaleEdits_[2], scaleEdits_[3]);
    keepRatio_ = new QCheckBox(Translate(kTextKeepRatio), page);
    grid->addWidget(keepRatio_, 4, 1, 1, 2);
    grid->addWidget(ElementsCheck(kTextScaleElements, page), 5, 0, 1, 3);
    flipGroup_ = new QCheckBox(Translate(kTextFlipOn), page);
    grid->addWidget(flipGroup_, 6, 0, 1, 3);
    PointRow(grid, 7, kTextAxisPoint, scaleEdits_[4], scaleEdits_[5]);
    grid->addWidget(EndButton(kEndFlipAxis, page), 7, 3);
    PointRow(grid, 8, kTextAxisEnd, scaleEdits_[6], scaleEdits_[7]);
    axisEndButton_ = EndButton(kEndFlipAxisEnd, page);
    grid->addWidget(axisEndButton_, 8, 3);
    axisGroup_ = new QButtonGroup(page);
    auto* axes = new QHBoxLayout;
    for (int id : {ScalePage::kAxisTwoPoints, ScalePage::kAxisHorizontal, ScalePage::kAxisVertical}) {
        auto* radio = new QRadioButton(Translate(kTextAxisChoices.At(id - ScalePage::kAxisTwoPoints)), page);
        axisGroup_->addButton(radio, id);
        axes->addWidget(radio);
    }
    grid->addLayout(axes, 9, 0, 1, 4);
    grid->addWidget(ElementsCheck(kTextFlipElements, page), 10, 0, 1, 3);

    connect(scaleGroup_, &QCheckBox::clicked, this, [this](bool on) { pages_.scale.scaleOn = on; });
    connect(flipGroup_, &QCheckBox::clicked, this, [this](bool on) { pages_.scale.flipOn = on; });
    connect(scaleGrid_, &QButtonGroup::idClicked, this, [this](int id) {
        pages_.scale.Choose(id, SelectionBorders(doc_));
        ShowScale();
    });
    for (int i = 0; i < 2; ++i) {
        connect(scaleEdits_[static_cast<size_t>(i)], &QLineEdit::textEdited, this, [this] {
            pages_.scale.SetStatic(Read(scaleEdits_[0]), Read(scaleEdits_[1]));
            scaleGrid_->button(kCustom)->setChecked(true);
        });
    }
    connect(scaleEdits_[2], &QLineEdit::textEdited, this, [this](const QString& text) {
        pages_.scale.SetFx(platform::wtof(text));
        if (pages_.scale.keepRatio)
            scaleEdits_[3]->setText(text);
    });
    connect(scaleEdits_[3], &QLineEdit::textEdited, this, [this] { pages_.scale.fy = Read(scaleEdits_[3]); });
    connect(keepRatio_, &QCheckBox::clicked, this, [this](bool on) {
        pages_.scale.SetKeepRatio(on);
        scaleEdits_[3]->setReadOnly(on);
        if (on)
            scaleEdits_[3]->setText(scaleEdits_[2]->text());
    });
    for (int i = 4; i < 8; ++i) {
        connect(scaleEdits_[static_cast<size_t>(i)], &QLineEdit::textEdited, this, [this] {
            ScalePage& p = pages_.scale;
            p.axisX1 = Read(scaleEdits_[4]);
            p.axisY1 = Read(scaleEdits_[5]);
            p.axisX2 = Read(scaleEdits_[6]);
            p.axisY2 = Read(scaleEdits_[7]);
        });
    }
    connect(axisGroup_, &QButtonGroup::idClicked, this, [this](int id) {
        pages_.scale.ChooseAxis(id);
        ApplyAxisRules();
    });
    ShowScale();
    return page;
}

void ModifySheet::ShowScale()
{
    const ScalePage& s = pages_.scale;
    const double values[8] = {s.staticX, s.staticY, s.fx, s.fy, s.axisX1, s.axisY1, s.axisX2, s.axisY2};
    for (size_t i = 0; i < 8; ++i)
        Write(scaleEdits_[i], values[i]);
    scaleGroup_->setChecked(s.scaleOn);
    flipGroup_->setChecked(s.flipOn);
    keepRatio_->setChecked(s.keepRatio);
    scaleEdits_[3]->setReadOnly(s.keepRatio);
    if (QAbstractButton* radio = scaleGrid_->button(s.choice))
        radio->setChecked(true);
    if (QAbstractButton* radio = axisGroup_->button(s.axisChoice))
        radio->setChecked(true);
    ApplyAxisRules();
}

void ModifySheet::ApplyAxisRules()
{
    const bool second = pages_.scale.SecondPointUsed();
    scaleEdits_[6]->setReadOnly(!second);
    scaleEdits_[7]->setReadOnly(!second);
    axisEndButton_->setEnabled(second);
}

} // namespace dlg
