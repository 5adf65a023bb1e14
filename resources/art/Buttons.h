#pragma once

class QPainter;

namespace Res {
struct SkinInfo;
}

namespace Art {

// Paints the whole strip of a skin button: its states side by side, normal, mouse over, pressed.
void PaintButtonStrip(QPainter &p, const Res::SkinInfo &info);

} // namespace Art
