// The Qt side of SelectFolderDialog: a dialog of our own around Qt's folder view, with the
// prompt above the folders, over the window the request was created for; or, while a test has
// set one, a responder that answers in its place. Program's thread only.
#pragma once

#include <functional>
#include <memory>

class FolderItem;
class SelectFolderDialog;
class Window;

// Asks for a folder as the request describes, over that window (or none when it is gone);
// waits for the answer and gives the chosen folder, or null when cancelled. Runs inside the
// request's modal session.
std::shared_ptr<FolderItem> AskForFolder(const SelectFolderDialog& request,
                                         const std::weak_ptr<Window>& over);

// While set, AskForFolder shows nothing and gives what the responder returns for the request.
// Null shows real dialogs again. Tests reach this through SetSelectFolderResponderForTesting
// (framework/Testing.h).
using FolderDialogResponder = std::function<std::shared_ptr<FolderItem>(const SelectFolderDialog&)>;
void SetFolderDialogResponder(FolderDialogResponder responder);
