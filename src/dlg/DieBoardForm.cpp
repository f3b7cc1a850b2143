#include "dlg/DieBoardForm.h"

#include "platform/CFormat.h"

#include <algorithm>

namespace dlg {

namespace {

constexpr int kLeft = WoodValues::SideLeft;
constexpr int kRight = WoodValues::SideRight;
constexpr int kTop = WoodValues::SideTop;
constexpr int kBottom = WoodValues::SideBottom;

// The distances in the order of a centre-line position (1 left, 2 top,
// 3 right, 4 bottom): the one at the mark first, then round the board, so
// that the same order read for another position turns them with the mark.
constexpr std::array<std::array<int, 4>, 5> kTurnOrder{{
    {kLeft, kRight, kTop, kBottom}, // no position: unused
    {kLeft, kTop, kBottom, kRight},
    {kTop, kRight, kLeft, kBottom},
    {kRight, kBottom, kTop, kLeft},
    {kBottom, kLeft, kRight, kTop},
}};

bool IsPosition(int p)
{
    return p >= CentreLineEdge::Left && p <= CentreLineEdge::Bottom;
}

} // namespace

QString DieBoardForm::Trimmed(double value)
{
    QString text = platform::cformat("%.4f", value);
    if (text.contains(u'.')) {
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(u'.'))
            text.chop(1);
    }
    return text == QStringLiteral("-0") ? QStringLiteral("0") : text;
}

double DieBoardForm::Loose(const QString& text)
{
    return platform::wtof(text);
}

void DieBoardForm::Open(const DieBoardMemory& memory, const WoodValues* board, const WoodValues& fresh,
                        double clientW, double clientH)
{
    centreLine = fresh.centreLineEdge;
    centreHorizontally = memory.centreHorizontally;
    centreVertically = memory.centreVertically;
    if (board) {
        fillet = board->fillet > 0.0;
        radius = board->fillet;
        knives = {board->knifeStartOverhang, board->knifeEndOverhang, board->knifeOffset, board->knifeSpacing,
                  board->knifeEndClearance};
        lock = board->absolute;
        lockedBorders = board->absoluteBox;
        sides = board->sides;
        symmetric = board->symmetric;
        text = {board->text, board->textPositions, board->textHeight, board->textBand, board->textOffset};
    } else {
        fillet = memory.fillet;
        radius = memory.radius;
        knives = memory.knives;
        lock = memory.lock;
        lockedBorders = memory.lockedBorders;
        // The records stay; the check marks and "Symetric" come from a
        // board only.
        sides = memory.sides;
        for (WoodSideRecord& side : sides)
            side.on = false;
        symmetric = false;
        text = memory.text;
    }
    clientWidth = clientW;
    clientHeight = clientH;
    distances = {fresh.leftMargin, fresh.rightMargin, fresh.topMargin, fresh.bottomMargin};
    RecomputeSize();
    knivesOn = fresh.knives;
    notchWidth = fresh.notchWidth;
    notchDepth = fresh.notchDepth;
    rememberedRadius = radius;
    if (fillet) {
        ClampRadius(false);
        RememberRadius();
    }
}

DieBoardMemory DieBoardForm::Memory() const
{
    DieBoardMemory m;
    m.fillet = fillet;
    m.radius = radius;
    m.lock = lock;
    m.lockedBorders = lockedBorders;
    m.centreHorizontally = centreHorizontally;
    m.centreVertically = centreVertically;
    m.knives = knives;
    m.sides = sides;
    m.text = text;
    return m;
}

void DieBoardForm::EditDistance(int side, double value)
{
    distances[static_cast<std::size_t>(side)] = value;
    if (side == kLeft || side == kRight)
        centreHorizontally = false;
    else
        centreVertically = false;
    RecomputeSize();
}

void DieBoardForm::RecomputeSize()
{
    const double layoutWidth = lock ? lockedBorders.maxX - lockedBorders.minX : clientWidth;
    const double layoutHeight = lock ? lockedBorders.maxY - lockedBorders.minY : clientHeight;
    width = distances[kLeft] + layoutWidth + distances[kRight];
    height = distances[kTop] + layoutHeight + distances[kBottom];
}

