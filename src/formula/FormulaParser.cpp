#include "formula/FormulaParser.h"

#include "formula/FormulaError.h"
#include "formula/FormulaVariable.h"
#include "formula/FunctionTable.h"
#include "platform/CFormat.h"

#include <QHash>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Bounds that keep a hostile formula from exhausting time or stack: far above
// any formula a person writes, each reported as out of memory.
constexpr int kMaxTokens = 1000;
constexpr int kMaxNodes = 10000;
constexpr int kMaxNesting = 1000;

struct FormulaToken {
    QString text;
    int priority = 0;
    int depth = 0; // conditional nesting mark
};

// A node of the expression tree; children are node indices, -1 for none.
struct FormulaNode {
    int token = -1;
    int id = 0;             // 0 operator, 1 operand, 21-34 function, 40 conditional
    bool complete = true;   // a conditional found its comparison, "then" and "else"
    int comparison = -1;    // token of the conditional's comparison
    int condLeft = -1;
    int condRight = -1;
    int thenBranch = -1;
    int elseBranch = -1;
    int left = -1;
    int right = -1;
};

constexpr int kOperatorId = 0;
constexpr int kOperandId = 1;

bool IsOperatorStart(const QString& s, qsizetype i)
{
    switch (s[i].unicode()) {
    case u'(': case u')': case u'/': case u'-': case u'*': case u'+':
    case u'^': case u'<': case u'>': case u'=':
        return true;
    case u'!':
        return i + 1 < s.size() && s[i + 1] == u'=';
    default:
        return false;
    }
}

// The length of the keyword the text ends with ("then", "else", "if"), 0 when
// none. A name run is tested after every character, so a keyword inside it is
// always found as it completes, at the run's end.
qsizetype KeywordAtEnd(QStringView run)
{
    if (run.endsWith(u"then") || run.endsWith(u"else"))
        return 4;
    if (run.endsWith(u"if"))
        return 2;
    return 0;
}

FormulaComparison ComparisonOf(QStringView text)
{
    if (text == u"<")
        return FormulaComparison::Less;
    if (text == u"<=")
        return FormulaComparison::LessEqual;
    if (text == u"=")
        return FormulaComparison::Equal;
    if (text == u">")
        return FormulaComparison::Greater;
    if (text == u">=")
        return FormulaComparison::GreaterEqual;
    return FormulaComparison::NotEqual;
}

class Parser {
public:
    explicit Parser(const FunctionTable& functions) : functions_(functions) {}

    ParsedFormula Run(const QString& text);

private:
    // Token stages.
    void Tokenize(const QString& s);
    void MarkSigns();
    void AssignPriorities();
    int RemoveParentheses();

    // Conditionals.
    struct ConditionalParts {
        int comparison = -1;
        int thenToken = -1;
        int elseToken = -1; // -1: the conditional is incomplete
        int elseEnd = -1;   // one past the else-branch
    };
    ConditionalParts FindConditionalParts(int ifToken);
    bool BreaksParenthesisRule(int ifToken);

    // Tree.
    int FindSplitToken(int a, int b) const;
    int NewNode(int token, int id);
    int BuildTree(int a, int b, int nesting);
    void BuildConditional(int node, int ifToken, int nesting);
    int BuildPart(int a, int b, int nesting);
    bool IsIf(int token) const { return tokens_[token].text == u"if"; }

    // Program.
    struct Segment {
        int base = 0;   // stack depth where the segment starts
        int depth = 0;  // values it has pushed so far
        bool dead = false;
    };
    void Emit(int node, Segment& seg);
    void EmitOperand(const QString& text, Segment& seg);
    void EmitConditional(const FormulaNode& node, Segment& seg);
    bool Need(Segment& seg, int operands);
    void Push(Segment& seg, int values = 1);
    void EndSegment(Segment& seg);
    void Append(FormulaOp op, int arg = 0, double number = 0.0, uint8_t detail = 0);
    // Constant folding: true when the last `count` instructions push numbers
    // and no jump lands among them.
    bool EndsInNumbers(size_t count) const;
    void EmitArithmetic(FormulaOp op, int arg = 0);
    void MarkJumpTarget(size_t index);

