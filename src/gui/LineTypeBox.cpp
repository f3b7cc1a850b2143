#include "gui/LineTypeBox.h"

#include "shell/LineTypeChoice.h"

namespace gui {

LineTypeBox::LineTypeBox(QWidget* parent) : QComboBox(parent)
{
    setObjectName(QStringLiteral("LineTypeBox"));
    connect(this, &QComboBox::activated, this, [this] {
        if (SelectedLineType() != -1)
            emit lineTypeChosen(SelectedLineType());
    });
}

int LineTypeBox::SelectedLineType() const
{
    return currentIndex() < 0 ? -1 : currentData().toInt();
}

void LineTypeBox::Fill(const std::map<int, QString>& entries, int wanted, int stored)
{
    if (wanted == -1)
        wanted = SelectedLineType();
    {
        const QSignalBlocker quiet(this);
        clear();
        for (const auto& [number, name] : entries)
            addItem(name, number);
        setCurrentIndex(shell::ChooseLineTypeEntry(entries, wanted, stored));
    }
    if (SelectedLineType() != -1)
        emit lineTypeChosen(SelectedLineType());
}

} // namespace gui
