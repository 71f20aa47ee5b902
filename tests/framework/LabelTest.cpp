// The label: its text and how its property values show on the widget.
#include "framework/Label.h"

#include <gtest/gtest.h>

#include <QLabel>

#include "framework/qt/RectControlImpl.h"

namespace {

QLabel& Widget(const Label& label) {
  return *static_cast<QLabel*>(ControlWidget(label));
}

TEST(LabelTest, TextIsShownAsPlainText) {
  auto label = std::make_shared<Label>();
  label->SetProperty("Text", std::string("..."));
  EXPECT_EQ(label->Text(), "...");
  label->Text("<b>Café</b> & Co.mp3");  // a file name, never markup
  EXPECT_EQ(label->Text(), "<b>Café</b> & Co.mp3");
  EXPECT_EQ(Widget(*label).text(), QString::fromUtf8("<b>Café</b> & Co.mp3"));
  EXPECT_EQ(Widget(*label).textFormat(), Qt::PlainText);
}

TEST(LabelTest, AlignmentColourWrappingAndSelection) {
  struct AlignCase {
    int32_t value;
    Qt::Alignment horizontal;
  };
  auto label = std::make_shared<Label>();
  for (const AlignCase& c : {AlignCase{0, Qt::AlignLeft}, AlignCase{1, Qt::AlignLeft},
                             AlignCase{2, Qt::AlignHCenter}, AlignCase{3, Qt::AlignRight}}) {
    label->SetProperty("TextAlign", c.value);
    EXPECT_EQ(Widget(*label).alignment() & Qt::AlignHorizontal_Mask, c.horizontal) << c.value;
  }
  SetProperties(*label, {{"TextColor", Color::RGB(0x12, 0x34, 0x56)},
                         {"Multiline", true},
                         {"Selectable", true},
                         {"Transparent", true}});
  EXPECT_EQ(Widget(*label).palette().color(QPalette::WindowText), QColor(0x12, 0x34, 0x56));
  EXPECT_TRUE(Widget(*label).wordWrap());
  EXPECT_TRUE(Widget(*label).textInteractionFlags() & Qt::TextSelectableByMouse);
  EXPECT_FALSE(Widget(*label).autoFillBackground());
}

}  // namespace
