// Decoding one thumbnail on a worker thread: the thumbnail decoding order of
// the picture module at the cell size. Safe to call from several threads at
// once; it touches no window and no shared state.
#pragma once

#include <QImage>
#include <QString>
#include <atomic>

namespace zor {

// The picture of file for a cell of side size; a null image when the file
// cannot be decoded, or when cancelled is set before a long drawing is done.
QImage DecodeThumbnail(const QString& file, int size, const std::atomic<bool>& cancelled);

}  // namespace zor
