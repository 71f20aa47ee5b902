// The list box: rows, tags and selection, row bounds, cell painting and its Open event.
#include "framework/Listbox.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QListView>
#include <cstdlib>
#include <functional>

#include "framework/Exceptions.h"
#include "framework/Graphics.h"
#include "framework/qt/RectControlImpl.h"
#include "tests/support/WindowFixture.h"

namespace {

class ListboxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = MakeBareWindow(400, 300);
    list = window->New<Listbox>();
    list->Constructor();
    window->AddControl("List", list);
    SetProperties(*list, {{"Left", 0}, {"Top", 0}, {"Width", 300}, {"Height", 200}});
  }
  void TearDown() override {
    list = nullptr;
    EXPECT_TRUE(CloseAndRelease(window));
  }
  QListView& View() { return *static_cast<QListView*>(ControlWidget(*list)); }
  void AddRows(int n) {
    for (int i = 0; i < n; ++i) list->AddRow("row " + std::to_string(i));
  }

  std::shared_ptr<Window> window;
  std::shared_ptr<Listbox> list;
};

TEST_F(ListboxTest, StartsEmptyAndAppendsRowsWithTheirTags) {
  EXPECT_EQ(list->ListCount(), 0);
  EXPECT_EQ(list->LastIndex(), -1);
  EXPECT_EQ(list->ListIndex(), -1);

  list->AddRow("first.mp3");
  list->AddRow("second.mp3");
  auto tag = std::make_shared<Object>();
  list->RowTag(list->LastIndex(), tag);

  EXPECT_EQ(list->ListCount(), 2);
  EXPECT_EQ(list->LastIndex(), 1);
  EXPECT_EQ(list->Cell(0, 0), "first.mp3");
  EXPECT_EQ(list->Cell(1, 0), "second.mp3");
  EXPECT_EQ(list->RowTag(0), nullptr);
  EXPECT_EQ(list->RowTag(1), tag);
  // The view shows the same rows.
  ASSERT_EQ(View().model()->rowCount(), 2);
  EXPECT_EQ(View().model()->index(1, 0).data().toString(), "second.mp3");
}

TEST_F(ListboxTest, TextIsKeptByteForByte) {
  const std::string names[] = {"Café del Mar.mp3", "日本語.mp3", std::string("bad\xff\xfe.mp3")};
  for (const auto& name : names) list->AddRow(name);
  for (int32_t i = 0; i < 3; ++i) EXPECT_EQ(list->Cell(i, 0), names[i]);
}

TEST_F(ListboxTest, RowsOutsideTheListRaiseOutOfBoundsAndChangeNothing) {
  AddRows(3);
  auto tag = std::make_shared<Object>();
  list->RowTag(2, tag);
  list->ListIndex(1);
  const std::function<void(int32_t)> uses[] = {
      [&](int32_t row) { list->Cell(row, 0); },
      [&](int32_t row) { list->RowTag(row); },
      [&](int32_t row) { list->RowTag(row, std::make_shared<Object>()); },
      [&](int32_t row) { list->ListIndex(row); },
  };
  for (int32_t row : {3, 4, 1000000, -2, INT32_MIN, INT32_MAX}) {
    for (size_t use = 0; use < std::size(uses); ++use) {
      EXPECT_THROW(uses[use](row), OutOfBoundsException) << "row " << row << ", use " << use;
    }
  }
  // -1 is a row only for ListIndex (no selection).
  EXPECT_THROW(list->Cell(-1, 0), OutOfBoundsException);
  EXPECT_THROW(list->RowTag(-1), OutOfBoundsException);
  EXPECT_THROW(list->Cell(0, 1), OutOfBoundsException);
  EXPECT_THROW(list->Cell(0, -1), OutOfBoundsException);
  EXPECT_EQ(list->ListCount(), 3);
  EXPECT_EQ(list->RowTag(2), tag);
  EXPECT_EQ(list->ListIndex(), 1);
}

TEST_F(ListboxTest, ListIndexSelectsTheRowAndScrollsItIntoView) {
  AddRows(500);
  ProcessEvents();
  list->ListIndex(400);
  EXPECT_EQ(list->ListIndex(), 400);
  QModelIndex index = View().model()->index(400, 0);
  EXPECT_TRUE(View().selectionModel()->isSelected(index));
  EXPECT_TRUE(View().viewport()->rect().intersects(View().visualRect(index)));

  list->ListIndex(3);
  EXPECT_EQ(list->ListIndex(), 3);
  EXPECT_FALSE(View().selectionModel()->isSelected(index));  // one row at a time

  list->ListIndex(-1);
  EXPECT_EQ(list->ListIndex(), -1);
  EXPECT_TRUE(View().selectionModel()->selectedIndexes().isEmpty());
}

TEST_F(ListboxTest, ALargeFillLeavesEveryRowReadable) {
  constexpr int kRows = 100000;
  AddRows(kRows);
  EXPECT_EQ(list->ListCount(), kRows);
  EXPECT_EQ(list->LastIndex(), kRows - 1);
  EXPECT_EQ(list->Cell(kRows - 1, 0), "row 99999");
  list->ListIndex(kRows - 1);
  EXPECT_EQ(list->ListIndex(), kRows - 1);
}

