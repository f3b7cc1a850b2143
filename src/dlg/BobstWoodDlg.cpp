#include "dlg/BobstWoodDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

namespace dlg {

namespace {

// Every control is named after its id ("Control1093"), as a test or a later
// data exchange finds it.
template <typename W>
W* Named(W* widget, int id)
{
    widget->setObjectName(QStringLiteral("Control%1").arg(id));
    return widget;
}

QLineEdit* Edit(QWidget* parent, int id)
{
    return Named(new QLineEdit(parent), id);
}

QComboBox* Combo(QWidget* parent, int id)
{
    return Named(new QComboBox(parent), id);
}

QGroupBox* Group(QWidget* parent, const char* title, QFormLayout*& form)
{
    auto* box = new QGroupBox(QString::fromLatin1(title), parent);
    form = new QFormLayout(box);
    return box;
}

} // namespace

CBobstWoodDlg::CBobstWoodDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("BobstWoodDlg"));
    setWindowTitle(QStringLiteral("Bobst"));

    auto* preview = Named(new QFrame(this), 1248);
    preview->setFrameShape(QFrame::Box);
    preview->setMinimumSize(160, 120);

    auto* machine = new QFormLayout;
    machine->addRow(QStringLiteral("Machine type:"), Combo(this, 1000));
    machine->addRow(QStringLiteral("Chase type:"), Combo(this, 1141));
    machine->addRow(QStringLiteral("Client width:"), Edit(this, 1093));
    machine->addRow(QStringLiteral("Client height:"), Edit(this, 1095));

    QFormLayout* form = nullptr;
    QGroupBox* horizontal = Group(this, "Horizontal position", form);
    form->addRow(QStringLiteral("Left:"), Edit(horizontal, 1094));
    form->addRow(QStringLiteral("Right:"), Edit(horizontal, 1097));
    form->addRow(QStringLiteral("Align:"), Combo(horizontal, 1142));
    QGroupBox* vertical = Group(this, "Vertical position", form);
    form->addRow(QStringLiteral("Bottom:"), Edit(vertical, 1096));
    form->addRow(QStringLiteral("Top:"), Edit(vertical, 1098));
    form->addRow(QStringLiteral("Align:"), Combo(vertical, 1143));
    QGroupBox* fillet = Group(this, "Fillet", form);
    form->addRow(Named(new QCheckBox(QStringLiteral("Radius:"), fillet), 1183), Edit(fillet, 1158));

    auto* centre = new QGroupBox(QStringLiteral("Centerline position"), this);
    auto* centreButtons = new QGridLayout(centre);
    for (int i = 0; i < 4; ++i) {
        auto* button = Named(new QPushButton(centre), 1461 + i);
        button->setFixedSize(24, 24);
        centreButtons->addWidget(button, i / 2, i % 2);
    }

    QGroupBox* rules = Group(this, "Equalizing rules", form);
    form->addRow(Named(new QCheckBox(rules), 1184));
    constexpr int kRuleEdits[] = {1072, 1073, 1187, 1189, 1190};
    constexpr const char* kRuleNames[] = {"A", "B", "C", "D", "E"};
    for (int i = 0; i < 5; ++i)
        form->addRow(QString::fromLatin1(kRuleNames[i]), Edit(rules, kRuleEdits[i]));

    QGroupBox* board = Group(this, "Dimensions of the wooden board", form);
    form->addRow(QStringLiteral("a:"), Edit(board, 1026));
    form->addRow(QStringLiteral("b:"), Edit(board, 1027));
    form->addRow(Named(new QCheckBox(QStringLiteral("Lock"), board), 1030));

    auto* deleteWood = Named(new QPushButton(QStringLiteral("Delete wood"), this), 1397);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* grid = new QGridLayout(this);
    grid->addWidget(preview, 0, 0);
    grid->addLayout(machine, 0, 1);
    grid->addWidget(horizontal, 1, 0);
    grid->addWidget(vertical, 1, 1);
    grid->addWidget(fillet, 2, 0);
    grid->addWidget(centre, 2, 1);
    grid->addWidget(rules, 3, 0);
    grid->addWidget(board, 3, 1);
    grid->addWidget(deleteWood, 4, 0);
    grid->addWidget(buttons, 4, 1);
}

} // namespace dlg
