#include "exchange/hpgl/HpglReader.h"

#include "platform/TextFile.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace hpgl {
namespace {

constexpr char kEsc = 0x1b;
constexpr char kEtx = 0x03;
// P1 and P2 before any "IP": a square of 250 mm (the size of the plot area
// is the plotter's; a file that scales without placing P1 and P2 relies on
// its plotter).
constexpr double kDefaultP2 = 10000.0;
// "SI" before any size: the 7475A's characters on A4, in millimetres.
constexpr double kDefaultCharWidth = 1.9;
constexpr double kDefaultCharHeight = 2.7;
// A character cell is one and a half character widths wide and two
// character heights high.
constexpr double kCellWidth = 1.5;
constexpr double kCellHeight = 2.0;
// The pen position stays within this, so that no sum of moves overflows.
constexpr double kPositionBound = 1.0e12;

bool IsLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

char Upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

constexpr uint16_t Code(char a, char b)
{
    return static_cast<uint16_t>(static_cast<uint8_t>(a) << 8 | static_cast<uint8_t>(b));
}

// Commands that change nothing this reader keeps (pen attributes, speeds,
// fonts, page and status commands): understood and passed over.
constexpr std::array kPassedOver = {
    Code('A', 'C'), Code('A', 'D'), Code('B', 'P'), Code('C', 'A'), Code('C', 'O'), Code('C', 'S'), Code('C', 'T'),
    Code('E', 'S'), Code('F', 'S'), Code('F', 'T'), Code('L', 'A'), Code('L', 'M'), Code('L', 'T'), Code('M', 'C'),
    Code('N', 'P'), Code('N', 'R'), Code('O', 'A'), Code('O', 'C'), Code('O', 'D'), Code('O', 'E'), Code('O', 'F'),
    Code('O', 'H'), Code('O', 'I'), Code('O', 'O'), Code('O', 'P'), Code('O', 'S'), Code('O', 'T'), Code('O', 'W'),
    Code('P', 'C'), Code('P', 'G'), Code('P', 'S'), Code('P', 'T'), Code('P', 'W'), Code('Q', 'L'), Code('R', 'F'),
    Code('S', 'A'), Code('S', 'D'), Code('S', 'S'), Code('T', 'D'), Code('T', 'R'), Code('U', 'L'), Code('V', 'S'),
    Code('W', 'D'), Code('W', 'U'),
};

struct Point {
    double x = 0.0;
    double y = 0.0;
};

Point operator+(Point a, Point b)
{
    return {a.x + b.x, a.y + b.y};
}
Point operator-(Point a, Point b)
{
    return {a.x - b.x, a.y - b.y};
}
bool operator==(Point a, Point b)
{
    return a.x == b.x && a.y == b.y;
}

die::coord Millimetres(Point p)
{
    return {p.x / kUnitsPerMm, p.y / kUnitsPerMm};
}

bool InRange(Point p)
{
    return std::abs(p.x) <= kMaxUnits && std::abs(p.y) <= kMaxUnits;
}

class Parser {
public:
    Parser(QByteArrayView bytes, Drawing& drawing) : b_(bytes), d_(drawing) { Reset(); }

    bool Run(QString* error)
    {
        while (pos_ < b_.size()) {
            const char c = b_[pos_];
            if (c == '\0')
                break;
            if (c == kEsc) {
                Escape();
                continue;
            }
            if (pcl_) { // PCL text between its escape sequences
                ++pos_;
                continue;
            }
            if (c == '@' && StartsWithNoCase("@PJL")) {
                while (pos_ < b_.size() && b_[pos_] != '\n')
                    ++pos_;
                continue;
            }
            if (!IsLetter(c) || pos_ + 1 >= b_.size() || !IsLetter(b_[pos_ + 1])) {
                ++pos_; // separators and stray characters
                continue;
            }
            const uint16_t code = Code(Upper(c), Upper(b_[pos_ + 1]));
            pos_ += 2;
            if (code == Code('P', 'E')) {
                if (error)
                    *error = QStringLiteral("the file uses encoded polylines (PE), which this version does not read");
                return false;
            }
            Command(code);
            if (Figures() > kMaxLines) {
                if (error)
                    *error = QStringLiteral("the file draws more than %1 lines, arcs and labels").arg(kMaxLines);
                return false;
            }
        }
        return true;
    }

private:
    // --- the text -------------------------------------------------------

