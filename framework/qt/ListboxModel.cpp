#include "framework/qt/ListboxModel.h"

#include "framework/Dispatch.h"
#include "framework/Graphics.h"
#include "framework/qt/GraphicsImpl.h"

// --- ListboxRows ---------------------------------------------------------------------------------

int ListboxRows::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant ListboxRows::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || !Contains(index.row())) return {};
  return QString::fromStdString(At(index.row()).text);
}

void ListboxRows::Append(std::string text) {
  int row = static_cast<int>(rows_.size());
  beginInsertRows(QModelIndex(), row, row);
  rows_.push_back({std::move(text), nullptr});
  endInsertRows();
}

// --- ListboxDelegate -----------------------------------------------------------------------------

void ListboxDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
  bool paintedAll = false;
  if (owner_.CellBackgroundPaint.IsConnected()) {
    auto list = std::static_pointer_cast<Listbox>(owner_.weak_from_this().lock());
    if (list) {
      auto graphics = std::make_shared<Graphics>();
      GraphicsBinding binding(*graphics, *painter, option.rect);
      int32_t row = index.row();
      RuntimeDispatch(
          [&] { paintedAll = list->CellBackgroundPaint.Raise(list, graphics, row, 0); });
    }
  }
  if (!paintedAll) {
    QStyledItemDelegate::paint(painter, option, index);
    return;
  }
  QStyleOptionViewItem textOnly(option);
  textOnly.state &= ~QStyle::State_Selected;
  QStyledItemDelegate::paint(painter, textOnly, index);
}
