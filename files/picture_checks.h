#pragma once

#include <QByteArray>

// True for a Windows bitmap whose header promises more pixel data than the
// bytes hold. Picture readers tend to pad such a file silently; it counts as
// unreadable instead. Other formats and compressed bitmaps are not judged here.
bool isTruncatedBitmap(const QByteArray& bytes);

// True for a bitmap as above, and for a GIF, JPEG or PNG file that ends before
// its first picture does: picture readers show the part they got of some of
// these (grey or blank below the cut) without a word. Only the file structure
// is followed; whatever is no such file, or breaks the structure otherwise, is
// left to the picture reader.
bool isTruncatedPicture(const QByteArray& bytes);
