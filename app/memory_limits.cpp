#include "app/memory_limits.h"

#include <QPixmapCache>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

// The style draws its buttons into pixmaps named after the widget's palette
// and icon, and keeps them in Qt's pixmap cache. The program makes new
// palettes all the time (the focus colour of the arrows, coloured captions,
// every window it builds), so the names keep changing; and Qt 6.4's cache
// keeps the name of every pixmap it drops for good. Without a cache nothing is
// kept: a pixmap that does not fit is not entered, and its name goes with it.
// Drawing a few small buttons afresh costs nothing one would notice.
constexpr int kPixmapCacheKiB = 0;

#ifdef __GLIBC__
// glibc raises both bounds whenever it frees a large mapped block, up to 32
// and 64 MB. An exact analysis of a large graph frees bit matrices of several
// MB, and what it frees after them then stays at the top of its thread's heap:
// that heap only shrinks when its free top exceeds the raised trim bound, and
// malloc_trim leaves a thread heap's top alone. Holding both bounds at glibc's
// initial 128 KiB keeps large blocks in mappings of their own and lets every
// heap shrink again.
constexpr int kMapThresholdBytes = 128 * 1024;
constexpr int kTrimThresholdBytes = 128 * 1024;
#endif

} // namespace

void limitHeldMemory() {
    QPixmapCache::setCacheLimit(kPixmapCacheKiB);
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, kMapThresholdBytes);
    mallopt(M_TRIM_THRESHOLD, kTrimThresholdBytes);
#endif
}
