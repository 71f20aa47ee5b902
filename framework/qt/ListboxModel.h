// Framework-internal: the Qt side of a Listbox, a QListView over a flat model of rows (text
// and tag) with uniform row heights.
#pragma once

#include <QAbstractListModel>
#include <QListView>
#include <QPointer>
#include <QStyledItemDelegate>
#include <memory>
#include <string>
#include <vector>

#include "framework/Listbox.h"

// The rows. Appending one costs a vector push and one insertion notice to the view.
class ListboxRows : public QAbstractListModel {
 public:
  struct Row {
    std::string text;
    std::shared_ptr<Object> tag;
  };

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  void Append(std::string text);
  int32_t Count() const { return static_cast<int32_t>(rows_.size()); }
  bool Contains(int32_t row) const { return row >= 0 && row < Count(); }
  Row& At(int32_t row) { return rows_[static_cast<size_t>(row)]; }
  const Row& At(int32_t row) const { return rows_[static_cast<size_t>(row)]; }

 private:
  std::vector<Row> rows_;
};

// Paints a row: raises the list's CellBackgroundPaint with a Graphics for the row's
// rectangle, then draws the selection highlight and the row's text over it.
class ListboxDelegate : public QStyledItemDelegate {
 public:
  explicit ListboxDelegate(Listbox& owner) : owner_(owner) {}
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;

 private:
  Listbox& owner_;
};

// The view. Rows added since the last pass of the event loop are laid out before a paint, so
// that a paint that comes at once (a grab, a render) shows them too.
class ListboxView : public QListView {
 protected:
  void paintEvent(QPaintEvent* event) override {
    executeDelayedItemsLayout();
    QListView::paintEvent(event);
  }
};

struct Listbox::Model {
  explicit Model(Listbox& owner) : delegate(owner) {}

  ListboxRows rows;
  ListboxDelegate delegate;
  QPointer<ListboxView> view;
  int32_t lastIndex = -1;
  bool opened = false;
  bool scrollbarHorizontal = false;
  bool scrollbarVertical = true;
  bool autoHideScrollbars = true;
};
