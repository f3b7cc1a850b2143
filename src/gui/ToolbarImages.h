#pragma once
// The pictures of the toolbar image strip, drawn at 16 x 16: each command's
// picture is found by its index in the strip (CommandCatalogue::GetImage).
// An index without a picture of its own shows the given short text.
#include <QIcon>
#include <QString>

namespace gui {

QIcon ToolbarImage(int imageIndex, const QString& shortText);

} // namespace gui