    const FunctionTable& functions_;
    std::vector<FormulaToken> tokens_;
    std::vector<FormulaNode> nodes_;
    int error_ = 0;
    FormulaProgram program_;
    QHash<QString, int> referenceIndex_;
    size_t foldBarrier_ = 0; // instructions before it are never folded
};

ParsedFormula Parser::Run(const QString& text)
{
    ParsedFormula result;
    const QString s = FormulaVariable::RemoveCommentsAndBlanks(text);
    if (s.isEmpty()) {
        result.error = FormulaError::Empty;
        return result;
    }
    if (FormulaVariable::IsNumberText(s)) {
        result.isConstant = true;
        result.constValue = platform::wtof(s);
        return result;
    }
    Tokenize(s);
    if (error_ != 0) {
        result.error = error_;
        return result;
    }
    MarkSigns();
    AssignPriorities();
    if (const int error = RemoveParentheses(); error != 0) {
        result.error = error;
        return result;
    }
    const int n = static_cast<int>(tokens_.size());
    for (int t = 0; t < n; ++t) {
        if (IsIf(t) && BreaksParenthesisRule(t)) {
            result.error = FormulaError::Malformed;
            return result;
        }
    }
    for (FormulaToken& t : tokens_)
        t.depth = 0;
    int root = -1;
    if (n > 0) {
        if (FindSplitToken(0, n - 1) < 0)
            root = NewNode(0, kOperandId); // the other tokens are ignored
        else
            root = BuildTree(0, n - 1, 0);
    }
    if (error_ != 0) {
        result.error = error_;
        return result;
    }
    Segment seg;
    Emit(root, seg);
    EndSegment(seg);
    Append(FormulaOp::Return);
    FuseVariableOperands(program_.code);
    result.program = std::move(program_);
    return result;
}

void Parser::Tokenize(const QString& s)
{
    const qsizetype n = s.size();
    qsizetype i = 0;
    while (i < n) {
        if (static_cast<int>(tokens_.size()) >= kMaxTokens) {
            error_ = FormulaError::OutOfMemory;
            return;
        }
        const QChar c = s[i];
        qsizetype length = 1;
        if (IsOperatorStart(s, i)) {
            const bool hasNext = i + 1 < n;
            if (c == u'*' && hasNext && s[i + 1] == u'*')
                length = 2;
            else if ((c == u'<' || c == u'>' || c == u'=' || c == u'!') && hasNext
                     && s[i + 1] == u'=')
                length = 2;
        } else if (FormulaVariable::IsNumberChar(c)) {
            while (i + length < n && FormulaVariable::IsNumberChar(s[i + length]))
                ++length;
        } else {
            // A name runs to the next operator character, or ends as soon as
            // it holds "then", "else" or "if"; a keyword after the start of
            // the run becomes a token of its own.
            qsizetype keyword = KeywordAtEnd(QStringView(s).mid(i, length));
            while (keyword == 0 && i + length < n && !IsOperatorStart(s, i + length)) {
                ++length;
                keyword = KeywordAtEnd(QStringView(s).mid(i, length));
            }
            if (keyword > 0 && keyword < length)
                length -= keyword;
        }
        tokens_.push_back({s.mid(i, length), 0, 0});
        i += length;
    }
}

void Parser::MarkSigns()
{
    std::vector<FormulaToken> out;
    out.reserve(tokens_.size());
    QString previous = QStringLiteral("(");
    const size_t n = tokens_.size();
    for (size_t i = 0; i < n; ++i) {
        FormulaToken& t = tokens_[i];
        const bool isSign = i + 1 < n && (t.text == u"+" || t.text == u"-")
            && (previous.startsWith(u'(') || FormulaVariable::IsComparisonOperator(previous)
                || FormulaVariable::KeywordCode(previous) != 0
                || FormulaVariable::IsOperatorToken(previous));
        if (isSign && t.text == u"+") {
            previous = t.text; // dropped
            continue;
        }
        // Only a number run merges with the sign ("--5" is the negation of -5).
        if (isSign && FormulaVariable::IsNumberChar(tokens_[i + 1].text.front())) {
            t.text += tokens_[i + 1].text;
            ++i;
        } else if (isSign) {
            t.text = QStringLiteral("^");
        }
        previous = t.text;
        out.push_back(std::move(t));
    }
    tokens_ = std::move(out);
}

