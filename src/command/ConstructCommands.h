#pragma once
// The Construct menu's commands that need no dialog of their own: circles,
// splines, parallel copies, angle bisectors, the fixed shapes (holders,
// cuirs, the storage spacer), quick text, and the centre point of polygons
// and rectangles once their dialog has stored the sizes. Each restarts
// after every object until it is cancelled; each object is one undo step.
#include <QString>

class CInputRequest;
class ViewInput;

namespace constructcommands {

// Menu and toolbar command ids.
constexpr int kCmdCircle = 32799;
constexpr int kCmdCircleToolbar = 32780;
constexpr int kCmdSpline = 453;
constexpr int kCmdParallelX = 32807;
constexpr int kCmdParallelXToolbar = 32851;
constexpr int kCmdParallelY = 32808;
constexpr int kCmdParallelYToolbar = 32852;
constexpr int kCmdParallel = 32806;
constexpr int kCmdParallelToolbar = 32853;
constexpr int kCmdAngleBisector = 32810;
constexpr int kCmdPolygon = 215;
constexpr int kCmdRectangle = 214;
constexpr int kCmdHolders = 216;
constexpr int kCmdCuir = 459;
constexpr int kCmdStorageSpacer = 482;
constexpr int kCmdQuickText = 405;

// Command codes of the running request.
constexpr int kCodeCircle = 10;
constexpr int kCodeSpline = 24;
constexpr int kCodeParallel = 12;
constexpr int kCodeAngleBisector = 901;
constexpr int kCodeShape = 28;
constexpr int kCodeHolder = 27;
constexpr int kCodeCuir = 24;
constexpr int kCodeStorageSpacer = 25;
constexpr int kCodeQuickText = 10011;

// Language texts.
constexpr int kTextCircle = 370;        // prompt of both circle steps
constexpr int kTextRadius = 342;        // the radius value's label
constexpr int kTextCircleTitle = 172;
constexpr int kTextFirstPoint = 362;
constexpr int kTextNextPoint = 363;
constexpr int kTextSplineTitle = 785;
constexpr int kTextParallelX = 339;
constexpr int kTextParallelY = 340;
constexpr int kTextParallel = 343;
constexpr int kTextDistance = 341;
constexpr int kTextParallelTitle = 177;
constexpr int kTextParallelRefused = 199; // no parallel of that element
constexpr int kTextBisectorFirst = 337;
constexpr int kTextBisectorSecond = 336;
constexpr int kTextLength = 358;
constexpr int kTextBisectorTitle = 180;
constexpr int kTextCentre = 365;
constexpr int kTextShapeTitle = 231;
constexpr int kTextSymbolTitle = 798;
constexpr int kTextSpacerTitle = 849;
constexpr int kTextQuickTextPoint = 319;
constexpr int kTextQuickTextLabel = 322;
constexpr int kTextQuickTextTitle = 174;

// The parallel command's kind.
enum ParallelKind { ParallelAlong = 0, ParallelX = 1, ParallelY = 2 };

void StartCircle(ViewInput& view);
void StartSpline(ViewInput& view);
void StartParallel(ViewInput& view, ParallelKind kind);
void StartAngleBisector(ViewInput& view);
// The centre point of a polygon or rectangle whose sizes the dialog stored
// in the options' named values.
void StartPolygon(ViewInput& view);
void StartRectangle(ViewInput& view);
void StartHolders(ViewInput& view);
void StartCuir(ViewInput& view);
void StartStorageSpacer(ViewInput& view);
// Asks the text (any text) and, on OK, remembers it and asks its point;
// nothing while the document is in an element edit state or on Cancel.
void StartQuickText(ViewInput& view);

} // namespace constructcommands
