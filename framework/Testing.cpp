// Each seam hands on to the inside that it changes.
#include "framework/Testing.h"

#include <utility>

#include "framework/audio/AudioOutput.h"
#include "framework/audio/Mp3Decoder.h"
#include "framework/files/BundleExecutable.h"
#include "framework/qt/FolderDialog.h"

void SetBundleExecutableForTesting(const std::string& path) {
  SetBundleExecutable(path);
}

void SetDecoderReadForTesting(DecoderReadFunction read) {
  Mp3Decoder::SetReadFunction(read);
}

void AudioOutputLoseDeviceForTesting() {
  AudioOutputLoseDevice();
}

void SetSelectFolderResponderForTesting(SelectFolderResponder responder) {
  SetFolderDialogResponder(std::move(responder));
}
