#include "gui/OptionTreeWidget.h"

#include "options/PathChooser.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QStyleHints>
#include <QToolButton>
#include <QVBoxLayout>

namespace gui {

namespace {

// The spinner's editor: a number field with up and down arrows that repeat
// while held at the desktop's keyboard rate.
class SpinnerEditor : public QWidget {
public:
    SpinnerEditor(COptionTreeItemSpinner& item, QWidget* parent) : QWidget(parent), item_(item)
    {
        auto* layout = new QHBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        field_ = new QLineEdit(item.GetText(), this);
        field_->setReadOnly((item.Options() & COptionTreeItemSpinner::kTyping) == 0);
        layout->addWidget(field_, 1);
        auto* arrows = new QVBoxLayout;
        arrows->setSpacing(0);
        up_ = Arrow(Qt::UpArrow, [this] { item_.StepUp(); });
        down_ = Arrow(Qt::DownArrow, [this] { item_.StepDown(); });
        arrows->addWidget(up_);
        arrows->addWidget(down_);
        layout->addLayout(arrows);
        setFocusProxy(field_);
        connect(field_, &QLineEdit::textEdited, this, [this](const QString& text) {
            item_.SetText(text);
            Refresh();
        });
        Refresh();
    }
    QLineEdit* Field() const { return field_; }

private:
    QToolButton* Arrow(Qt::ArrowType type, std::function<void()> step)
    {
        auto* button = new QToolButton(this);
        button->setArrowType(type);
        button->setFixedSize(17, 10);
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRepeat(true);
        const SpinnerRepeat repeat = DesktopRepeat();
        button->setAutoRepeatDelay(repeat.delayMs);
        button->setAutoRepeatInterval(repeat.intervalMs);
        connect(button, &QToolButton::clicked, this, [this, step] {
            step();
            field_->setText(item_.GetText());
            Refresh();
        });
        return button;
    }
    static SpinnerRepeat DesktopRepeat()
    {
        SpinnerRepeat repeat;
        const int rate = QGuiApplication::styleHints()->keyboardAutoRepeatRate();
        if (rate > 0)
            repeat.intervalMs = std::max(1, 1000 / rate);
        return repeat;
    }
    void Refresh()
    {
        up_->setEnabled(item_.UpActive());
        down_->setEnabled(item_.DownActive());
    }

