#include "framework/audio/SoundStream.h"

#include <utility>

#include "framework/audio/Mp3Decoder.h"

SoundStream::SoundStream(std::unique_ptr<Mp3Decoder> decoder, std::string name)
    : decoder_(std::move(decoder)),
      name_(std::move(name)),
      rate_(decoder_->Rate()),
      channels_(decoder_->Channels()) {}

SoundStream::~SoundStream() = default;
