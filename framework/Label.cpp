#include "framework/Label.h"

#include <QLabel>

#include "framework/qt/RectControlImpl.h"

namespace {

QLabel* LabelWidget(const RectControl& control) {
  return static_cast<QLabel*>(ControlWidget(control));
}

}  // namespace

Label::Label() {
  auto* label = new QLabel;
  label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  label->setTextFormat(Qt::PlainText);
  SetControlWidget(*this, label);
}

Label::~Label() = default;

std::string Label::Text() const {
  QLabel* label = LabelWidget(*this);
  return label ? label->text().toStdString() : std::string();
}

void Label::Text(const std::string& text) {
  if (QLabel* label = LabelWidget(*this)) label->setText(QString::fromStdString(text));
}

bool Label::ApplyProperty(const std::string& key, const PropertyValue& value) {
  QLabel* label = LabelWidget(*this);
  if (key == "Text") {
    Text(AsText(value, key));
  } else if (key == "TextAlign") {
    int32_t align = AsInteger(value, key);
    Qt::Alignment horizontal = align == kAlignCenter  ? Qt::AlignHCenter
                               : align == kAlignRight ? Qt::AlignRight
                                                      : Qt::AlignLeft;
    if (label) label->setAlignment(horizontal | Qt::AlignVCenter);
  } else if (key == "TextColor") {
    Color c = AsColor(value, key);
    if (label) {
      QPalette palette = label->palette();
      palette.setColor(QPalette::WindowText, QColor(c.red, c.green, c.blue));
      label->setPalette(palette);
    }
  } else if (key == "Multiline") {
    bool wrap = AsBoolean(value, key);
    if (label) label->setWordWrap(wrap);
  } else if (key == "Selectable") {
    bool selectable = AsBoolean(value, key);
    if (label) {
      label->setTextInteractionFlags(selectable ? Qt::TextSelectableByMouse
                                                : Qt::NoTextInteraction);
    }
  } else if (key == "Transparent") {
    bool transparent = AsBoolean(value, key);
    if (label) label->setAutoFillBackground(!transparent);
  } else {
    return RectControl::ApplyProperty(key, value);
  }
  return true;
}
