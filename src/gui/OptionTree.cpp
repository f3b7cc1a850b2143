#include "gui/OptionTree.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace gui {

namespace {

int DefaultMeasure(const QString& text)
{
    return 7 * static_cast<int>(text.size());
}

// "%#f" without trailing zeros and point, with no locale: 3.0 gives "3".
QString FormatNumber(double value)
{
    QString text = QString::number(value, 'f', 6);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    if (text == QLatin1String("-0"))
        text = QStringLiteral("0");
    return text;
}

// The leading decimal number of a text; 0 when it has none.
double LeadingNumber(const QString& text)
{
    const QString trimmed = text.trimmed();
    qsizetype end = 0;
    if (end < trimmed.size() && (trimmed[end] == QLatin1Char('-') || trimmed[end] == QLatin1Char('+')))
        ++end;
    bool digits = false;
    bool point = false;
    while (end < trimmed.size()) {
        const QChar c = trimmed[end];
        if (c.isDigit() && c.unicode() < 128)
            digits = true;
        else if (c == QLatin1Char('.') && !point)
            point = true;
        else
            break;
        ++end;
    }
    if (!digits)
        return 0.0;
    bool ok = false;
    const double value = trimmed.left(end).toDouble(&ok);
    return ok ? value : 0.0;
}

} // namespace

// ---- items ----

bool COptionTreeItem::IsRootChild() const
{
    return tree_ && parent_ == tree_->Root();
}

void COptionTreeItem::Expand(bool flag)
{
    if (tree_)
        expanded_ = flag;
}

int COptionTreeItem::GetShownHeight() const
{
    int height = height_;
    if (expanded_)
        for (const auto& child : children_)
            height += child->GetShownHeight();
    return height;
}

QRect COptionTreeItem::ExpandBox() const
{
    if (children_.empty())
        return {};
    return QRect(QPoint(4, y_ + 5), QPoint(12, y_ + 13));
}

void COptionTreeItem::BeginEdit()
{
    editing_ = true;
    committed_ = false;
    if (tree_ && GetKind() != Kind::Category)
        emit tree_->editRequested(this);
}

bool COptionTreeItem::EndEdit()
{
    editing_ = false;
    if (committed_)
        return true;
    committed_ = true;
    if (tree_) {
        CommitChanges();
        tree_->SendNotify(OptionTreeNotify::ItemChanged, this);
        tree_->Relayout();
        emit tree_->changed();
    }
    return true;
}

QString COptionTreeItemComboBox::ValueText() const
{
    return EntryText(current_);
}

void COptionTreeItemComboBox::AddEntry(const QString& text, int data)
{
    entries_.push_back({text, data});
}

QString COptionTreeItemComboBox::EntryText(int index) const
{
    return index >= 0 && index < Count() ? entries_[static_cast<std::size_t>(index)].text : QString();
}

int COptionTreeItemComboBox::EntryData(int index) const
{
    return index >= 0 && index < Count() ? entries_[static_cast<std::size_t>(index)].data : -1;
}

bool COptionTreeItemComboBox::SelectData(int data)
{
    for (int i = 0; i < Count(); ++i)
        if (entries_[static_cast<std::size_t>(i)].data == data) {
            current_ = i;
            return true;
        }
    current_ = -1;
    return false;
}

QString COptionTreeItemEdit::ValueText() const
{
    if (options_ & kPassword)
        return QString(text_.size(), QLatin1Char('*'));
    return text_;
}

void COptionTreeItemEdit::SetOptions(std::uint32_t options)
{
    options_ = options;
    if (options & kMultiLine)
        SetHeight(kOptionMultiLineHeight);
}

void COptionTreeItemSpinner::Setup(std::uint32_t options, double value, double minimum, double maximum)
{
    options_ = options;
    min_ = minimum;
    max_ = maximum;
    SetValue(value);
}

double COptionTreeItemSpinner::GetValue() const
{
    return LeadingNumber(text_);
}

