// Framework-internal: the Qt side of a Graphics, the painter and the rectangle of the paint
// event in progress. All inline.
#pragma once

#include <QPainter>
#include <QRect>

#include "framework/Graphics.h"

struct Graphics::Impl {
  // The painter of the paint event in progress, or null outside one.
  QPainter* painter = nullptr;
  // The area painted into, in the painter's coordinates.
  QRect rect;
};

// The framework's way to a drawing context's Qt side; Graphics befriends it.
struct GraphicsAccess {
  static Graphics::Impl& Of(const Graphics& graphics) { return *graphics.impl_; }
};

// Binds a Graphics to a painter and a rectangle for the length of one paint event; the
// binding ends when the scope ends, so a Graphics kept by a handler paints nothing later.
class GraphicsBinding {
 public:
  GraphicsBinding(Graphics& graphics, QPainter& painter, const QRect& rect) : graphics_(graphics) {
    GraphicsAccess::Of(graphics_).painter = &painter;
    GraphicsAccess::Of(graphics_).rect = rect;
  }
  ~GraphicsBinding() { GraphicsAccess::Of(graphics_).painter = nullptr; }
  GraphicsBinding(const GraphicsBinding&) = delete;
  GraphicsBinding& operator=(const GraphicsBinding&) = delete;

 private:
  Graphics& graphics_;
};
