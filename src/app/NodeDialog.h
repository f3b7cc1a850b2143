#pragma once
// 2DPopup > Node Properties: the choice among nodes on the popup's spot,
// then the node dialog, whose pick buttons hand it over to a one-point
// request; the request's after-finish callback takes the clicked node as
// reference or end node and shows the dialog again with what was typed.
#include "dlg/NodeProperties.h"

class CMorvekDoc;
class QWidget;
class ViewInput;

namespace app {

// Language text: the origin node cannot be edited.
inline constexpr int kTextOriginNode = 402;

// The popup command for the popup's node: false when nothing was shown.
bool RunNodeProperties(QWidget* view, ViewInput& input, int popupNode, double zoom);

// Shows the node dialog for the form (a fresh form when loaded from the
// node) and acts on its end.
void ShowNodeDialog(QWidget* view, ViewInput& input, int node, dlg::NodeForm form);

} // namespace app