    COptionTreeItemSpinner& item_;
    QLineEdit* field_;
    QToolButton* up_ = nullptr;
    QToolButton* down_ = nullptr;
};

QColor ButtonFace(const QWidget* w)
{
    return w->palette().color(QPalette::Button);
}

} // namespace

// ---- list ----

OptionTreeList::OptionTreeList(COptionTree& tree, QWidget* parent) : QWidget(parent), tree_(tree)
{
    setObjectName(QStringLiteral("OptionTreeList"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    tree_.SetMeasure([this](const QString& text) { return fontMetrics().horizontalAdvance(text); });
    connect(&tree_, &COptionTree::changed, this, qOverload<>(&QWidget::update));
    connect(&tree_, &COptionTree::editRequested, this, &OptionTreeList::OpenEditor);
}

QRect OptionTreeList::ValueRect(const COptionTreeItem* item) const
{
    const int y = item->Y() - tree_.GetScrollOffset();
    return QRect(QPoint(tree_.GetColumnWidth() + 5, y), QPoint(width() - 1, y + item->GetHeight() - 2));
}

void OptionTreeList::resizeEvent(QResizeEvent*)
{
    tree_.SetClientSize(size());
    if (editor_ && editing_)
        editor_->setGeometry(ValueRect(editing_));
}

void OptionTreeList::DrawRow(QPainter& painter, const COptionTreeItem* item)
{
    const int s = tree_.GetScrollOffset();
    const int c = tree_.GetColumnWidth();
    const int r = width();
    const int y = item->Y() - s;
    const int h = item->GetHeight();
    const bool top = item->IsRootChild();
    const QColor shadow = palette().color(QPalette::Mid);
    const QColor window = palette().color(QPalette::Base);
    const QRect label = top ? QRect(QPoint(item->X() + 16, y), QPoint(r, y + h - 1))
                            : QRect(QPoint(item->X() + 16, y), QPoint(c - 1, y + h - 1));
    if (top)
        painter.fillRect(QRect(QPoint(16, y), QPoint(r, y + h - 1)),
                         tree_.HasOption(kOptShadeRootRows) || !isEnabled() ? ButtonFace(this) : window);
    else
        painter.fillRect(QRect(QPoint(c, y), QPoint(r - 2, y + h - 2)),
                         item->IsReadOnly() ? ButtonFace(this) : window);
    if (item->HasChildren()) {
        const QRect box(4, y + 5, 9, 9);
        painter.setPen(shadow);
        if (!top)
            painter.fillRect(box, window);
        painter.drawRect(box.adjusted(0, 0, -1, -1));
        painter.setPen(Qt::black);
        painter.drawLine(box.left() + 2, box.top() + 4, box.left() + 6, box.top() + 4);
        if (!item->IsExpanded())
            painter.drawLine(box.left() + 4, box.top() + 2, box.left() + 4, box.top() + 6);
    }
    painter.save();
    if (!top) {
        painter.setClipRect(label);
        painter.fillRect(label, window);
    }
    if (!item->GetLabelText().trimmed().isEmpty()) {
        QFont font = painter.font();
        font.setBold(top);
        painter.setFont(font);
        QColor text = palette().color(QPalette::ButtonText);
        if (item->IsSelected()) {
            painter.fillRect(QRect(QPoint(16, y), QPoint(label.right() + 5, y + h - 1)), palette().color(QPalette::Highlight));
            text = palette().color(QPalette::HighlightedText);
        }
        if (!isEnabled())
            text = palette().color(QPalette::Disabled, QPalette::Text);
        painter.setPen(text);
        const QRect textRect = label.adjusted(5, item->IsTallLabel() ? 5 : 0, 0, 0);
        const QString shown = ShortenLabel(item->GetLabelText(), textRect.width(),
                                           [&painter](const QString& t) { return painter.fontMetrics().horizontalAdvance(t); });
        painter.drawText(textRect, (item->IsTallLabel() ? Qt::AlignTop : Qt::AlignVCenter) | Qt::AlignLeft | Qt::TextSingleLine, shown);
    }
    painter.restore();
    painter.setPen(shadow);
    painter.drawLine(16, y + h - 1, r, y + h - 1);
    if (top)
        painter.drawLine(16, y - 1, r, y - 1);
    else
        painter.drawLine(c, y, c, y + h);
    if (!top && !(item == editing_ && editor_)) {
        const QRect value = ValueRect(item);
        painter.setPen(item->IsReadOnly() || !isEnabled() ? palette().color(QPalette::Disabled, QPalette::Text)
                                                          : palette().color(QPalette::Text));
        const bool multiLine = item->GetKind() == COptionTreeItem::Kind::File ||
                               (item->GetKind() == COptionTreeItem::Kind::Edit &&
                                (static_cast<const COptionTreeItemEdit*>(item)->Options() & COptionTreeItemEdit::kMultiLine));
        if (multiLine)
            painter.drawText(value.adjusted(1, 3, 0, 0), Qt::AlignTop | Qt::AlignLeft, item->ValueText());
        else
            painter.drawText(value, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, item->ValueText());
    }
}

void OptionTreeList::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), isEnabled() ? palette().color(QPalette::Base) : ButtonFace(this));
    painter.fillRect(QRect(0, 0, 16, height()),
                     tree_.HasOption(kOptShadeExpandColumn) || !isEnabled() ? ButtonFace(this) : palette().color(QPalette::Base));
    for (const COptionTreeItem* item : tree_.ShownRows())
        DrawRow(painter, item);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(16, 0, 16, height());
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (tree_.IsDragging())
        painter.fillRect(QRect(tree_.DragPosition() - 2, 0, 4, height()), QBrush(Qt::gray, Qt::Dense4Pattern));
}