void Parser::AssignPriorities()
{
    int add = 1, multiply = 2, negate = 3, function = 4;
    for (FormulaToken& t : tokens_) {
        const QString& s = t.text;
        if (s == u"(") {
            add += 6, multiply += 6, negate += 6, function += 6;
        } else if (s == u")") {
            add -= 6, multiply -= 6, negate -= 6, function -= 6;
        } else if (s == u"^") {
            t.priority = negate;
        } else if (s == u"*" || s == u"/") {
            t.priority = multiply;
        } else if (s == u"+" || s == u"-") {
            t.priority = add;
        } else if (functions_.IdOf(s) != 0) {
            t.priority = function;
        }
    }
}

int Parser::RemoveParentheses()
{
    int depth = 0;
    std::vector<FormulaToken> out;
    out.reserve(tokens_.size());
    for (FormulaToken& t : tokens_) {
        if (t.text == u"(") {
            ++depth;
        } else if (t.text == u")") {
            if (depth == 0)
                return FormulaError::UnmatchedClose;
            --depth;
        } else {
            out.push_back(std::move(t));
        }
    }
    if (depth > 0)
        return FormulaError::UnclosedOpen;
    tokens_ = std::move(out);
    return 0;
}

// Among the tokens a..b of priority above 0, the one of the smallest
// priority, the rightmost on ties (so operators group from the left), except
// that an "if" holds against the tokens of its priority after it: they stand
// in its else-branch ("else sin(30)", "else if ..."), as lower priorities
// would end it.
int Parser::FindSplitToken(int a, int b) const
{
    int best = -1;
    for (int i = a; i <= b; ++i) {
        const int p = tokens_[i].priority;
        if (p <= 0 || (best >= 0 && p > tokens_[best].priority))
            continue;
        if (best >= 0 && p == tokens_[best].priority && IsIf(best))
            continue;
        best = i;
    }
    return best;
}

int Parser::NewNode(int token, int id)
{
    if (static_cast<int>(nodes_.size()) >= kMaxNodes) {
        error_ = FormulaError::OutOfMemory;
        return -1;
    }
    FormulaNode node;
    node.token = token;
    node.id = id;
    nodes_.push_back(node);
    return static_cast<int>(nodes_.size()) - 1;
}

int Parser::BuildTree(int a, int b, int nesting)
{
    if (error_ != 0)
        return -1;
    if (nesting > kMaxNesting) {
        error_ = FormulaError::OutOfMemory;
        return -1;
    }
    const int k = FindSplitToken(a, b);
    if (k < 0)
        return -1; // nothing is built: the operands of the range are ignored
    const int function = functions_.IdOf(tokens_[k].text);
    const int node = NewNode(k, function != 0 ? function : kOperatorId);
    if (node < 0)
        return -1;
    if (a >= b) {
        nodes_[node].complete = function != FunctionId::If;
        return node;
    }
    if (function == FunctionId::If)
        BuildConditional(node, k, nesting);
    int left = -1;
    if (a < k - 1)
        left = BuildTree(a, k - 1, nesting + 1);
    else if (a == k - 1)
        left = NewNode(a, kOperandId);
    int right = -1;
    if (k + 1 < b && function != FunctionId::If)
        right = BuildTree(k + 1, b, nesting + 1);
    else if (k + 1 == b)
        right = NewNode(b, kOperandId);
    nodes_[node].left = left;
    nodes_[node].right = right;
    return node;
}

