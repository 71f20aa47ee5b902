// A one-column list of text rows, each with a tag: a Qt item view over a simple model with
// uniform row heights. A row index outside the rows raises OutOfBoundsException; no row
// past the last is ever read or written.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/Event.h"
#include "framework/RectControl.h"

class Graphics;

class Listbox : public RectControl {
 public:
  // SelectionType: one row at a time, or several.
  static constexpr int32_t kSelectionSingle = 0;
  static constexpr int32_t kSelectionMultiple = 1;

  Listbox();
  ~Listbox() override;

  // Adds a row at the end with that text in its first cell.
  void AddRow(const std::string& text);
  // The index of the row added last; -1 when there is none.
  int32_t LastIndex() const;
  int32_t ListCount() const;
  // The selected row, -1 for none. Setting it selects the row and scrolls it into view;
  // -1 clears the selection.
  int32_t ListIndex() const;
  void ListIndex(int32_t row);
  // The text of a cell. A row or column that does not exist raises OutOfBoundsException.
  std::string Cell(int32_t row, int32_t column) const;
  // The tag of a row: any object reference. A row that does not exist raises
  // OutOfBoundsException.
  std::shared_ptr<Object> RowTag(int32_t row) const;
  void RowTag(int32_t row, std::shared_ptr<Object> tag);

  void RaiseOpen() override;

  Event<Listbox> Open;
  // Raised for each row that is painted, before its text is drawn, with a Graphics for the
  // row's rectangle; the handler paints the cell's background. Returning true means the
  // handler painted all of it: the selection highlight is then left out.
  Event<Listbox, bool, std::shared_ptr<Graphics>, int32_t, int32_t> CellBackgroundPaint;

 protected:
  bool ApplyProperty(const std::string& key, const PropertyValue& value) override;

 private:
  // The Qt side of the list: its rows, view and delegate (framework/qt/ListboxModel.h).
  struct Model;

  void CheckRow(int32_t row, const char* operation) const;
  void ApplyScrollbars();

  std::unique_ptr<Model> model_;
};
