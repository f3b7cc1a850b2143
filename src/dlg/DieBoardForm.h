#pragma once
// The die-board dialog's rules without its widgets: what an opening shows
// (from the layer's board, else from what the dialog kept), the board size
// from the four distances and back, the corner radius's clamp, the turn of
// the distances with the centre line, the lock, the side rows and their
// symmetric pairs, the number format of recomputed fields, and the values
// OK writes into the board.
#include "element/Wood.h"

#include <QString>

#include <array>

namespace dlg {

// The text printed on the board, as the dialog shows it.
struct BoardText {
    QString text;
    std::array<bool, 8> positions{};
    int height = 8;
    double band = 18.0;
    double offset = 10.0;
    friend bool operator==(const BoardText&, const BoardText&) = default;
};

// A side row's record as the dialog starts it: off, D0 50, deltaD 100, L 10,
// kind " T ".
inline constexpr WoodSideRecord kDefaultSideRow{false, false, 50.0, 100.0, 10.0, 0};

// What the dialog keeps from one opening to the next (the values a layer
// without a board opens with).
struct DieBoardMemory {
    bool fillet = false;
    double radius = 0.0;
    bool lock = false;
    WoodBox lockedBorders;
    bool centreHorizontally = false;
    bool centreVertically = false;
    std::array<double, 5> knives{20.0, 20.0, 20.0, 20.0, 20.0};
    std::array<WoodSideRecord, 4> sides{kDefaultSideRow, kDefaultSideRow, kDefaultSideRow, kDefaultSideRow};
    BoardText text;
};

class DieBoardForm {
public:
    // Side rows in list order: left, right, top, bottom (rows 0 and 1 are
    // one symmetric pair, rows 2 and 3 the other), as the board's sides.
    static constexpr int kRows = 4;
    static int Partner(int row) { return row ^ 1; }

    // Four decimals, then trailing zeros and a trailing point removed.
    static QString Trimmed(double value);
    // A side-row or text-tab number: unreadable text reads as 0.
    static double Loose(const QString& text);

    // An opening: board is the layer's board (null: none), fresh the
    // working copy's values (its copy, or a new board's), client the
    // layer's width and height.
    void Open(const DieBoardMemory& memory, const WoodValues* board, const WoodValues& fresh, double clientWidth,
              double clientHeight);
    // What the next opening without a board starts from.
    DieBoardMemory Memory() const;

    // A distance edited by the user: its centre box is cleared and the size
    // follows.
    void EditDistance(int side, double value);
    // The size from the distances (the captured borders while locked).
    void RecomputeSize();
    // The size edited (or a centre box clicked): the distances follow; a
    // negative size becomes 0.
    void EditSize(double width, double height);
    // The radius, when not being typed, goes back to the remembered one;
    // then it is held between 0 and half the board's shorter side.
    void ClampRadius(bool typing);
    // The user left the radius edit.
    void RememberRadius() { rememberedRadius = radius; }
    void SetFillet(bool on);
    // The centre line moved to another edge (0: none checked): the
    // distances turn with it.
    void TurnCentreLine(int position);
    // Lock clicked: the layout's borders captured.
    void SetLock(bool on, const WoodBox& borders);
    bool SizeFieldsEnabled() const { return !lock; }

    // The row's record as its fields show it: the partner's under
    // "Symetric".
    const WoodSideRecord& ShownRow(int row) const;
    // The fields stored into the row (and its partner under "Symetric").
    void StoreRow(int row, const QString& d0, const QString& deltaD, const QString& l, int kind, bool option);
    void CheckRow(int row, bool on);
    void SetSymmetric(bool on);

    // The values OK writes into the board (margins, fillet, centre line,
    // knives, lock, side rows, text, notch).
    void WriteInto(WoodValues& v) const;
    // The fillet OK gives the board: 0 with the box cleared.
    double BoardFillet() const { return fillet ? radius : 0.0; }

    // The distances by board side (WoodValues::Side order: left, right,
    // top, bottom).
    std::array<double, 4> distances{50.0, 50.0, 80.0, 13.0};
    double clientWidth = 0.0;
    double clientHeight = 0.0;
    double width = 0.0;
    double height = 0.0;
    bool centreHorizontally = false;
    bool centreVertically = false;
    bool fillet = false;
    double radius = 0.0;
    double rememberedRadius = 0.0;
    int centreLine = CentreLineEdge::Bottom;
    double notchWidth = 8.0;
    double notchDepth = 5.0;
    bool lock = false;
    WoodBox lockedBorders;
    bool knivesOn = true;
    std::array<double, 5> knives{20.0, 20.0, 20.0, 20.0, 20.0};
    std::array<WoodSideRecord, 4> sides{kDefaultSideRow, kDefaultSideRow, kDefaultSideRow, kDefaultSideRow};
    bool symmetric = false;
    BoardText text;
};

} // namespace dlg
