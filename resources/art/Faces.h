#pragma once

class QPainter;

namespace Art {

void PaintMainFace(QPainter &p);
void PaintOptionsPanel(QPainter &p);
void PaintCustomFace(QPainter &p);
void PaintBookmarkFace(QPainter &p);
void PaintAboutFace(QPainter &p);
void PaintProgressTrough(QPainter &p);
void PaintProgressFill(QPainter &p);

} // namespace Art