void COptionTreeItemSpinner::SetValue(double value)
{
    text_ = FormatNumber(value);
}

void COptionTreeItemSpinner::StepUp()
{
    const double value = GetValue();
    if (value + 1 > max_) {
        if (options_ & kWrap)
            SetValue(min_);
        return;
    }
    SetValue(value + 1);
}

void COptionTreeItemSpinner::StepDown()
{
    const double value = GetValue();
    if (value - 1 < min_) {
        if (options_ & kWrap)
            SetValue(max_);
        return;
    }
    SetValue(value - 1);
}

bool COptionTreeItemSpinner::UpActive() const
{
    return (options_ & kWrap) || max_ > GetValue();
}

bool COptionTreeItemSpinner::DownActive() const
{
    return (options_ & kWrap) || min_ < GetValue();
}

QString COptionTreeItemFile::ValueText() const
{
    return PathRowText(paths_, options_);
}

void COptionTreeItemFile::Setup(const QString& initialPath, const QString& filter, std::uint32_t options)
{
    options_ = options;
    filter_ = filter;
    paths_ = QStringList{initialPath};
    baseHeight_ = GetHeight();
}

void COptionTreeItemFile::SetPaths(const QStringList& paths, int lineHeight)
{
    paths_ = paths;
    const int needed = static_cast<int>(paths.size()) * (lineHeight + 3);
    if (needed > baseHeight_) {
        SetHeight(needed + 5);
        SetTallLabel(true);
    } else {
        SetHeight(baseHeight_);
        SetTallLabel(false);
    }
}

QString PathRowText(const QStringList& paths, std::uint32_t options)
{
    QStringList pieces;
    for (const QString& path : paths) {
        const QFileInfo info(path);
        if (options & COptionTreeItemFile::kFullPath)
            pieces << path;
        else if (options & (COptionTreeItemFile::kFileName | COptionTreeItemFile::kFileTitle | COptionTreeItemFile::kExtension)) {
            if (!info.isFile())
                continue;
            if (options & COptionTreeItemFile::kFileName)
                pieces << info.fileName();
            else if (options & COptionTreeItemFile::kFileTitle)
                pieces << info.completeBaseName();
            else
                pieces << info.suffix();
        } else if (options & COptionTreeItemFile::kDirectory) {
            const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
            pieces << (slash < 0 ? QString() : path.left(slash + 1));
        } else if (options & COptionTreeItemFile::kDrive)
            pieces << (path.startsWith(QLatin1Char('/')) ? QStringLiteral("/") : QString());
        else
            pieces << path;
    }
    QString text = pieces.join(QLatin1Char('\n'));
    if (paths.isEmpty() || text.isEmpty())
        return QStringLiteral("No selection made.");
    return text;
}

QString ShortenLabel(const QString& label, int width, const std::function<int(const QString&)>& measure)
{
    if (label.isEmpty() || measure(label) + 1 <= width)
        return label;
    const QString dots = QStringLiteral("...");
    const int d = measure(dots);
    qsizetype n = 1;
    for (qsizetype k = label.size() - 1; k >= 1; --k)
        if (measure(label.left(k)) + d + 1 <= width) {
            n = k;
            break;
        }
    return label.left(n) + dots;
}

int SpinnerRepeat::StepsBy(int elapsedMs) const
{
    if (elapsedMs < delayMs)
        return 1;
    return 2 + (elapsedMs - delayMs) / std::max(1, intervalMs);
}

// ---- tree ----

COptionTree::COptionTree(std::uint32_t options, QObject* parent)
    : QObject(parent), options_(options), measure_(DefaultMeasure)
{
    root_.tree_ = this;
    root_.expanded_ = true;
}

COptionTree::~COptionTree() = default;

void COptionTree::SetNotify(bool on)
{
    if (on)
        options_ |= kOptNotify;
    else
        options_ &= ~std::uint32_t(kOptNotify);
}

