// The launcher's icon as it crosses to the module: PNG images of several sizes.
#pragma once

#include <cstdint>

struct IconImage {
    int32_t size;
    const unsigned char *png;
    uint32_t length;
};

struct IconSet {
    int32_t count;
    const IconImage *images;
};