    bool StartsWithNoCase(const char* word) const
    {
        qsizetype i = pos_;
        for (; *word; ++word, ++i) {
            if (i >= b_.size() || Upper(b_[i]) != *word)
                return false;
        }
        return true;
    }

    // An escape sequence: "ESC ." device control, PCL's parameterised
    // sequences (with their binary data), or a two-character one ("ESC E").
    void Escape()
    {
        ++pos_;
        if (pos_ >= b_.size())
            return;
        const char c = b_[pos_++];
        if (c == '.') {
            if (pos_ < b_.size())
                ++pos_; // the device-control command
            while (pos_ < b_.size() && (IsDigit(b_[pos_]) || b_[pos_] == ';'))
                ++pos_;
            if (pos_ < b_.size() && b_[pos_] == ':')
                ++pos_;
            return;
        }
        if (c >= '!' && c <= '/') {
            if (pos_ < b_.size() && b_[pos_] >= '`' && b_[pos_] <= '~')
                ++pos_; // group character
            while (pos_ < b_.size()) {
                bool negative = false;
                if (b_[pos_] == '+' || b_[pos_] == '-')
                    negative = b_[pos_++] == '-';
                double value = 0.0;
                while (pos_ < b_.size() && IsDigit(b_[pos_]))
                    value = std::min(value * 10.0 + (b_[pos_++] - '0'), 1.0e15);
                if (pos_ < b_.size() && b_[pos_] == '.') {
                    ++pos_;
                    while (pos_ < b_.size() && IsDigit(b_[pos_]))
                        ++pos_;
                }
                if (pos_ >= b_.size())
                    return;
                const char p = b_[pos_];
                if (p >= '`' && p <= '~') {
                    ++pos_;
                    if (p == 'w')
                        SkipData(value);
                    continue;
                }
                if (p >= '@' && p <= '^') {
                    ++pos_;
                    if (p == 'W')
                        SkipData(value);
                    if (c == '%' && !negative && (p == 'A' || p == 'B'))
                        pcl_ = p == 'A'; // "ESC %1B" enters HP-GL/2, "ESC %0A" leaves it
                }
                return;
            }
            return;
        }
        if (c == 'E')
            pcl_ = true; // a PCL reset: PCL follows until HP-GL/2 is entered
    }

    void SkipData(double count)
    {
        pos_ += static_cast<qsizetype>(std::min(count, static_cast<double>(b_.size() - pos_)));
    }

    // The next number of the command in hand; none at its end (";" taken,
    // a letter or an escape left for the next command).
    std::optional<double> Number()
    {
        while (pos_ < b_.size()) {
            const char c = b_[pos_];
            if (c == ';') {
                ++pos_;
                return std::nullopt;
            }
            if (IsLetter(c) || c == kEsc || c == '\0')
                return std::nullopt;
            if (IsDigit(c) || c == '.' || ((c == '+' || c == '-') && pos_ + 1 < b_.size()
                                           && (IsDigit(b_[pos_ + 1]) || b_[pos_ + 1] == '.'))) {
                return ReadNumber();
            }
            if (c == '"') { // a quoted text ("CO", "BP"): not a number
                ++pos_;
                while (pos_ < b_.size() && b_[pos_] != '"')
                    ++pos_;
            }
            ++pos_;
        }
        return std::nullopt;
    }

    double ReadNumber()
    {
        bool negative = false;
        if (b_[pos_] == '+' || b_[pos_] == '-')
            negative = b_[pos_++] == '-';
        double value = 0.0;
        bool huge = false;
        while (pos_ < b_.size() && IsDigit(b_[pos_])) {
            value = value * 10.0 + (b_[pos_++] - '0');
            huge = huge || value > kMaxUnits;
        }
        if (pos_ < b_.size() && b_[pos_] == '.') {
            ++pos_;
            double scale = 0.1;
            while (pos_ < b_.size() && IsDigit(b_[pos_])) {
                if (scale > 1e-18)
                    value += (b_[pos_] - '0') * scale;
                scale /= 10.0;
                ++pos_;
            }
        }
        if (huge || !std::isfinite(value)) {
            ++d_.outOfRange;
            value = kMaxUnits;
        }
        return negative ? -value : value;
    }

    // Up to `count` numbers of the command in hand; the rest are passed
    // over.
    template <size_t N>
    size_t Numbers(std::array<double, N>& out)
    {
        size_t n = 0;
        while (const std::optional<double> v = Number()) {
            if (n < N)
                out[n] = *v;
            ++n;
        }
        return std::min(n, N);
    }

