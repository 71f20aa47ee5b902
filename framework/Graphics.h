// A drawing context handed to paint events; it paints into one rectangle (a list cell),
// with (0, 0) at that rectangle's top-left corner. Valid only during the event: outside it,
// Width and Height keep the rectangle's size and FillRect paints nothing.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/Color.h"
#include "framework/Object.h"

class Graphics : public Object {
 public:
  Graphics();
  ~Graphics() override;

  Color ForeColor() const { return foreColor_; }
  void ForeColor(Color color) { foreColor_ = color; }
  int32_t Width() const;
  int32_t Height() const;
  // Fills the rectangle in ForeColor, clipped to the drawing context's area.
  void FillRect(int32_t x, int32_t y, int32_t width, int32_t height);

 private:
  // The painter and the rectangle of the paint event in progress (framework/qt/GraphicsImpl.h),
  // reached through GraphicsAccess.
  struct Impl;
  friend struct GraphicsAccess;

  std::unique_ptr<Impl> impl_;
  Color foreColor_;
};