bool COptionTree::SendNotify(OptionTreeNotify code, COptionTreeItem* item)
{
    if (!HasOption(kOptNotify))
        return false;
    bool cancel = false;
    emit notify(code, item, &cancel);
    return cancel;
}

COptionTreeItem* COptionTree::InsertItem(COptionTreeItem* item, COptionTreeItem* parent)
{
    if (!item)
        return nullptr;
    if (!parent)
        parent = &root_;
    parent->children_.emplace_back(item);
    item->number_ = ++counter_;
    item->parent_ = parent;
    item->tree_ = this;
    SendNotify(OptionTreeNotify::ItemInserted, item);
    Relayout();
    emit changed();
    return item;
}

void COptionTree::DeleteItem(COptionTreeItem* item)
{
    if (!item)
        item = &root_;
    shown_.clear();
    SendNotify(OptionTreeNotify::ItemDeleting, item == &root_ ? nullptr : item);
    while (!item->children_.empty())
        DeleteItem(item->children_.back().get());
    if (item == &root_) {
        Relayout();
        emit changed();
        return;
    }
    if (focused_ == item)
        SetFocusedItem(nullptr);
    auto& siblings = item->parent_->children_;
    const auto it = std::find_if(siblings.begin(), siblings.end(), [item](const auto& p) { return p.get() == item; });
    std::unique_ptr<COptionTreeItem> owned = std::move(*it);
    siblings.erase(it);
    owned.reset();
    Relayout();
    emit changed();
}

void COptionTree::DeleteAllItems()
{
    DeleteItem(nullptr);
    counter_ = 1;
}

void COptionTree::ExpandAllItems()
{
    Walk(nullptr, [](COptionTreeItem* item) {
        item->Expand(true);
        return true;
    });
    Relayout();
    emit changed();
}

void COptionTree::Walk(COptionTreeItem* item, const std::function<bool(COptionTreeItem*)>& visitor)
{
    if (item && !visitor(item))
        return;
    const COptionTreeItem* from = item ? item : &root_;
    for (const auto& child : from->children_)
        Walk(child.get(), visitor);
}

void COptionTree::SetFocusedItem(COptionTreeItem* item)
{
    focused_ = item;
    if (item)
        EnsureVisible(item);
    emit changed();
}

void COptionTree::SelectAll(bool flag)
{
    Walk(nullptr, [flag](COptionTreeItem* item) {
        item->Select(flag);
        return true;
    });
}

void COptionTree::SetColumnWidth(int width)
{
    width = std::max(width, kOptionMargin);
    if (!client_.isEmpty())
        width = std::min(width, client_.width() - kOptionMargin);
    column_ = width;
    Relayout();
    emit changed();
}

void COptionTree::SetScrollOffset(int offset)
{
    const int page = client_.height() + 1;
    const int maximum = std::max(0, TotalHeight() - page);
    scroll_ = std::clamp(offset, 0, maximum);
    emit changed();
}

void COptionTree::SetClientSize(QSize size)
{
    client_ = size;
    Relayout();
    SetScrollOffset(scroll_);
}

void COptionTree::SetMeasure(std::function<int(const QString&)> measure)
{
    measure_ = measure ? std::move(measure) : std::function<int(const QString&)>(DefaultMeasure);
    Relayout();
}

int COptionTree::TotalHeight() const
{
    int total = 0;
    for (const auto& child : root_.children_)
        total += child->GetShownHeight();
    return total;
}

void COptionTree::LayoutRow(COptionTreeItem* item, int x, int& y)
{
    shown_.push_back(item);
    item->x_ = x;
    item->y_ = y;
    const bool top = item->IsRootChild();
    const int textLeft = x + kOptionMargin + 5;
    // The whole label's extent, so that fitting the column to the labels
    // also widens it when they are shown shortened.
    item->labelRight_ = item->label_.trimmed().isEmpty() ? 0 : textLeft + measure_(item->label_);
    y += item->height_;
    if (item->expanded_)
        for (const auto& child : item->children_)
            LayoutRow(child.get(), top ? x : x + kOptionMargin, y);
}

