// Threads: made on the program's thread by Sound::Open; destroyed by whoever lets go of it
// last, the program's thread or the output's feeder thread (SoundStream.h).
#include "framework/audio/SoundStream.h"

#include <utility>

#include "framework/audio/Mp3Decoder.h"

SoundStream::SoundStream(std::unique_ptr<Mp3Decoder> decoder, std::string name)
    : decoder_(std::move(decoder)),
      name_(std::move(name)),
      rate_(decoder_->Rate()),
      channels_(decoder_->Channels()) {}

SoundStream::~SoundStream() = default;
