// The framework's test seams: every way in which a test may change what the framework does,
// and nothing that the program calls. Call them from the test's own thread, outside any event
// handler.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

class FolderItem;
class SelectFolderDialog;

// Makes the bundle lookup (GetApplicationBundleResources) start from this path instead of the
// running executable; an empty path restores the executable.
void SetBundleExecutableForTesting(const std::string& path);

// Every read that a sound's decoder makes from its file goes through `read` (the system's read
// when null), so that a test can make reads slow or fail. Also while sounds play: the feeder
// thread decodes through it.
using DecoderReadFunction = ssize_t (*)(int fd, void* buffer, size_t bytes);
void SetDecoderReadForTesting(DecoderReadFunction read);

// Takes the sound device away, as an unplugged card would.
void AudioOutputLoseDeviceForTesting();

// While set, SelectFolderDialog::ShowModal shows nothing and gives what the responder returns
// for the dialog, inside the modal session as a real dialog would. Null shows real dialogs
// again.
using SelectFolderResponder =
    std::function<std::shared_ptr<FolderItem>(const SelectFolderDialog& dialog)>;
void SetSelectFolderResponderForTesting(SelectFolderResponder responder);
