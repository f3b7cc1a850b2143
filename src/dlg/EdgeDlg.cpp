#include "dlg/EdgeDlg.h"

#include "dlg/NumberFields.h"
#include "linetype/LinetypeTable.h"
#include "options/LanguageTable.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include <map>

namespace dlg {

namespace {

// Line types that are not display line types.
constexpr int kNoDisplayTypes = 4;

QComboBox* LineTypeCombo(const LinetypeTable& linetypes, QWidget* parent, const QString& name)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    std::map<int, QString> names;
    linetypes.ListNames(names, kNoDisplayTypes);
    for (const auto& [number, text] : names)
        combo->addItem(text, number);
    return combo;
}

} // namespace

CEdgeDlg::CEdgeDlg(EdgeChoices& choices, const LinetypeTable& linetypes, int currentLineType, bool restricted,
                   QWidget* parent)
    : QDialog(parent), choices_(choices)
{
    setObjectName(QStringLiteral("EdgeDlg"));
    setWindowTitle(Translate(kTextTitle));

    auto* sourceGroup = new QGroupBox(Translate(kTextSourceGroup), this);
    all_ = new QRadioButton(Translate(kTextAllLineTypes), sourceGroup);
    all_->setObjectName(QStringLiteral("Radio1346"));
    one_ = new QRadioButton(Translate(kTextOneLineType), sourceGroup);
    one_->setObjectName(QStringLiteral("Radio1347"));
    source_ = LineTypeCombo(linetypes, sourceGroup, QStringLiteral("Combo1348"));
    auto* sourceLayout = new QGridLayout(sourceGroup);
    sourceLayout->addWidget(all_, 0, 0, 1, 2);
    sourceLayout->addWidget(one_, 1, 0);
    sourceLayout->addWidget(source_, 1, 1);

    auto* sideGroup = new QGroupBox(Translate(kTextSideGroup), this);
    negative_ = new QRadioButton(Translate(kTextNegativeSide), sideGroup);
    negative_->setObjectName(QStringLiteral("Radio1350"));
    positive_ = new QRadioButton(Translate(kTextPositiveSide), sideGroup);
    positive_->setObjectName(QStringLiteral("Radio1351"));
    distance_ = new QLineEdit(sideGroup);
    distance_->setObjectName(QStringLiteral("Edit1353"));
    MakeDoubleField(distance_);
    auto* sideLayout = new QGridLayout(sideGroup);
    sideLayout->addWidget(negative_, 0, 0, 1, 2);
    sideLayout->addWidget(positive_, 1, 0, 1, 2);
    auto* distanceLabel = new QLabel(Translate(kTextDistance), sideGroup);
    distanceLabel->setObjectName(QStringLiteral("Static1352"));
    sideLayout->addWidget(distanceLabel, 2, 0);
    sideLayout->addWidget(distance_, 2, 1);
    // The two pairs of radios are groups of their own.
    auto* sourceRadios = new QButtonGroup(this);
    sourceRadios->addButton(all_);
    sourceRadios->addButton(one_);
    auto* sideRadios = new QButtonGroup(this);
    sideRadios->addButton(negative_);
    sideRadios->addButton(positive_);

    fillet_ = new QCheckBox(Translate(kTextFillet), this);
    fillet_->setObjectName(QStringLiteral("Check1396"));
    radius_ = new QLineEdit(this);
    radius_->setObjectName(QStringLiteral("Edit1395"));
    MakeDoubleField(radius_);
    auto* outlineLabel = new QLabel(Translate(kTextOutlineLineType), this);
    outlineLabel->setObjectName(QStringLiteral("Static1354"));
    outline_ = LineTypeCombo(linetypes, this, QStringLiteral("Combo1355"));
    crossings_ = new QCheckBox(Translate(kTextResolveCrossings), this);
    crossings_->setObjectName(QStringLiteral("Check1421"));
    placements_ = new QCheckBox(Translate(kTextEveryPlacement), this);
    placements_->setObjectName(QStringLiteral("Check1436"));

    auto* form = new QGridLayout;
    form->addWidget(fillet_, 0, 0);
    form->addWidget(radius_, 0, 1);
    form->addWidget(outlineLabel, 1, 0);
    form->addWidget(outline_, 1, 1);
    form->addWidget(crossings_, 2, 0, 1, 2);
    form->addWidget(placements_, 3, 0, 1, 2);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(Translate(kTextOk), QDialogButtonBox::AcceptRole);
    buttons->addButton(Translate(kTextCancel), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sourceGroup);
    layout->addWidget(sideGroup);
    layout->addLayout(form);
    layout->addWidget(buttons);

    Show(choices_.Open(currentLineType, restricted));
    connect(all_, &QRadioButton::toggled, this, &CEdgeDlg::FollowControls);
    connect(fillet_, &QCheckBox::toggled, this, &CEdgeDlg::FollowControls);
}

void CEdgeDlg::SelectLineType(QComboBox* combo, int lineType)
{
    const int index = combo->findData(lineType);
    if (index >= 0)
        combo->setCurrentIndex(index);
}

void CEdgeDlg::Show(const EdgeFields& f)
{
    shown_ = f;
    (f.allLineTypes ? all_ : one_)->setChecked(true);
    SelectLineType(source_, f.sourceLineType);
    (f.negativeSide ? negative_ : positive_)->setChecked(true);
    distance_->setText(f.distance);
    fillet_->setChecked(f.fillet);
    radius_->setText(f.radius);
    SelectLineType(outline_, f.outlineLineType);
    crossings_->setChecked(f.resolveCrossings);
    placements_->setChecked(f.everyPlacement);
    all_->setEnabled(f.sourceChoiceEnabled);
    one_->setEnabled(f.sourceChoiceEnabled);
    placements_->setEnabled(f.everyPlacementEnabled);
    FollowControls();
}

EdgeFields CEdgeDlg::Fields() const
{
    EdgeFields f = shown_;
    f.allLineTypes = all_->isChecked();
    if (source_->currentIndex() >= 0)
        f.sourceLineType = source_->currentData().toInt();
    f.negativeSide = negative_->isChecked();
    f.distance = distance_->text();
    f.fillet = fillet_->isChecked();
    f.radius = radius_->text();
    if (outline_->currentIndex() >= 0)
        f.outlineLineType = outline_->currentData().toInt();
    f.resolveCrossings = crossings_->isChecked();
    f.everyPlacement = placements_->isChecked();
    f.FollowControls();
    return f;
}

void CEdgeDlg::FollowControls()
{
    const EdgeFields f = Fields();
    source_->setEnabled(f.sourceComboEnabled);
    radius_->setEnabled(f.radiusEnabled);
}

void CEdgeDlg::accept()
{
    // A distance or radius that is not a number keeps the dialog open.
    if (!choices_.Accept(Fields())) {
        distance_->setFocus();
        return;
    }
    QDialog::accept();
}

std::optional<OutlineSettings> CEdgeDlg::Ask(QWidget* parent, EdgeChoices& choices, const LinetypeTable& linetypes,
                                             int currentLineType, bool restricted)
{
    CEdgeDlg dialog(choices, linetypes, currentLineType, restricted, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Results();
}

} // namespace dlg
