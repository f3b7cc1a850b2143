#include "dlg/OneValue.h"

#include "dlg/OneParamDlg.h"

#include <QApplication>

namespace dlg {
namespace {

constinit platform::Current<OneValueAsker*> g_asker{nullptr};

} // namespace

qsizetype FirstRefusedCharacter(QStringView value)
{
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] < QLatin1Char(',') || value[i] > QLatin1Char('9'))
            return i;
    }
    return -1;
}

std::optional<QString> AskOneValue(const OneValueRequest& request)
{
    if (OneValueAsker* asker = g_asker.Get())
        return asker->Ask(request);
    COneParamDlg dialog(QApplication::activeWindow());
    dialog.SetRequest(request);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Value();
}

platform::ScopedOverride<OneValueAsker*> InstallOneValueAsker(OneValueAsker& asker)
{
    return g_asker.Override(&asker);
}

} // namespace dlg
