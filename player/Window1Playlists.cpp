// The two playlists: each list fills itself once, when it opens, with the ".mp3" items of its
// folder ("music" or "PSAs" in the working directory), asking for the folder when it is
// missing; cancelling that question ends the program. Both lists shade every other row.
#include "framework/Color.h"
#include "framework/EventLoop.h"
#include "framework/Exceptions.h"
#include "framework/FolderItem.h"
#include "framework/Graphics.h"
#include "framework/Listbox.h"
#include "framework/SelectFolderDialog.h"
#include "framework/SpecialFolder.h"
#include "framework/TextUtil.h"
#include "player/Window1.h"

namespace {

// The light grey of the shaded rows.
constexpr Color kRowShade = Color::FromHex(0xF7F7F7);

// Paints an even row's whole cell light grey; odd rows keep the list's own background.
bool ShadeEvenRows(const std::shared_ptr<Graphics>& g, int32_t row) {
  if (row % 2 == 0) {
    NilCheck(g)->ForeColor(kRowShade);
    const int32_t width = g->Width();
    const int32_t height = g->Height();
    g->FillRect(0, 0, width, height);
  }
  return false;
}

}  // namespace

void Window1::MusicList_Open(std::shared_ptr<Listbox> list) {
  std::shared_ptr<FolderItem> folder = GetFolderItem("music", 0);
  std::shared_ptr<FolderItem> initialFolder = SpecialFolder::Music();
  FillListWithMusic(list, folder, "Please select the folder which contains the music",
                    initialFolder);
}

void Window1::PSAList_Open(std::shared_ptr<Listbox> list) {
  std::shared_ptr<FolderItem> folder = GetFolderItem("PSAs", 0);
  std::shared_ptr<FolderItem> initialFolder = SpecialFolder::Desktop();
  FillListWithMusic(list, folder, "Please select the folder which contains the PSA messages",
                    initialFolder);
}

bool Window1::MusicList_CellBackgroundPaint(std::shared_ptr<Listbox> /*list*/,
                                            std::shared_ptr<Graphics> g, int32_t row,
                                            int32_t /*column*/) {
  return ShadeEvenRows(g, row);
}

bool Window1::PSAList_CellBackgroundPaint(std::shared_ptr<Listbox> /*list*/,
                                          std::shared_ptr<Graphics> g, int32_t row,
                                          int32_t /*column*/) {
  return ShadeEvenRows(g, row);
}

void Window1::FillListWithMusic(std::shared_ptr<Listbox> list, std::shared_ptr<FolderItem> folder,
                                const std::string& prompt,
                                std::shared_ptr<FolderItem> initialFolder) {
  if (!folder || !folder->Exists()) {
    std::shared_ptr<SelectFolderDialog> dialog = New<SelectFolderDialog>();
    dialog->ActionButtonCaption = "Select";
    dialog->Title = "Find Music";
    dialog->PromptText = prompt;
    dialog->InitialDirectory = initialFolder;
    folder = dialog->ShowModal();
    dialog = nullptr;
    if (!folder) {
      Quit(0);
      return;
    }
  }

  // The count is read again before every turn: the folder tells what it holds now.
  for (int32_t index = 1; index <= NilCheck(folder)->Count(); ++index) {
    std::shared_ptr<FolderItem> item = folder->Item(index);
    const std::string name = NilCheck(item)->Name();
    if (TextEquals(Right(name, 4), ".mp3")) {
      NilCheck(list)->AddRow(name);
      list->RowTag(list->LastIndex(), item);
    }
  }
}