    void SkipParameters()
    {
        while (Number()) {
        }
    }

    // --- the plotter ----------------------------------------------------

    void Reset()
    {
        down_ = false;
        relative_ = false;
        position_ = {};
        p1_ = {};
        p2_ = {kDefaultP2, kDefaultP2};
        Defaults();
    }

    // What "DF" sets back: plotting absolute, no scaling, the label
    // terminator, size and direction.
    void Defaults()
    {
        relative_ = false;
        scaled_ = false;
        terminator_ = kEtx;
        relativeSize_ = false;
        charWidth_ = kDefaultCharWidth;
        charHeight_ = kDefaultCharHeight;
        direction_ = {1.0, 0.0};
    }

    void Scale()
    {
        if (!scaled_)
            return;
        const auto& s = scale_;
        const double width = p2_.x - p1_.x;
        const double height = p2_.y - p1_.y;
        if (scaleKind_ == 2) {
            factor_ = {s[1], s[3]};
            origin_ = p1_ - Point{s[0] * s[1], s[2] * s[3]};
            return;
        }
        factor_ = {width / (s[1] - s[0]), height / (s[3] - s[2])};
        Point offset;
        if (scaleKind_ == 1) {
            // The same factor both ways, the smaller; the room left over
            // goes by the left and bottom percentages.
            const double f = std::min(std::abs(factor_.x), std::abs(factor_.y));
            const Point uniform{std::copysign(f, factor_.x), std::copysign(f, factor_.y)};
            offset = {(width - (s[1] - s[0]) * uniform.x) * scaleMargin_.x / 100.0,
                      (height - (s[3] - s[2]) * uniform.y) * scaleMargin_.y / 100.0};
            factor_ = uniform;
        }
        origin_ = p1_ + offset - Point{s[0] * factor_.x, s[2] * factor_.y};
    }

    Point Absolute(double x, double y) const
    {
        if (!scaled_)
            return {x, y};
        return {origin_.x + x * factor_.x, origin_.y + y * factor_.y};
    }
    Point Relative(double dx, double dy) const
    {
        if (!scaled_)
            return {dx, dy};
        return {dx * factor_.x, dy * factor_.y};
    }
    double Radius(double r) const { return scaled_ ? std::abs(r * factor_.x) : std::abs(r); }

    static Point Bounded(Point p)
    {
        return {std::clamp(p.x, -kPositionBound, kPositionBound), std::clamp(p.y, -kPositionBound, kPositionBound)};
    }

    int64_t Figures() const
    {
        return static_cast<int64_t>(d_.lines.size() + d_.arcs.size() + d_.labels.size());
    }

    void AddLine(Point from, Point to)
    {
        if (from == to)
            return;
        if (!InRange(from) || !InRange(to)) {
            ++d_.outOfRange;
            return;
        }
        d_.lines.push_back({Millimetres(from), Millimetres(to), pen_});
    }

    void AddArc(Point centre, Point from, Point to, bool counterClockwise)
    {
        if (!InRange(centre) || !InRange(from) || !InRange(to)) {
            ++d_.outOfRange;
            return;
        }
        d_.arcs.push_back({Millimetres(centre), Millimetres(from), Millimetres(to), counterClockwise, pen_});
    }

    // --- the commands ---------------------------------------------------

