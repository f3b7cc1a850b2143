#pragma once
// The property grid on screen: the list of rows (OptionTreeList) painted from
// a COptionTree, with the description pane below it. Mouse, wheel and keys
// go to the model; a row's editor (combo box, text field, spinner, file or
// folder chooser) is opened over its value when the model asks for it and
// commits into the row when the focus moves on.
#include "gui/OptionTree.h"

#include <QPointer>
#include <QWidget>

class QLabel;

namespace gui {

class OptionTreeList : public QWidget {
    Q_OBJECT
public:
    OptionTreeList(COptionTree& tree, QWidget* parent);
    COptionTree& Tree() { return tree_; }
    QWidget* Editor() const { return editor_; }
    // The value rectangle of a shown row in widget coordinates.
    QRect ValueRect(const COptionTreeItem* item) const;
    // Ends an open edit, committing its value.
    void CloseEditor();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OpenEditor(COptionTreeItem* item);
    void ChooseFile(COptionTreeItemFile* item);
    void UpdateCursor(QPoint point);
    void DrawRow(QPainter& painter, const COptionTreeItem* item);

    COptionTree& tree_;
    QPointer<QWidget> editor_;
    COptionTreeItem* editing_ = nullptr;
};

class OptionTreeWidget : public QWidget {
    Q_OBJECT
public:
    explicit OptionTreeWidget(std::uint32_t options = kOptionTreeHostOptions, QWidget* parent = nullptr);
    COptionTree& Tree() { return tree_; }
    OptionTreeList* List() const { return list_; }
    // The pane's title and text as shown.
    QString InfoTitle() const;
    QString InfoText() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void UpdateInfo();

    COptionTree tree_;
    OptionTreeList* list_;
    QLabel* infoTitle_;
    QLabel* infoText_;
    QWidget* info_;
};

} // namespace gui
