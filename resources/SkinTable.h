#pragma once

#include <cstddef>

// The catalogue of every picture the product carries. It is plain data so that the build-time
// painter and the run-time loader agree on names and sizes without sharing any other code.
namespace Res {

enum class SkinKind { Face, Strip, Plain };

struct SkinInfo {
    const char *name;
    int width;             // logical width of the whole picture (a strip: all its states side by side)
    int height;            // logical height
    int states;            // pictures side by side in a strip; 1 for faces
    SkinKind kind;
    const char *caption;   // what the picture says (accessible name); empty for faces
    bool captionPainted;   // false where the picture shows a symbol only (then a tooltip is wanted)
};

// Layout facts of the painted faces, for the windows that place labels over them.
constexpr int MainTitleBandHeight = 94;
constexpr int DialogTitleBandHeight = 30;
constexpr int DialogTitleTextLeft = 32;   // the small logo mark sits left of it
constexpr int DialogFooterHeight = 44;    // a slightly darker strip for the OK / Cancel row
constexpr int DialogCloseTop = 5;         // the close cross sits at (width - 25, 5)
constexpr int DialogCloseRightInset = 25;
// The bookmark dialog's face frames its borderless 503 x 321 outline tree placed here.
constexpr int BookmarkTreeLeft = 18;
constexpr int BookmarkTreeTop = 80;

const SkinInfo *SkinTable(std::size_t *count);
const SkinInfo *FindSkin(const char *name);

} // namespace Res
