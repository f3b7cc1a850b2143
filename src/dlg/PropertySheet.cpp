#include "dlg/PropertySheet.h"

#include "dlg/ElementPage.h"
#include "dlg/PropertiesDriver.h"
#include "options/LanguageTable.h"
#include "platform/Prompt.h"

#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace dlg {

PropertySheet::PropertySheet(PropertySheetRun& run, QWidget* parent) : QDialog(parent), run_(run)
{
    setObjectName(QStringLiteral("PropertySheet"));
    setWindowTitle(Translate(PropertiesDriver::kTextCaption));
    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    layout->addWidget(tabs_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &PropertySheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PropertySheet::reject);

    PropertyContext context;
    context.doc = run.doc;
    context.options = run.options;
    context.element = run.element;
    context.several = run.element == nullptr;
    if (run.elementPage) {
        element_ = new ElementPage(run.values.common, tabs_);
        tabs_->addTab(element_, Translate(element_->CaptionTextId()));
        element_->Begin(context);
        connect(element_, &PropertyPage::endRequested, this, &PropertySheet::EndWith);
        context.common = &run.values.common;
    }
    if (run.detailPage && run.row && run.row->makePage) {
        detail_ = run.row->makePage(run.values, tabs_);
        tabs_->addTab(detail_, Translate(detail_->CaptionTextId()));
        detail_->Begin(context);
        connect(detail_, &PropertyPage::endRequested, this, &PropertySheet::EndWith);
        if (run.detailActive)
            tabs_->setCurrentWidget(detail_);
    }
}

PropertySheet::~PropertySheet()
{
    for (PropertyPage* page : {static_cast<PropertyPage*>(element_), detail_})
        if (page)
            page->End();
}

int PropertySheet::Run(PropertySheetRun& run, QWidget* parent)
{
    PropertySheet sheet(run, parent);
    return sheet.exec();
}

void PropertySheet::ReadAll()
{
    for (PropertyPage* page : {static_cast<PropertyPage*>(element_), detail_})
        if (page)
            page->ReadFields();
}

void PropertySheet::EndWith(int code)
{
    ReadAll();
    done(code);
}

void PropertySheet::accept()
{
    ReadAll();
    QString message;
    for (PropertyPage* page : {static_cast<PropertyPage*>(element_), detail_})
        if (page && message.isEmpty())
            message = page->Validate();
    if (message.isEmpty())
        message = run_.Validate();
    if (!message.isEmpty()) {
        (void)platform::ask(message, windowTitle(), platform::PromptButtons::Ok, platform::PromptIcon::Error);
        return; // the sheet stays open
    }
    done(propend::kOk);
}

void PropertySheet::reject()
{
    done(propend::kCancel);
}

} // namespace dlg