void DieBoardForm::EditSize(double w, double h)
{
    width = std::max(w, 0.0);
    height = std::max(h, 0.0);
    if (centreHorizontally)
        distances[kLeft] = distances[kRight] = (width - clientWidth) / 2.0;
    else
        distances[kRight] = width - (clientWidth + distances[kLeft]);
    if (centreVertically)
        distances[kBottom] = distances[kTop] = (height - clientHeight) / 2.0;
    else
        distances[kTop] = height - (clientHeight + distances[kBottom]);
    if (fillet)
        ClampRadius(false);
}

void DieBoardForm::ClampRadius(bool typing)
{
    if (!typing)
        radius = rememberedRadius;
    const double half = std::min(width, height) / 2.0;
    radius = std::clamp(radius, 0.0, std::max(half, 0.0));
}

void DieBoardForm::SetFillet(bool on)
{
    fillet = on;
    if (on)
        ClampRadius(false);
    RememberRadius();
}

void DieBoardForm::TurnCentreLine(int position)
{
    if (!IsPosition(position)) {
        centreLine = 0;
        return;
    }
    if (IsPosition(centreLine) && position != centreLine) {
        const std::array<int, 4>& from = kTurnOrder[static_cast<std::size_t>(centreLine)];
        const std::array<int, 4>& to = kTurnOrder[static_cast<std::size_t>(position)];
        std::array<double, 4> turned = distances;
        for (std::size_t i = 0; i < 4; ++i)
            turned[static_cast<std::size_t>(to[i])] = distances[static_cast<std::size_t>(from[i])];
        distances = turned;
    }
    centreLine = position;
    RecomputeSize();
}

void DieBoardForm::SetLock(bool on, const WoodBox& borders)
{
    lock = on;
    lockedBorders = borders;
    RecomputeSize();
}

const WoodSideRecord& DieBoardForm::ShownRow(int row) const
{
    return sides[static_cast<std::size_t>(symmetric ? Partner(row) : row)];
}

void DieBoardForm::StoreRow(int row, const QString& d0, const QString& deltaD, const QString& l, int kind,
                            bool option)
{
    const auto store = [&](WoodSideRecord& r) {
        r.start = Loose(d0);
        r.step = Loose(deltaD);
        r.offset = Loose(l);
        r.oneSidedTick = kind;
        r.centred = option;
    };
    store(sides[static_cast<std::size_t>(row)]);
    // A symmetric pair keeps one set of values.
    if (symmetric)
        store(sides[static_cast<std::size_t>(Partner(row))]);
}

void DieBoardForm::CheckRow(int row, bool on)
{
    sides[static_cast<std::size_t>(row)].on = on;
    if (symmetric)
        sides[static_cast<std::size_t>(Partner(row))].on = on;
}

void DieBoardForm::SetSymmetric(bool on)
{
    symmetric = on;
    if (!on)
        return;
    for (std::size_t first : {0u, 2u}) {
        if (sides[first].on || sides[first + 1].on)
            sides[first].on = sides[first + 1].on = true;
    }
}

void DieBoardForm::WriteInto(WoodValues& v) const
{
    v.leftMargin = distances[kLeft];
    v.rightMargin = distances[kRight];
    v.topMargin = distances[kTop];
    v.bottomMargin = distances[kBottom];
    v.fillet = BoardFillet();
    v.centreLineEdge = centreLine;
    v.knifeStartOverhang = knives[0];
    v.knifeEndOverhang = knives[1];
    v.knifeOffset = knives[2];
    v.knifeSpacing = knives[3];
    v.knifeEndClearance = knives[4];
    v.knives = knivesOn;
    v.absolute = lock;
    v.absoluteBox = lockedBorders;
    v.sides = sides;
    v.symmetric = symmetric;
    v.text = text.text;
    v.textPositions = text.positions;
    v.textHeight = text.height;
    v.textBand = text.band;
    v.textOffset = text.offset;
    v.notchWidth = notchWidth;
    v.notchDepth = notchDepth;
}

} // namespace dlg