void OptionTreeList::UpdateCursor(QPoint point)
{
    switch (tree_.HitTest(point)) {
    case OptionTreeHit::ColumnDivider:
        setCursor(Qt::SplitHCursor);
        break;
    case OptionTreeHit::ExpandBox:
        setCursor(Qt::PointingHandCursor);
        break;
    default:
        unsetCursor();
    }
}

void OptionTreeList::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    CloseEditor();
    setFocus();
    tree_.PressAt(event->position().toPoint());
}

void OptionTreeList::mouseMoveEvent(QMouseEvent* event)
{
    if (tree_.IsDragging())
        tree_.DragTo(event->position().toPoint().x());
    else
        UpdateCursor(event->position().toPoint());
}

void OptionTreeList::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        tree_.ReleaseAt(event->position().toPoint().x());
}

void OptionTreeList::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        tree_.DoubleClickAt(event->position().toPoint());
}

void OptionTreeList::keyPressEvent(QKeyEvent* event)
{
    using Key = COptionTree::Key;
    std::optional<Key> key;
    switch (event->key()) {
    case Qt::Key_Tab: key = (event->modifiers() & Qt::ShiftModifier) ? Key::BackTab : Key::Tab; break;
    case Qt::Key_Backtab: key = Key::BackTab; break;
    case Qt::Key_Return:
    case Qt::Key_Enter: key = Key::Return; break;
    case Qt::Key_Home: key = Key::Home; break;
    case Qt::Key_End: key = Key::End; break;
    case Qt::Key_Left: key = Key::Left; break;
    case Qt::Key_Right: key = Key::Right; break;
    case Qt::Key_Up: key = Key::Up; break;
    case Qt::Key_Down: key = Key::Down; break;
    default: break;
    }
    if (key && tree_.KeyPress(*key))
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

bool OptionTreeList::focusNextPrevChild(bool)
{
    return false; // Tab moves between rows
}

void OptionTreeList::wheelEvent(QWheelEvent* event)
{
    tree_.Wheel(event->angleDelta().y());
    event->accept();
}

void OptionTreeList::OpenEditor(COptionTreeItem* item)
{
    CloseEditor();
    editing_ = item;
    QWidget* editor = nullptr;
    switch (item->GetKind()) {
    case COptionTreeItem::Kind::Combo: {
        auto* combo = static_cast<COptionTreeItemComboBox*>(item);
        auto* box = new QComboBox(this);
        for (int i = 0; i < combo->Count(); ++i)
            box->addItem(combo->EntryText(i), combo->EntryData(i));
        box->setCurrentIndex(combo->CurrentIndex());
        connect(box, &QComboBox::activated, this, [combo](int index) { combo->SetCurrentIndex(index); });
        editor = box;
        break;
    }
    case COptionTreeItem::Kind::Edit: {
        auto* edit = static_cast<COptionTreeItemEdit*>(item);
        if (edit->Options() & COptionTreeItemEdit::kMultiLine) {
            auto* field = new QPlainTextEdit(edit->GetText(), this);
            connect(field, &QPlainTextEdit::textChanged, this, [edit, field] { edit->SetText(field->toPlainText()); });
            editor = field;
        } else {
            auto* field = new QLineEdit(edit->GetText(), this);
            if (edit->Options() & COptionTreeItemEdit::kPassword)
                field->setEchoMode(QLineEdit::Password);
            if (edit->Options() & COptionTreeItemEdit::kDigits)
                field->setInputMask(QString());
            connect(field, &QLineEdit::textEdited, this, [edit](const QString& text) { edit->SetText(text); });
            connect(field, &QLineEdit::returnPressed, this, [this] { CloseEditor(); setFocus(); });
            field->setCursorPosition(0);
            editor = field;
        }
        break;
    }
    case COptionTreeItem::Kind::Spinner:
        editor = new SpinnerEditor(*static_cast<COptionTreeItemSpinner*>(item), this);
        break;
    case COptionTreeItem::Kind::File:
        ChooseFile(static_cast<COptionTreeItemFile*>(item));
        return;
    case COptionTreeItem::Kind::Category:
        editing_ = nullptr;
        return;
    }
    editor_ = editor;
    editor->setGeometry(ValueRect(item));
    editor->installEventFilter(this);
    for (QWidget* child : editor->findChildren<QWidget*>())
        child->installEventFilter(this);
    editor->show();
    editor->setFocus();
    update();
}

void OptionTreeList::ChooseFile(COptionTreeItemFile* item)
{
    editing_ = nullptr;
    const QString current = item->GetPath();
    QString chosen;
    bool accepted = false;
    if (item->Options() & COptionTreeItemFile::kFolder)
        accepted = pathChooser().ChooseFolder(current.isEmpty() ? QDir::homePath() : current, chosen);
    else
        accepted = pathChooser().ChooseFile(current, item->Filter(), chosen);
    if (accepted)
        item->SetPaths(QStringList{chosen}, fontMetrics().height());
    item->EndEdit();
}

void OptionTreeList::CloseEditor()
{
    if (!editor_ || !editing_)
        return;
    COptionTreeItem* item = editing_;
    editing_ = nullptr;
    editor_->hide();
    editor_->deleteLater();
    editor_ = nullptr;
    item->EndEdit();
    update();
}

bool OptionTreeList::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut && editor_) {
        // The focus going to another window of the grid ends the edit; to a
        // popup of the editor itself or out of the grid it does not.
        QWidget* now = QApplication::focusWidget();
        if (now && (now == this || (isAncestorOf(now) && !editor_->isAncestorOf(now) && now != editor_)))
            CloseEditor();
    }
    return QWidget::eventFilter(watched, event);
}