void COptionTree::Relayout()
{
    shown_.clear();
    int y = 0;
    for (const auto& child : root_.children_)
        LayoutRow(child.get(), 0, y);
    if (TotalHeight() < client_.height() + 1)
        scroll_ = 0;
}

bool COptionTree::IsShown(const COptionTreeItem* item) const
{
    return IndexOfShown(item) >= 0;
}

int COptionTree::IndexOfShown(const COptionTreeItem* item) const
{
    const auto it = std::find(shown_.begin(), shown_.end(), item);
    return it == shown_.end() ? -1 : static_cast<int>(it - shown_.begin());
}

COptionTreeItem* COptionTree::FindItem(QPoint point) const
{
    const int y = point.y() + scroll_;
    for (COptionTreeItem* item : shown_)
        if (y >= item->y_ && y < item->y_ + item->height_)
            return item;
    return nullptr;
}

OptionTreeHit COptionTree::HitTest(QPoint point) const
{
    const COptionTreeItem* item = FindItem(point);
    if (!item)
        return OptionTreeHit::Nowhere;
    if (!item->IsRootChild() && std::abs(point.x() - column_) <= 5)
        return OptionTreeHit::ColumnDivider;
    if (point.x() > column_ + 5)
        return OptionTreeHit::Value;
    if (item->ExpandBox().contains(QPoint(point.x(), point.y() + scroll_)))
        return OptionTreeHit::ExpandBox;
    return OptionTreeHit::Label;
}

void COptionTree::EnsureVisible(COptionTreeItem* item)
{
    if (!IsShown(item)) {
        for (COptionTreeItem* p = item->parent_; p && p != &root_; p = p->parent_)
            p->Expand(true);
        Relayout();
    }
    if (!IsShown(item) || client_.isEmpty())
        return;
    const int visibleHeight = client_.height() - item->height_;
    if (item->y_ >= scroll_ && item->y_ <= scroll_ + visibleHeight)
        return;
    SetScrollOffset(item->y_ < scroll_ ? item->y_ : item->y_ + item->height_ - visibleHeight);
}

void COptionTree::ToggleExpand(COptionTreeItem* item)
{
    item->Expand(!item->IsExpanded());
    Relayout();
    SetScrollOffset(scroll_);
    DropHiddenFocus();
}

void COptionTree::DropHiddenFocus()
{
    if (focused_ && !IsShown(focused_)) {
        focused_->Select(false);
        focused_ = nullptr;
        SendNotify(OptionTreeNotify::SelectionChanged, nullptr);
    }
    emit changed();
}

void COptionTree::PressAt(QPoint point)
{
    COptionTreeItem* item = FindItem(point);
    switch (HitTest(point)) {
    case OptionTreeHit::ColumnDivider:
        if (!SendNotify(OptionTreeNotify::ColumnClick, nullptr)) {
            dragging_ = true;
            dragX_ = column_;
        }
        break;
    case OptionTreeHit::ExpandBox:
        if (item->HasChildren() && !SendNotify(OptionTreeNotify::ItemExpanding, item))
            ToggleExpand(item);
        break;
    case OptionTreeHit::Nowhere:
        SelectAll(false);
        focused_ = nullptr;
        SendNotify(OptionTreeNotify::SelectionChanged, nullptr);
        break;
    default: {
        COptionTreeItem* previous = focused_;
        SelectAll(false);
        item->Select(true);
        if (item != previous)
            SendNotify(OptionTreeNotify::SelectionChanged, item);
        if (HitTest(point) == OptionTreeHit::Value && !item->IsRootChild() &&
            !SendNotify(OptionTreeNotify::PropertyClick, item) && !item->IsReadOnly())
            item->BeginEdit();
        SetFocusedItem(item);
        break;
    }
    }
    emit changed();
}

