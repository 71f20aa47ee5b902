#include "framework/Listbox.h"

#include <QItemSelectionModel>
#include <QScrollBar>
#include <string>

#include "framework/Dispatch.h"
#include "framework/Exceptions.h"
#include "framework/qt/ListboxModel.h"
#include "framework/qt/RectControlImpl.h"

Listbox::Listbox() : model_(std::make_unique<Model>(*this)) {
  auto* view = new ListboxView;
  view->setModel(&model_->rows);
  view->setItemDelegate(&model_->delegate);
  view->setUniformItemSizes(true);
  view->setSelectionMode(QAbstractItemView::SingleSelection);
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setTextElideMode(Qt::ElideRight);
  model_->view = view;
  ApplyScrollbars();
  SetControlWidget(*this, view);
}

Listbox::~Listbox() {
  // The view goes first: it refers to the model and the delegate.
  delete ControlWidget(*this);
}

void Listbox::CheckRow(int32_t row, const char* operation) const {
  if (!model_->rows.Contains(row)) {
    throw OutOfBoundsException(std::string(operation) + ": row " + std::to_string(row) +
                               " does not exist (the list has " +
                               std::to_string(model_->rows.Count()) + " rows)");
  }
}

void Listbox::AddRow(const std::string& text) {
  model_->rows.Append(text);
  model_->lastIndex = model_->rows.Count() - 1;
}

int32_t Listbox::LastIndex() const {
  return model_->lastIndex;
}

int32_t Listbox::ListCount() const {
  return model_->rows.Count();
}

int32_t Listbox::ListIndex() const {
  ListboxView* view = model_->view;
  if (!view) return -1;
  int32_t first = -1;
  for (const QModelIndex& index : view->selectionModel()->selectedIndexes()) {
    if (first < 0 || index.row() < first) first = index.row();
  }
  return first;
}

void Listbox::ListIndex(int32_t row) {
  if (row != -1) CheckRow(row, "ListIndex");
  ListboxView* view = model_->view;
  if (!view) return;
  QItemSelectionModel* selection = view->selectionModel();
  if (row == -1) {
    selection->clearSelection();
    selection->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    return;
  }
  QModelIndex index = model_->rows.index(row);
  selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
  view->scrollTo(index);
}

std::string Listbox::Cell(int32_t row, int32_t column) const {
  CheckRow(row, "Cell");
  if (column != 0) {
    throw OutOfBoundsException("Cell: column " + std::to_string(column) +
                               " does not exist (the list has one column)");
  }
  return model_->rows.At(row).text;
}

std::shared_ptr<Object> Listbox::RowTag(int32_t row) const {
  CheckRow(row, "RowTag");
  return model_->rows.At(row).tag;
}

void Listbox::RowTag(int32_t row, std::shared_ptr<Object> tag) {
  CheckRow(row, "RowTag");
  model_->rows.At(row).tag = std::move(tag);
}

void Listbox::RaiseOpen() {
  if (model_->opened) return;
  model_->opened = true;
  auto self = std::static_pointer_cast<Listbox>(shared_from_this());
  RuntimeDispatch([self] { self->Open.Raise(self); });
}

void Listbox::ApplyScrollbars() {
  ListboxView* view = model_->view;
  if (!view) return;
  auto policy = [this](bool shown) {
    if (!shown) return Qt::ScrollBarAlwaysOff;
    return model_->autoHideScrollbars ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOn;
  };
  view->setHorizontalScrollBarPolicy(policy(model_->scrollbarHorizontal));
  view->setVerticalScrollBarPolicy(policy(model_->scrollbarVertical));
}

bool Listbox::ApplyProperty(const std::string& key, const PropertyValue& value) {
  ListboxView* view = model_->view;
  if (key == "InitialValue") {
    // One row per line.
    std::string text = AsText(value, key);
    size_t start = 0;
    while (start < text.size()) {
      size_t end = text.find_first_of("\r\n", start);
      if (end == std::string::npos) end = text.size();
      AddRow(text.substr(start, end - start));
      start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
  } else if (key == "Border") {
    bool border = AsBoolean(value, key);
    if (view) view->setFrameShape(border ? QFrame::StyledPanel : QFrame::NoFrame);
  } else if (key == "ColumnCount") {
    int32_t columns = AsInteger(value, key);
    if (columns != 1) {
      throw OutOfBoundsException("a list box has one column, not " + std::to_string(columns));
    }
  } else if (key == "SelectionType") {
    int32_t type = AsInteger(value, key);
    if (view) {
      view->setSelectionMode(type == kSelectionMultiple ? QAbstractItemView::ExtendedSelection
                                                        : QAbstractItemView::SingleSelection);
    }
  } else if (key == "ScrollbarHorizontal" || key == "ScrollBarVertical" ||
             key == "AutoHideScrollbars") {
    bool on = AsBoolean(value, key);
    (key == "ScrollbarHorizontal" ? model_->scrollbarHorizontal
     : key == "ScrollBarVertical" ? model_->scrollbarVertical
                                  : model_->autoHideScrollbars) = on;
    ApplyScrollbars();
  } else if (key == "HasHeading" || key == "UseFocusRing" || key == "Hierarchical" ||
             key == "EnableDrag" || key == "EnableDragReorder" || key == "RequiresSelection" ||
             key == "ColumnsResizable") {
    // No heading, hierarchy, dragging or column resizing in this list; Qt draws its own
    // focus indication; the selection may be cleared by the program.
    AsBoolean(value, key);
  } else if (key == "HeadingIndex" || key == "GridLinesHorizontal" || key == "GridLinesVertical" ||
             key == "DefaultRowHeight" || key == "_ScrollWidth") {
    // Rows have the height of the font and no grid lines; the width follows the view.
    AsInteger(value, key);
  } else if (key == "ColumnWidths") {
    AsText(value, key);  // one column, as wide as the list
  } else {
    return RectControl::ApplyProperty(key, value);
  }
  return true;
}
