#include "dlg/CalcLayoutDlg.h"
#include "dlg/NamedWidgets.h"

#include "options/LanguageTable.h"
#include "platform/Prompt.h"
#include "section/LayoutStore.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace dlg {

namespace {

void Tell(const char* key)
{
    (void)platform::ask(TranslateKey(QString::fromLatin1(key)), Translate(CalcLayout::kTextCaption),
                        platform::PromptButtons::Ok, platform::PromptIcon::Information); // only told
}

} // namespace

CalcLayout::CalcLayout(QWidget* parent, LayoutStore& store, const Section& section, PaperSizes papers)
    : QDialog(parent), store_(store), logic_(store, section, std::move(papers))
{
    setObjectName(QStringLiteral("CalcLayout"));
    setWindowTitle(Translate(kTextCaption));

    auto* layoutGroup = new QGroupBox(TranslateKey(QStringLiteral("layout")), this);
    layouts_ = new QComboBox(layoutGroup);
    layouts_->setObjectName(QStringLiteral("Layouts"));
    auto* deleteLayout = NamedButton(layoutGroup, Translate(kTextDelete), "DeleteLayout");
    auto* layoutRow = new QHBoxLayout(layoutGroup);
    layoutRow->addWidget(layouts_, 1);
    layoutRow->addWidget(deleteLayout);

    auto* paperGroup = new QGroupBox(Translate(kTextPaper), this);
    papers_ = new QComboBox(paperGroup);
    papers_->setObjectName(QStringLiteral("Papers"));
    width_ = new QLineEdit(paperGroup);
    height_ = new QLineEdit(paperGroup);
    width_->setObjectName(QStringLiteral("PaperWidth"));
    height_->setObjectName(QStringLiteral("PaperHeight"));
    for (QLineEdit* edit : {width_, height_}) {
        edit->setValidator(new QIntValidator(0, 99999, edit));
        edit->setMaximumWidth(70);
    }
    auto* addPaper = NamedButton(paperGroup, Translate(kTextAdd), "AddPaper");
    auto* deletePaper = NamedButton(paperGroup, Translate(kTextDelete), "DeletePaper");
    auto* paperGrid = new QGridLayout(paperGroup);
    paperGrid->addWidget(papers_, 0, 0, 1, 4);
    paperGrid->addWidget(deletePaper, 0, 4);
    paperGrid->addWidget(width_, 1, 0);
    paperGrid->addWidget(new QLabel(QStringLiteral("X"), paperGroup), 1, 1);
    paperGrid->addWidget(height_, 1, 2);
    paperGrid->addWidget(addPaper, 1, 4);

    auto* optimiseAll = NamedButton(this, TranslateKey(QStringLiteral("all >>")), "OptimiseAll");
    auto* optimise = NamedButton(this, QStringLiteral(">>"), "Optimise");
    auto* middle = new QVBoxLayout;
    middle->addStretch();
    middle->addWidget(optimise);
    middle->addWidget(optimiseAll);
    middle->addStretch();

    auto* resultGroup = new QGroupBox(TranslateKey(QStringLiteral("optimized layouts")), this);
    results_ = new QTreeWidget(resultGroup);
    results_->setObjectName(QStringLiteral("Results"));
    results_->setRootIsDecorated(false);
    results_->setSelectionBehavior(QAbstractItemView::SelectRows);
    results_->setSelectionMode(QAbstractItemView::SingleSelection);
    results_->setHeaderLabels({TranslateKey(QStringLiteral("layout")), Translate(kTextPaper),
                               TranslateKey(QStringLiteral("best fit")), TranslateKey(QStringLiteral("Spare"))});
    const int widths[] = {70, 100, 110, 50};
    for (int c = 0; c < 4; ++c)
        results_->setColumnWidth(c, widths[c] * 13 / 10);
    results_->setMinimumWidth(440);
    auto* deleteResult = NamedButton(resultGroup, Translate(kTextDelete), "DeleteResult");
    auto* resultColumn = new QVBoxLayout(resultGroup);
    resultColumn->addWidget(results_);
    auto* resultButtons = new QHBoxLayout;
    resultButtons->addStretch();
    resultButtons->addWidget(deleteResult);
    resultColumn->addLayout(resultButtons);

    auto* left = new QVBoxLayout;
    left->addWidget(layoutGroup);
    left->addWidget(paperGroup);
    left->addStretch();
    auto* body = new QHBoxLayout;
    body->addLayout(left);
    body->addLayout(middle);
    body->addWidget(resultGroup, 1);

    auto* load = NamedButton(this, Translate(kTextLoad), "Load");
    auto* cancel = NamedButton(this, Translate(kTextCancel), "Cancel");
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(load);
    bottom->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addLayout(bottom);

    connect(addPaper, &QPushButton::clicked, this, &CalcLayout::OnAddPaper);
    connect(deletePaper, &QPushButton::clicked, this, &CalcLayout::OnDeletePaper);
    connect(deleteLayout, &QPushButton::clicked, this, &CalcLayout::OnDeleteLayout);
    connect(optimise, &QPushButton::clicked, this, &CalcLayout::OnOptimise);
    connect(optimiseAll, &QPushButton::clicked, this, &CalcLayout::OnOptimiseAll);
    connect(deleteResult, &QPushButton::clicked, this, &CalcLayout::OnDeleteResult);
    connect(load, &QPushButton::clicked, this, &CalcLayout::OnLoad);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    FillLayouts();
    FillPapers();
    FillResults();
}