    void Command(uint16_t code)
    {
        switch (code) {
        case Code('P', 'U'):
            down_ = false;
            Moves();
            return;
        case Code('P', 'D'):
            down_ = true;
            Moves();
            return;
        case Code('P', 'A'):
            relative_ = false;
            Moves();
            return;
        case Code('P', 'R'):
            relative_ = true;
            Moves();
            return;
        case Code('S', 'P'):
            SelectPen();
            return;
        case Code('I', 'N'):
            SkipParameters();
            Reset();
            return;
        case Code('D', 'F'):
            SkipParameters();
            Defaults();
            return;
        case Code('I', 'P'):
            InputP1P2();
            return;
        case Code('S', 'C'):
            SetScale();
            return;
        case Code('A', 'A'):
        case Code('A', 'R'):
            ArcBySweep(code == Code('A', 'R'));
            return;
        case Code('A', 'T'):
        case Code('R', 'T'):
            ArcThroughThree(code == Code('R', 'T'));
            return;
        case Code('C', 'I'):
            Circle();
            return;
        case Code('E', 'A'):
        case Code('R', 'A'):
        case Code('E', 'R'):
        case Code('R', 'R'):
            Rectangle(code == Code('E', 'R') || code == Code('R', 'R'));
            return;
        case Code('L', 'B'):
            LabelText();
            return;
        case Code('D', 'T'):
            Terminator();
            return;
        case Code('S', 'I'):
        case Code('S', 'R'):
            CharacterSize(code == Code('S', 'R'));
            return;
        case Code('D', 'I'):
        case Code('D', 'R'):
            Direction(code == Code('D', 'R'));
            return;
        case Code('B', 'L'): // a label kept for later: its text is passed over
            Text();
            ++d_.skipped[QStringLiteral("BL")];
            return;
        case Code('W', 'D'):
            Text();
            return;
        case Code('S', 'M'): // the symbol character is the next one
            if (pos_ < b_.size() && b_[pos_] != ';' && b_[pos_] != kEsc)
                ++pos_;
            SkipParameters();
            ++d_.skipped[QStringLiteral("SM")];
            return;
        default:
            break;
        }
        SkipParameters();
        if (std::find(kPassedOver.begin(), kPassedOver.end(), code) == kPassedOver.end()) {
            const char name[3] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xff), 0};
            ++d_.skipped[QString::fromLatin1(name)];
        }
    }

    void Moves()
    {
        while (const std::optional<double> x = Number()) {
            const std::optional<double> y = Number();
            if (!y)
                return; // an unpaired last value moves nowhere
            const Point to = Bounded(relative_ ? position_ + Relative(*x, *y) : Absolute(*x, *y));
            if (down_)
                AddLine(position_, to);
            position_ = to;
        }
    }

    void SelectPen()
    {
        std::array<double, 1> p{};
        if (Numbers(p) == 0) {
            pen_ = 0; // "SP;" puts the pen away: pen 0
            return;
        }
        const double pen = std::trunc(p[0]);
        if (pen < 0 || pen > kMaxPen) {
            ++d_.outOfRange;
            return;
        }
        pen_ = static_cast<int32_t>(pen);
    }

    void InputP1P2()
    {
        std::array<double, 4> p{};
        const size_t n = Numbers(p);
        if (n == 0) {
            p1_ = {};
            p2_ = {kDefaultP2, kDefaultP2};
        } else if (n >= 2) {
            const Point p1{p[0], p[1]};
            p2_ = n >= 4 ? Point{p[2], p[3]} : p2_ + (p1 - p1_);
            p1_ = p1;
        }
        Scale();
    }

    void SetScale()
    {
        std::array<double, 7> p{};
        const size_t n = Numbers(p);
        if (n == 0) {
            scaled_ = false;
            return;
        }
        const int kind = n >= 5 ? static_cast<int>(p[4]) : 0;
        const bool valid = n >= 4 && kind >= 0 && kind <= 2
                           && (kind == 2 ? p[1] != 0.0 && p[3] != 0.0 : p[0] != p[1] && p[2] != p[3]);
        if (!valid) {
            ++d_.skipped[QStringLiteral("SC")];
            return;
        }
        std::copy_n(p.begin(), 4, scale_.begin());
        scaleKind_ = kind;
        scaleMargin_ = kind == 1 && n >= 7 ? Point{p[5], p[6]} : Point{50.0, 50.0};
        scaled_ = true;
        Scale();
    }

    // Draws from the pen position through `sweep` degrees about `centre`;
    // the pen ends at the arc's end, drawn or not.
    void Sweep(Point centre, double sweep)
    {
        const Point from = position_;
        const Point radius = from - centre;
        if (sweep == 0.0 || !std::isfinite(sweep) || (radius.x == 0.0 && radius.y == 0.0))
            return;
        Point to = from; // a sweep of a whole turn or more: the whole circle
        if (std::abs(sweep) < 360.0) {
            const double a = sweep * std::numbers::pi / 180.0;
            to = Bounded({centre.x + radius.x * std::cos(a) - radius.y * std::sin(a),
                          centre.y + radius.x * std::sin(a) + radius.y * std::cos(a)});
        }
        if (down_)
            AddArc(centre, from, to, sweep > 0.0);
        position_ = to;
    }

    void ArcBySweep(bool relative)
    {
        std::array<double, 4> p{};
        if (Numbers(p) < 3)
            return;
        Sweep(Bounded(relative ? position_ + Relative(p[0], p[1]) : Absolute(p[0], p[1])), p[2]);
    }

    void ArcThroughThree(bool relative)
    {
        std::array<double, 5> p{};
        if (Numbers(p) < 4)
            return;
        const Point a = position_;
        const Point m = Bounded(relative ? a + Relative(p[0], p[1]) : Absolute(p[0], p[1]));
        const Point e = Bounded(relative ? a + Relative(p[2], p[3]) : Absolute(p[2], p[3]));
        if (a == e) { // the circle whose diameter runs to the middle point
            if (down_ && !(a == m))
                AddArc({(a.x + m.x) / 2, (a.y + m.y) / 2}, a, a, true);
            return;
        }
        const Point u = m - a;
        const Point v = e - a;
        const double cross = u.x * v.y - u.y * v.x;
        if (cross == 0.0) { // on one line: drawn straight
            if (down_)
                AddLine(a, e);
        } else if (down_) {
            const double uu = u.x * u.x + u.y * u.y;
            const double vv = v.x * v.x + v.y * v.y;
            const Point centre{a.x + (v.y * uu - u.y * vv) / (2 * cross), a.y + (u.x * vv - v.x * uu) / (2 * cross)};
            AddArc(Bounded(centre), a, e, cross > 0.0);
        }
        position_ = e;
    }

    // A whole circle about the pen, drawn whatever the pen's state; the pen
    // stays at the centre.
    void Circle()
    {
        std::array<double, 2> p{};
        if (Numbers(p) < 1)
            return;
        const double r = std::min(Radius(p[0]), kPositionBound);
        if (r == 0.0)
            return;
        const Point start{position_.x + r, position_.y};
        AddArc(position_, start, start, true);
    }

    // Four lines from the pen to the opposite corner and back, drawn
    // whatever the pen's state; the pen stays where it was.
    void Rectangle(bool relative)
    {
        std::array<double, 2> p{};
        if (Numbers(p) < 2)
            return;
        const Point a = position_;
        const Point c = Bounded(relative ? a + Relative(p[0], p[1]) : Absolute(p[0], p[1]));
        if (a.x == c.x || a.y == c.y)
            return;
        const Point corners[] = {a, {c.x, a.y}, c, {a.x, c.y}, a};
        for (size_t i = 0; i + 1 < std::size(corners); ++i)
            AddLine(corners[i], corners[i + 1]);
    }

    // The text up to the label terminator (which is taken) or the file's end.
    QByteArrayView Text()
    {
        const qsizetype start = pos_;
        while (pos_ < b_.size() && b_[pos_] != terminator_)
            ++pos_;
        const QByteArrayView text = b_.sliced(start, pos_ - start);
        if (pos_ < b_.size())
            ++pos_;
        return text;
    }

    void Terminator()
    {
        if (pos_ < b_.size() && b_[pos_] != ';' && b_[pos_] != '\0' && b_[pos_] != '\n' && b_[pos_] != kEsc) {
            terminator_ = b_[pos_++];
            SkipParameters(); // the mode: whether the terminator is printed, which it is not here
        } else {
            terminator_ = kEtx;
            SkipParameters();
        }
    }

    void CharacterSize(bool relative)
    {
        std::array<double, 2> p{};
        if (Numbers(p) < 2) {
            relativeSize_ = relative;
            charWidth_ = kDefaultCharWidth;
            charHeight_ = kDefaultCharHeight;
            relativeSizes_ = {0.75, 1.5};
            return;
        }
        relativeSize_ = relative;
        if (relative) {
            relativeSizes_ = {p[0], p[1]};
        } else {
            charWidth_ = std::clamp(p[0] * 10.0, -kPositionBound, kPositionBound); // centimetres
            charHeight_ = std::clamp(p[1] * 10.0, -kPositionBound, kPositionBound);
        }
    }

    void Direction(bool relative)
    {
        std::array<double, 2> p{};
        if (Numbers(p) < 2) {
            direction_ = {1.0, 0.0};
            return;
        }
        const Point d = relative ? Point{p[0] * (p2_.x - p1_.x), p[1] * (p2_.y - p1_.y)} : Point{p[0], p[1]};
        if (d.x != 0.0 || d.y != 0.0)
            direction_ = d;
    }

    // The label's lines (a carriage return goes back to the line's start, a
    // line feed one line down), each a label of its own; the pen ends after
    // the last character.
    void LabelText()
    {
        const QByteArrayView text = Text();
        double width = charWidth_;
        double height = charHeight_;
        if (relativeSize_) {
            width = relativeSizes_.x / 100.0 * (p2_.x - p1_.x) / kUnitsPerMm;
            height = relativeSizes_.y / 100.0 * (p2_.y - p1_.y) / kUnitsPerMm;
        }
        const double length = std::hypot(direction_.x, direction_.y);
        const Point along{direction_.x / length, direction_.y / length};
        const Point across{-along.y, along.x};
        double angle = std::atan2(along.y, along.x);
        if (angle < 0.0)
            angle += 2.0 * std::numbers::pi;
        const double advance = kCellWidth * width * kUnitsPerMm;   // plotter units
        const double lineStep = kCellHeight * height * kUnitsPerMm;
        Point lineStart = position_;
        Point runStart = position_;
        qsizetype first = 0;
        qsizetype count = 0; // printed characters of the run
        auto flush = [&](qsizetype end) {
            QString run = platform::decodeWindows1252(text.sliced(first, end - first));
            run.removeIf([](QChar ch) { return ch.unicode() < 0x20; });
            if (!run.isEmpty()) {
                if (InRange(runStart))
                    d_.labels.push_back({Millimetres(runStart), angle, {kCellWidth * width, height}, run, pen_});
                else
                    ++d_.outOfRange;
            }
            count = run.size();
        };
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char c = text[i];
            if (c != '\r' && c != '\n')
                continue;
            flush(i);
            if (c == '\r') {
                runStart = lineStart;
            } else {
                runStart = runStart - Point{across.x * lineStep, across.y * lineStep};
                lineStart = lineStart - Point{across.x * lineStep, across.y * lineStep};
            }
            runStart = Bounded(runStart);
            lineStart = Bounded(lineStart);
            first = i + 1;
            count = 0;
        }
        flush(text.size());
        position_ = Bounded(runStart + Point{along.x * advance * count, along.y * advance * count});
    }

    QByteArrayView b_;
    Drawing& d_;
    qsizetype pos_ = 0;
    bool pcl_ = false;

    bool down_ = false;
    bool relative_ = false;
    Point position_; // plotter units
    std::optional<int32_t> pen_;
    Point p1_;
    Point p2_;
    bool scaled_ = false;
    int scaleKind_ = 0;
    std::array<double, 4> scale_{};
    Point scaleMargin_{50.0, 50.0};
    Point factor_{1.0, 1.0}; // plotter units per user unit
    Point origin_;           // where user (0, 0) lies
    char terminator_ = kEtx;
    bool relativeSize_ = false;
    double charWidth_ = kDefaultCharWidth; // mm
    double charHeight_ = kDefaultCharHeight;
    Point relativeSizes_{0.75, 1.5}; // per cent of P2 - P1
    Point direction_{1.0, 0.0};
};

} // namespace