int Parser::BuildPart(int a, int b, int nesting)
{
    if (a > b)
        return -1;
    if (a == b)
        return NewNode(a, kOperandId);
    return BuildTree(a, b, nesting + 1);
}

// The parts of the conditional of the "if" token I over the rest of the
// token list. Its comparison, "then" and "else" are the first ones at its own
// depth; the else-branch runs to the first operator of lower priority than
// the "if", to a comparison, "then" or "else" of an enclosing conditional (a
// conditional in parentheses may stand left of a comparison), or to the end.
Parser::ConditionalParts Parser::FindConditionalParts(int ifToken)
{
    const int n = static_cast<int>(tokens_.size());
    int level = 0;
    for (int t = ifToken; t < n; ++t) {
        FormulaToken& token = tokens_[t];
        if (token.text == u"if") {
            token.depth = ++level;
        } else if (FormulaVariable::IsComparisonOperator(token.text) || token.text == u"then") {
            token.depth = level;
        } else if (token.text == u"else") {
            token.depth = level--;
        }
        if (level < 0)
            break;
    }
    auto findFrom = [&](int from, auto matches) {
        for (int t = from; t < n; ++t) {
            if (tokens_[t].depth == 1 && matches(tokens_[t].text))
                return t;
        }
        return -1;
    };
    ConditionalParts parts;
    parts.comparison = findFrom(ifToken + 1, [](const QString& s) {
        return FormulaVariable::IsComparisonOperator(s);
    });
    parts.thenToken = parts.comparison < 0
        ? -1 : findFrom(parts.comparison + 1, [](const QString& s) { return s == u"then"; });
    parts.elseToken = parts.thenToken < 0
        ? -1 : findFrom(parts.thenToken + 1, [](const QString& s) { return s == u"else"; });
    if (parts.elseToken < 0)
        return parts;
    const int ifPriority = tokens_[ifToken].priority;
    int end = parts.elseToken + 1;
    for (; end < n; ++end) {
        const FormulaToken& t = tokens_[end];
        if (t.priority > 0 && t.priority < ifPriority)
            break;
        if ((FormulaVariable::KeywordCode(t.text) != 0
             || FormulaVariable::IsComparisonOperator(t.text))
            && t.depth < 1)
            break;
    }
    parts.elseEnd = end;
    return parts;
}

// Conditions and then-branches that hold an operator, a function or a
// conditional are written in parentheses: outside them, such a token would
// take the conditional apart ('if A*2>B then 1 else 2' would be A times the
// rest). A complete conditional with a token of its priority or lower before
// its "else" breaks the rule.
bool Parser::BreaksParenthesisRule(int ifToken)
{
    const ConditionalParts parts = FindConditionalParts(ifToken);
    if (parts.elseToken < 0)
        return false; // incomplete: malformed when it runs
    const int ifPriority = tokens_[ifToken].priority;
    for (int t = ifToken + 1; t < parts.elseToken; ++t) {
        const int p = tokens_[t].priority;
        if (p > 0 && p <= ifPriority)
            return true;
    }
    return false;
}

// The conditional from the "if" token I over the rest of the token list.
void Parser::BuildConditional(int node, int ifToken, int nesting)
{
    const ConditionalParts parts = FindConditionalParts(ifToken);
    if (parts.elseToken < 0) {
        nodes_[node].complete = false;
    } else {
        const int condLeft = BuildPart(ifToken + 1, parts.comparison - 1, nesting);
        const int condRight = BuildPart(parts.comparison + 1, parts.thenToken - 1, nesting);
        const int thenBranch = BuildPart(parts.thenToken + 1, parts.elseToken - 1, nesting);
        const int elseBranch = BuildPart(parts.elseToken + 1, parts.elseEnd - 1, nesting);
        FormulaNode& c = nodes_[node];
        c.comparison = parts.comparison;
        c.condLeft = condLeft;
        c.condRight = condRight;
        c.thenBranch = thenBranch;
        c.elseBranch = elseBranch;
    }
    const int n = static_cast<int>(tokens_.size());
    for (int t = ifToken; t < n; ++t)
        tokens_[t].depth = 1;
}