void COptionTree::DragTo(int x)
{
    if (!dragging_)
        return;
    dragX_ = x;
    emit changed();
}

void COptionTree::ReleaseAt(int x)
{
    if (!dragging_)
        return;
    dragging_ = false;
    dragX_ = -1;
    SetColumnWidth(x <= 40 ? 41 : std::min(x, client_.width() - 25));
}

void COptionTree::FitColumn()
{
    int widest = 0;
    for (const COptionTreeItem* item : shown_)
        if (!item->IsRootChild())
            widest = std::max(widest, item->labelRight_);
    SetColumnWidth(std::min(client_.width() - 25, widest + 5));
}

void COptionTree::DoubleClickAt(QPoint point)
{
    COptionTreeItem* item = FindItem(point);
    const OptionTreeHit hit = HitTest(point);
    if (hit == OptionTreeHit::ColumnDivider) {
        FitColumn();
        return;
    }
    if (!item || !item->HasChildren())
        return;
    if (hit == OptionTreeHit::ExpandBox) {
        if (!SendNotify(OptionTreeNotify::ItemExpanding, item))
            ToggleExpand(item);
        return;
    }
    if (hit == OptionTreeHit::Value && !item->IsRootChild())
        return;
    if (item != focused_) {
        SelectAll(false);
        item->Select(true);
        focused_ = item;
        SendNotify(OptionTreeNotify::SelectionChanged, item);
    }
    if (!SendNotify(OptionTreeNotify::ItemExpanding, item))
        ToggleExpand(item);
}

void COptionTree::MoveFocus(COptionTreeItem* item)
{
    if (!item)
        return;
    const bool changedFocus = item != focused_;
    focused_ = item;
    EnsureVisible(item);
    SelectAll(false);
    item->Select(true);
    if (changedFocus)
        SendNotify(OptionTreeNotify::SelectionChanged, item);
    emit changed();
}

void COptionTree::BeginEditFocused()
{
    if (focused_ && !focused_->IsRootChild() && !focused_->IsReadOnly())
        focused_->BeginEdit();
}

bool COptionTree::KeyPress(Key key)
{
    if (shown_.empty())
        return false;
    const int index = IndexOfShown(focused_);
    const int last = static_cast<int>(shown_.size()) - 1;
    auto up = [&] { MoveFocus(index < 0 ? shown_[static_cast<std::size_t>(last)] : shown_[static_cast<std::size_t>(std::max(0, index - 1))]); };
    auto down = [&] { MoveFocus(index < 0 ? shown_.front() : shown_[static_cast<std::size_t>(std::min(last, index + 1))]); };
    switch (key) {
    case Key::Tab:
    case Key::BackTab:
        if (focused_ && !focused_->IsRootChild()) {
            if (key == Key::BackTab)
                up();
            else
                down();
            BeginEditFocused();
        }
        return true;
    case Key::Return:
        BeginEditFocused();
        return true;
    case Key::Home:
        MoveFocus(shown_.front());
        return true;
    case Key::End:
        MoveFocus(shown_.back());
        return true;
    case Key::Left:
        if (focused_ && focused_->HasChildren() && focused_->IsExpanded() &&
            !SendNotify(OptionTreeNotify::ItemExpanding, focused_))
            ToggleExpand(focused_);
        else
            up();
        return true;
    case Key::Right:
        if (focused_ && focused_->HasChildren() && !focused_->IsExpanded() &&
            !SendNotify(OptionTreeNotify::ItemExpanding, focused_))
            ToggleExpand(focused_);
        else
            down();
        return true;
    case Key::Up:
        up();
        return true;
    case Key::Down:
        down();
        return true;
    }
    return false;
}

void COptionTree::Wheel(int delta)
{
    if (TotalHeight() < client_.height())
        return;
    SetScrollOffset(scroll_ + (delta < 0 ? kOptionRowHeight : -kOptionRowHeight));
}

} // namespace gui
