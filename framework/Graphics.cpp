#include "framework/Graphics.h"

#include "framework/qt/GraphicsImpl.h"

Graphics::Graphics() : impl_(std::make_unique<Impl>()) {}

Graphics::~Graphics() = default;

int32_t Graphics::Width() const {
  return impl_->rect.width();
}

int32_t Graphics::Height() const {
  return impl_->rect.height();
}

void Graphics::FillRect(int32_t x, int32_t y, int32_t width, int32_t height) {
  QPainter* painter = impl_->painter;
  if (!painter || width <= 0 || height <= 0) return;
  painter->save();
  painter->setClipRect(impl_->rect, Qt::IntersectClip);
  painter->fillRect(QRect(impl_->rect.left() + x, impl_->rect.top() + y, width, height),
                    QColor(foreColor_.red, foreColor_.green, foreColor_.blue));
  painter->restore();
}
