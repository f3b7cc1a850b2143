#pragma once
// The standard commands: Standard > FEFCO, ECMA and TOP, Construct > Shapes
// > Euro hole and the user's collections open the standards browser on
// their catalogue and carry out its choice (view::StandardInsertion): Load
// opens the standard as a new drawing, Merge merges it into the active one,
// and the origin pick waits for a point in the active drawing and then
// brings the browser back with that origin. With no drawing open the
// browser can only load. View > Standard Collections edits the
// collections; the Standard menu follows.
namespace app {

class DocumentView;
class MainWindow;

// The catalogue of a standard command (285, 230, 33003, 217, 10201 on);
// false for another command. A standard loaded as a new drawing takes the
// name "<standard>_std<n>.n" (n: standardsBuilt raised by one), so that a
// save never writes over the catalogue's drawing.
bool RunStandardCommand(MainWindow& window, DocumentView* view, int commandId, int& standardsBuilt);
void EditStandardCollections(MainWindow& window);

} // namespace app