bool HpglReader::Read(QByteArrayView bytes, Drawing& drawing, QString* error)
{
    drawing = Drawing();
    Parser parser(bytes, drawing);
    if (!parser.Run(error)) {
        drawing = Drawing();
        return false;
    }
    return true;
}

bool HpglReader::Read(QByteArrayView bytes, std::vector<Line>& lines, QString* error)
{
    Drawing drawing;
    const bool read = Read(bytes, drawing, error);
    lines = std::move(drawing.lines);
    return read;
}

void HpglReader::Emit(const Drawing& drawing, Import::Importer& importer, int32_t defaultLineType)
{
    ImportAttributes attributes;
    for (const Line& l : drawing.lines) {
        attributes.lineType = l.pen.value_or(defaultLineType);
        importer.AddLine(l.start, l.end, attributes);
    }
    for (const Arc& a : drawing.arcs) {
        attributes.lineType = a.pen.value_or(defaultLineType);
        importer.AddArc(a.centre, a.start, a.end, a.counterClockwise ? 1 : 0, attributes);
    }
    for (const Label& t : drawing.labels) {
        attributes.lineType = t.pen.value_or(defaultLineType);
        importer.AddText(t.position, t.angle, t.size, t.text, attributes, 0);
    }
}

QString HpglReader::SkippedText(const Drawing& drawing)
{
    QStringList parts;
    for (const auto& [name, count] : drawing.skipped)
        parts.push_back(QStringLiteral("%1 %2").arg(count).arg(name));
    return parts.join(QStringLiteral(", "));
}

} // namespace hpgl