TEST_F(ListboxTest, InitialValueGivesOneRowPerLine) {
  list->SetProperty("InitialValue", std::string("one\rtwo\r\nthree\nfour"));
  ASSERT_EQ(list->ListCount(), 4);
  EXPECT_EQ(list->Cell(3, 0), "four");
  list->SetProperty("InitialValue", std::string());
  EXPECT_EQ(list->ListCount(), 4);
}

// The handler shades every other row in red, as the playlists shade theirs in grey.
class ListboxPaintTest : public ListboxTest {
 protected:
  struct Call {
    int32_t row, column, width, height;
  };

  bool Paint(std::shared_ptr<Listbox> sender, std::shared_ptr<Graphics> g, int32_t row,
             int32_t column) {
    EXPECT_EQ(sender, list);
    calls.push_back({row, column, g->Width(), g->Height()});
    kept = g;
    if (row % 2 == 0) {
      g->ForeColor(Color::RGB(255, 0, 0));
      g->FillRect(0, 0, g->Width(), g->Height());
    }
    return false;
  }

  QImage Render() {
    QImage image(View().viewport()->size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    View().viewport()->render(&image);
    return image;
  }
  // The share of a row's pixels that have this colour, give or take a shade (styles draw
  // the selection with a slight gradient).
  double Share(const QImage& image, int row, QColor color) {
    auto near = [&color](QColor c) {
      return std::abs(c.red() - color.red()) <= 12 && std::abs(c.green() - color.green()) <= 12 &&
             std::abs(c.blue() - color.blue()) <= 12;
    };
    QRect r = View().visualRect(View().model()->index(row, 0)) & image.rect();
    int match = 0;
    for (int y = r.top(); y <= r.bottom(); ++y) {
      for (int x = r.left(); x <= r.right(); ++x) match += near(image.pixelColor(x, y));
    }
    return r.isEmpty() ? 0.0 : static_cast<double>(match) / (r.width() * r.height());
  }

  std::vector<Call> calls;
  std::shared_ptr<Graphics> kept;
};

TEST_F(ListboxPaintTest, HandlerPaintsEachVisibleRowsBackgroundThenTextAndSelectionShow) {
  list->CellBackgroundPaint.Connect(
      [this](std::shared_ptr<Listbox> s, std::shared_ptr<Graphics> g, int32_t row, int32_t column) {
        return Paint(std::move(s), std::move(g), row, column);
      });
  AddRows(200);
  list->ListIndex(2);
  QImage image = Render();  // at once: the rows just added are painted too

  // Only the visible rows are painted, each once, in column 0, with the cell's size.
  ASSERT_FALSE(calls.empty());
  EXPECT_LT(calls.size(), 50u);
  for (const Call& c : calls) {
    QRect cell = View().visualRect(View().model()->index(c.row, 0));
    EXPECT_EQ(c.column, 0);
    EXPECT_EQ(c.width, cell.width());
    EXPECT_EQ(c.height, cell.height());
  }
  const QColor red(255, 0, 0);
  EXPECT_GT(Share(image, 0, red), 0.5);  // shaded, with its text drawn over the shade
  EXPECT_LT(Share(image, 0, red), 1.0);
  EXPECT_EQ(Share(image, 1, red), 0.0);  // the handler left it alone
  EXPECT_GT(Share(image, 4, red), 0.5);
  const QColor highlight = View().palette().color(QPalette::Highlight);
  EXPECT_EQ(Share(image, 2, red), 0.0);  // the selected row shows the selection instead
  EXPECT_GT(Share(image, 2, highlight), 0.5);

  // A context kept past its event paints nothing and does not crash.
  ASSERT_NE(kept, nullptr);
  kept->FillRect(0, 0, 10, 10);
}

TEST_F(ListboxPaintTest, AnExceptionInTheHandlerGoesToThePolicyAndTheRowIsStillDrawn) {
  ExceptionRecorder recorder;
  list->CellBackgroundPaint.Connect(
      [](std::shared_ptr<Listbox>, std::shared_ptr<Graphics>, int32_t, int32_t) -> bool {
        throw NilObjectException("in the handler");
      });
  AddRows(3);
  ProcessEvents();
  QImage image = Render();
  EXPECT_LT(Share(image, 0, Qt::white), 1.0);  // its text
  ASSERT_FALSE(recorder.Classes().empty());
  EXPECT_EQ(recorder.Classes()[0], "NilObjectException");
}

TEST_F(ListboxTest, OpenIsRaisedOnceThroughTheDispatchPoint) {
  int opened = 0;
  list->Open.Connect([&](std::shared_ptr<Listbox> sender) {
    EXPECT_EQ(sender, list);
    ++opened;
    throw OutOfBoundsException("escapes the handler");  // must not reach the caller
  });
  ExceptionRecorder recorder;
  EXPECT_NO_THROW(list->RaiseOpen());
  EXPECT_NO_THROW(list->RaiseOpen());
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(recorder.Classes(), std::vector<std::string>{"OutOfBoundsException"});
}

}  // namespace