void CalcLayout::FillLayouts()
{
    std::vector<const SavedLayout*> layouts;
    store_.GetLayouts(layouts);
    layouts_->clear();
    for (const SavedLayout* layout : layouts)
        layouts_->addItem(layout->name, QVariant::fromValue(static_cast<const void*>(layout)));
    layouts_->setCurrentIndex(layouts_->count() - 1);
}

void CalcLayout::FillPapers()
{
    papers_->clear();
    const std::vector<QString> entries = logic_.PaperEntries();
    for (int i = 0; i < static_cast<int>(entries.size()); ++i)
        papers_->addItem(entries[static_cast<std::size_t>(i)], i);
    papers_->setCurrentIndex(papers_->count() - 1);
}

void CalcLayout::FillResults()
{
    results_->clear();
    for (const LayoutResultRow& row : logic_.Rows()) {
        auto* item = new QTreeWidgetItem(results_, {row.layout, row.paper, row.bestFit, row.spare});
        item->setData(0, Qt::UserRole, QVariant::fromValue(static_cast<const void*>(row.result)));
    }
}

std::optional<int> CalcLayout::SelectedPaper() const
{
    if (papers_->currentIndex() < 0)
        return std::nullopt;
    return papers_->currentData().toInt();
}

const LayoutResult* CalcLayout::SelectedResult() const
{
    const QList<QTreeWidgetItem*> selected = results_->selectedItems();
    if (selected.isEmpty())
        return nullptr;
    return static_cast<const LayoutResult*>(selected.front()->data(0, Qt::UserRole).value<const void*>());
}

bool CalcLayout::Confirmed() const
{
    return platform::ask(TranslateKey(QStringLiteral("are you sure")), Translate(kTextCaption),
                         platform::PromptButtons::YesNo, platform::PromptIcon::Question) == platform::PromptResult::Yes;
}

void CalcLayout::OnAddPaper()
{
    if (logic_.AddPaper(width_->text(), height_->text()))
        FillPapers();
}

void CalcLayout::OnDeletePaper()
{
    const std::optional<int> paper = SelectedPaper();
    if (!paper || !Confirmed())
        return;
    if (logic_.DeletePaper(*paper))
        FillPapers();
}

void CalcLayout::OnDeleteLayout()
{
    if (layouts_->currentIndex() < 0 || !Confirmed())
        return;
    const auto* layout = static_cast<const SavedLayout*>(layouts_->currentData().value<const void*>());
    if (logic_.DeleteLayout(layout))
        FillLayouts();
    else
        Tell("layout in use");
}

void CalcLayout::OnOptimise()
{
    const auto* layout = layouts_->currentIndex() < 0
                             ? nullptr
                             : static_cast<const SavedLayout*>(layouts_->currentData().value<const void*>());
    if (!logic_.Optimise(layout, SelectedPaper())) {
        Tell("select to optimize");
        return;
    }
    FillResults();
}

void CalcLayout::OnOptimiseAll()
{
    if (!logic_.OptimiseAll(SelectedPaper())) {
        Tell("select to optimize");
        return;
    }
    FillResults();
}

void CalcLayout::OnDeleteResult()
{
    const LayoutResult* result = SelectedResult();
    if (!result || !Confirmed())
        return;
    (void)logic_.DeleteResult(result); // a listed result is held by the store
    FillResults();
}

void CalcLayout::OnLoad()
{
    chosen_ = logic_.Load(SelectedResult());
    if (!chosen_) {
        Tell("select to load");
        return;
    }
    accept();
}

} // namespace dlg