void Parser::Append(FormulaOp op, int arg, double number, uint8_t detail)
{
    FormulaInstruction in;
    in.Set(op, detail);
    in.arg = static_cast<uint16_t>(arg);
    if (op == FormulaOp::Number)
        in.number = number;
    program_.code.push_back(in);
}

void Parser::MarkJumpTarget(size_t index)
{
    program_.code[index].target = static_cast<int32_t>(program_.code.size());
    foldBarrier_ = program_.code.size();
}

bool Parser::EndsInNumbers(size_t count) const
{
    const std::vector<FormulaInstruction>& code = program_.code;
    if (code.size() < foldBarrier_ + count)
        return false;
    for (size_t i = code.size() - count; i < code.size(); ++i) {
        if (code[i].Op() != FormulaOp::Number)
            return false;
    }
    return true;
}

// Appends an arithmetic instruction, or computes it at once when its operands
// are numbers and the result is a finite number (an operation that fails is
// left for the evaluation, which reports it in its order).
void Parser::EmitArithmetic(FormulaOp op, int arg)
{
    std::vector<FormulaInstruction>& code = program_.code;
    const size_t operands = op == FormulaOp::Negate || op == FormulaOp::Function ? 1 : 2;
    if (EndsInNumbers(operands)) {
        const double y = code.back().number;
        const double x = operands == 2 ? code[code.size() - 2].number : 0.0;
        double r = 0.0;
        bool folded = true;
        switch (op) {
        case FormulaOp::Negate: r = -y; break;
        case FormulaOp::Add: r = x + y; break;
        case FormulaOp::Subtract: r = x - y; break;
        case FormulaOp::Multiply: r = x * y; break;
        case FormulaOp::Divide: folded = y != 0.0; r = folded ? x / y : 0.0; break;
        case FormulaOp::Power: folded = ApplyPower(x, y, r); break;
        case FormulaOp::Function: folded = ApplyFunction(arg, y, r); break;
        default: folded = false; break;
        }
        if (folded && std::isfinite(r)) {
            code.resize(code.size() - operands);
            Append(FormulaOp::Number, 0, r);
            return;
        }
    }
    // A right operand pushed just before a binary operation is taken by the
    // operation itself.
    if (operands == 2 && code.size() > foldBarrier_
        && (code.back().Op() == FormulaOp::Number || code.back().Op() == FormulaOp::Variable)) {
        FormulaInstruction& last = code.back();
        if (last.Op() == FormulaOp::Number) {
            // Dividing by a power of two is multiplying by its inverse, exactly.
            int exponent = 0;
            if (op == FormulaOp::Divide && std::frexp(last.number, &exponent) == 0.5
                && std::isfinite(1.0 / last.number)) {
                op = FormulaOp::Multiply;
                last.number = 1.0 / last.number;
            }
            last.Set(op, static_cast<uint8_t>(FormulaOperand::Number));
            if (op == FormulaOp::Divide && last.number == 0.0)
                last.handler = FormulaHandler::DivideByZero;
        } else {
            last.Set(op, static_cast<uint8_t>(FormulaOperand::Variable));
        }
        return;
    }
    if (op == FormulaOp::Function) {
        // The evaluation finds the function by its distance from the first;
        // one it does not know stops it as malformed.
        const bool known = arg >= FunctionId::Sin && arg <= FunctionId::Deg;
        Append(op, arg, 0.0, static_cast<uint8_t>(known ? arg - FunctionId::Sin : 15));
        return;
    }
    Append(op, arg);
}

void Parser::Push(Segment& seg, int values)
{
    seg.depth += values;
    program_.maxDepth = std::max(program_.maxDepth, seg.base + seg.depth);
}

// An instruction that takes more values than its segment holds would pop an
// empty stack: the program stops there with Malformed instead.
bool Parser::Need(Segment& seg, int operands)
{
    if (seg.depth >= operands)
        return true;
    Append(FormulaOp::Malformed);
    seg.dead = true;
    return false;
}

