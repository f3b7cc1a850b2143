#include "dlg/VariableEditCtrl.h"

#include "options/LanguageTable.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QSyntaxHighlighter>
#include <QTextBlock>
#include <QTextCursor>

namespace dlg {

using namespace formulatokens;

// Formats the tokens of each block from the field's last scan of the whole
// text (the parentheses colour needs the whole text).
class FormulaHighlighter : public QSyntaxHighlighter {
public:
    FormulaHighlighter(CVariableEditCtrl& field) : QSyntaxHighlighter(field.document()), field_(field) {}

protected:
    void highlightBlock(const QString& text) override
    {
        const int blockStart = currentBlock().position();
        const int blockEnd = blockStart + static_cast<int>(text.size());
        for (const Token& t : field_.Tokens()) {
            const int s = std::max(t.start, blockStart);
            const int e = std::min(t.end, blockEnd);
            if (e > s)
                setFormat(s - blockStart, e - s, FormatOf(t.kind));
        }
    }

private:
    QTextCharFormat FormatOf(int kind) const
    {
        QTextCharFormat f;
        switch (kind) {
        case kFunction: f.setFontWeight(QFont::Bold); break;
        case kNumber: f.setFontItalic(false); break;
        case kVariable: f.setForeground(QColor(128, 128, 0)); break;
        case kPlaceholder: f.setForeground(QColor(0, 128, 128)); break;
        case kOperator: f.setForeground(QColor(125, 125, 125)); break;
        case kParenthesis:
            f.setForeground(field_.ParenthesesState() == 0 ? QColor(0, 255, 0) : QColor(255, 0, 0));
            break;
        case kComparison: f.setForeground(QColor(0, 0, 255)); break;
        default: break;
        }
        if (kind != kFunction && kind != kNumber)
            f.setFontWeight(QFont::Normal);
        return f;
    }

    CVariableEditCtrl& field_;
};

CVariableEditCtrl::CVariableEditCtrl(FormulaTable* table, QWidget* parent) : QPlainTextEdit(parent), table_(table)
{
    setTabChangesFocus(true);
    highlighter_ = new FormulaHighlighter(*this);
    connect(document(), &QTextDocument::contentsChanged, this, [this] {
        if (!busy_)
            Rescan();
    });
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, [this] { SnapSelection(); });
    connect(this, &QPlainTextEdit::selectionChanged, this, [this] { SnapSelection(); });
}

CVariableEditCtrl::~CVariableEditCtrl() = default;

void CVariableEditCtrl::SetFormulaTable(FormulaTable* table)
{
    table_ = table;
    Rescan();
}

void CVariableEditCtrl::SetText(const QString& text)
{
    setPlainText(text);
    Rescan();
}

void CVariableEditCtrl::Rescan()
{
    const QString text = toPlainText();
    tokens_ = Scan(text, table_);
    parentheses_ = CheckParentheses(text);
    busy_ = true;
    highlighter_->rehighlight();
    busy_ = false;
}

void CVariableEditCtrl::SnapSelection()
{
    if (busy_)
        return;
    busy_ = true;
    QTextCursor cursor = textCursor();
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    const Selection snapped = Snap(toPlainText(), previous_, start, end);
    if (snapped.start != start || snapped.end != end) {
        const bool caretAtStart = start == end ? false : snapped.caretAtStart;
        cursor.setPosition(caretAtStart ? snapped.end : snapped.start);
        cursor.setPosition(caretAtStart ? snapped.start : snapped.end, QTextCursor::KeepAnchor);
        setTextCursor(cursor);
    }
    previous_ = snapped;
    busy_ = false;
}

void CVariableEditCtrl::InsertText(const QString& text)
{
    QTextCursor cursor = textCursor();
    cursor.insertText(text);
    setTextCursor(cursor);
}

QMenu* CVariableEditCtrl::BuildContextMenu(QWidget* parent)
{
    auto* menu = new QMenu(parent);
    menu->addAction(Translate(kTextCut), this, &QPlainTextEdit::cut);
    menu->addAction(Translate(kTextCopy), this, &QPlainTextEdit::copy);
    menu->addAction(Translate(kTextPaste), this, &QPlainTextEdit::paste);
    menu->addSeparator();
    menu->addAction(Translate(kTextSelectAll), this, &QPlainTextEdit::selectAll);
    menu->addSeparator();
    QMenu* functions = menu->addMenu(Translate(kTextInsertFunction));
    functions->setObjectName(QStringLiteral("InsertFunction"));
    for (const FunctionItem& entry : FunctionEntries(table_)) {
        if (entry.separator) {
            functions->addSeparator();
            continue;
        }
        const QString insert = entry.insertText;
        functions->addAction(entry.label, this, [this, insert] { InsertText(insert); });
    }
    QMenu* variables = menu->addMenu(Translate(kTextInsertVariable));
    variables->setObjectName(QStringLiteral("InsertVariable"));
    for (const VariableGroup& group : VariableEntries(table_)) {
        QMenu* target = group.title.isEmpty() ? variables : variables->addMenu(group.title);
        for (const VariableItem& entry : group.entries) {
            const QString name = entry.name;
            target->addAction(entry.label, this, [this, name] { InsertText(name); });
        }
    }
    return menu;
}

void CVariableEditCtrl::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = BuildContextMenu(this);
    menu->exec(event->globalPos());
    delete menu;
}

} // namespace dlg