// ---- whole grid ----

OptionTreeWidget::OptionTreeWidget(std::uint32_t options, QWidget* parent) : QWidget(parent), tree_(options)
{
    setObjectName(QStringLiteral("OptionTree"));
    list_ = new OptionTreeList(tree_, this);
    info_ = new QWidget(this);
    info_->setAutoFillBackground(true);
    auto* infoLayout = new QVBoxLayout(info_);
    infoLayout->setContentsMargins(4, 4, 4, 4);
    infoLayout->setSpacing(0);
    infoTitle_ = new QLabel(info_);
    QFont bold = infoTitle_->font();
    bold.setBold(true);
    infoTitle_->setFont(bold);
    infoText_ = new QLabel(info_);
    infoText_->setWordWrap(true);
    infoText_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    infoLayout->addWidget(infoTitle_);
    infoLayout->addWidget(infoText_, 1);
    info_->setVisible(tree_.HasOption(kOptShowInfoPane));
    connect(&tree_, &COptionTree::changed, this, &OptionTreeWidget::UpdateInfo);
    UpdateInfo();
}

void OptionTreeWidget::resizeEvent(QResizeEvent*)
{
    const int pane = tree_.HasOption(kOptShowInfoPane) ? kOptionInfoPaneHeight : 0;
    list_->setGeometry(0, 0, width(), height() - pane);
    info_->setGeometry(0, height() - pane, width(), pane);
}

void OptionTreeWidget::UpdateInfo()
{
    const COptionTreeItem* focused = tree_.GetFocusedItem();
    if (focused) {
        infoTitle_->setText(focused->GetLabelText());
        infoText_->setText(focused->GetInfoText());
    } else if (tree_.HasOption(kOptDefaultInfoText)) {
        infoTitle_->setText(QStringLiteral("No Item Selected"));
        infoText_->setText(QStringLiteral("Select an item to see its description."));
    } else {
        infoTitle_->clear();
        infoText_->clear();
    }
}

QString OptionTreeWidget::InfoTitle() const
{
    return infoTitle_->text();
}

QString OptionTreeWidget::InfoText() const
{
    return infoText_->text();
}

} // namespace gui
