#pragma once

#include <cstdint>

// The application icon as PNG files embedded in the launcher, smallest first (16 to 256 px).
// The launcher hands LauncherIconSet() on as its icon handle; the module turns it into a QIcon.
struct IconImage {
    int32_t size;
    const unsigned char *png;
    uint32_t length;
};

struct IconSet {
    int32_t count;
    const IconImage *images;
};

const IconSet *LauncherIconSet();
