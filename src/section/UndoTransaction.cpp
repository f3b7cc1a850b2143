#include "section/UndoTransaction.h"

#include "section/UndoManager.h"

#include <utility>

UndoTransaction::UndoTransaction(CUndoManager* undo, int title, Section* section) : undo_(undo)
{
    if (!undo_)
        return;
    undo_->Open(title, section);
    serial_ = undo_->GetOpenSerial();
}

UndoTransaction UndoTransaction::Join(UndoTransaction* outer, CUndoManager* undo, int title, Section* section)
{
    if (outer && outer->IsRecording()) {
        UndoTransaction through;
        through.undo_ = outer->undo_;
        through.passThrough_ = true;
        return through;
    }
    return UndoTransaction(undo, title, section);
}

UndoTransaction::~UndoTransaction()
{
    rollback();
}

UndoTransaction::UndoTransaction(UndoTransaction&& other) noexcept
    : undo_(std::exchange(other.undo_, nullptr)), serial_(std::exchange(other.serial_, 0)),
      passThrough_(std::exchange(other.passThrough_, false))
{
}

UndoTransaction& UndoTransaction::operator=(UndoTransaction&& other) noexcept
{
    if (this != &other) {
        rollback();
        undo_ = std::exchange(other.undo_, nullptr);
        serial_ = std::exchange(other.serial_, 0);
        passThrough_ = std::exchange(other.passThrough_, false);
    }
    return *this;
}

bool UndoTransaction::IsOpen() const
{
    return undo_ && !passThrough_ && undo_->HasOpenStep() && undo_->GetOpenSerial() == serial_;
}

bool UndoTransaction::IsRecording() const
{
    return passThrough_ ? undo_ && undo_->HasOpenStep() : IsOpen();
}

bool UndoTransaction::commit()
{
    if (!IsOpen())
        return false;
    return undo_->Commit();
}

void UndoTransaction::rollback()
{
    if (IsOpen())
        undo_->RollBack();
}
