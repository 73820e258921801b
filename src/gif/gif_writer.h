#pragma once
// Writes a recording as a looping animated GIF89a: one palette shared by every picture, and
// every picture after the first stored as the rectangle that changed, its unchanged pixels
// transparent over the picture before.

#include <string>
#include <vector>

#include "gif/gif_frame.h"

namespace orvala {

// The file's bytes in `bytes`. Every frame must have the first frame's size; a delay is stored
// in hundredths of a second (a positive delay is never stored as none, and one beyond the
// format's 655.35 s is stored as that).
GifWriteResult encodeAnimatedGif(const std::vector<GifFrame>& frames, std::string& bytes);

// Encodes and replaces `path` whole; on any failure no file is left changed or half written.
GifWriteResult writeAnimatedGif(const std::string& path, const std::vector<GifFrame>& frames);

// The same from the changes alone, for a recorder that never keeps whole pictures: a picture
// of `width` x `height` whose first change covers it all. Gives the same bytes as the frames.
GifWriteResult encodeAnimatedGifChanges(int width, int height,
                                        const std::vector<GifChange>& changes, std::string& bytes);
GifWriteResult writeAnimatedGifChanges(const std::string& path, int width, int height,
                                       const std::vector<GifChange>& changes);

}  // namespace orvala