// A segment (a whole formula or one part of a conditional) yields the value
// it pushed last; one that pushed nothing is malformed.
void Parser::EndSegment(Segment& seg)
{
    if (seg.dead)
        return;
    if (seg.depth == 0) {
        Append(FormulaOp::Malformed);
        seg.dead = true;
    } else if (seg.depth > 1) {
        Append(FormulaOp::Collapse, seg.depth);
        seg.depth = 1;
    }
}

void Parser::Emit(int index, Segment& seg)
{
    if (index < 0 || seg.dead)
        return;
    const FormulaNode node = nodes_[index];
    Emit(node.left, seg);
    Emit(node.right, seg);
    if (seg.dead)
        return;
    const QString& text = tokens_[node.token].text;
    switch (node.id) {
    case kOperandId:
        EmitOperand(text, seg);
        return;
    case kOperatorId:
        if (text == u"^") {
            if (Need(seg, 1))
                EmitArithmetic(FormulaOp::Negate);
            return;
        }
        if (Need(seg, 2)) {
            FormulaOp op = FormulaOp::Add;
            if (text == u"-")
                op = FormulaOp::Subtract;
            else if (text == u"*")
                op = FormulaOp::Multiply;
            else if (text == u"/")
                op = FormulaOp::Divide;
            EmitArithmetic(op);
            seg.depth -= 1;
        }
        return;
    case FunctionId::Power:
        if (Need(seg, 2)) {
            EmitArithmetic(FormulaOp::Power);
            seg.depth -= 1;
        }
        return;
    case FunctionId::If:
        EmitConditional(node, seg);
        return;
    default:
        if (Need(seg, 1))
            EmitArithmetic(FormulaOp::Function, node.id);
        return;
    }
}

void Parser::EmitOperand(const QString& text, Segment& seg)
{
    if (FormulaVariable::IsNumberText(text)) {
        Append(FormulaOp::Number, 0, platform::wtof(text));
        Push(seg);
    } else if (FormulaVariable::IsVariableName(text)) {
        auto it = referenceIndex_.constFind(text);
        int ref = 0;
        if (it != referenceIndex_.constEnd()) {
            ref = it.value();
        } else {
            ref = static_cast<int>(program_.references.size());
            program_.references.push_back({text, nullptr, 0});
            referenceIndex_.insert(text, ref);
        }
        Append(FormulaOp::Variable, ref);
        Push(seg);
    }
    // Any other operand ("then", "else", an operator left as an operand)
    // pushes nothing.
}

void Parser::EmitConditional(const FormulaNode& node, Segment& seg)
{
    if (!node.complete) {
        Append(FormulaOp::Malformed);
        seg.dead = true;
        return;
    }
    const int base = seg.base + seg.depth;
    Segment left{base, 0, false};
    Emit(node.condLeft, left);
    EndSegment(left);
    Segment right{base + 1, 0, false};
    Emit(node.condRight, right);
    EndSegment(right);
    const size_t branch = program_.code.size();
    Append(FormulaOp::Branch, 0, 0.0,
           static_cast<uint8_t>(ComparisonOf(tokens_[node.comparison].text)));
    Segment thenSeg{base, 0, false};
    Emit(node.thenBranch, thenSeg);
    EndSegment(thenSeg);
    const size_t jump = program_.code.size();
    Append(FormulaOp::Jump);
    MarkJumpTarget(branch);
    Segment elseSeg{base, 0, false};
    Emit(node.elseBranch, elseSeg);
    EndSegment(elseSeg);
    MarkJumpTarget(jump);
    Push(seg);
}

} // namespace

bool ParsedFormula::Parsed() const
{
    return error != FormulaError::Empty && error != FormulaError::UnmatchedClose
        && error != FormulaError::UnclosedOpen && error != FormulaError::Malformed;
}

ParsedFormula ParseFormula(const QString& text, const FunctionTable& functions)
{
    return Parser(functions).Run(text);
}
