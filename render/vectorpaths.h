#pragma once

// Glyph outlines placed on a page, for the devices that carry text as paths.

#include "render/scene.h"

namespace render {

// Calls move(x, y), line(x, y), cubic(x1, y1, x2, y2, x, y) and close() for
// every glyph of the scene, in page units.
template <typename Move, typename Line, typename Cubic, typename Close>
void forEachGlyphPath(const Scene& scene, Move&& move, Line&& line, Cubic&& cubic, Close&& close) {
  if (!scene.font) return;
  for (const PlacedGlyph& placed : scene.glyphs) {
    const Glyph& glyph = scene.font->glyph(placed.c);
    double lastX = 0, lastY = 0;  // in ems, for the quadratic steps
    for (const PathOp& step : glyph.outline) {
      const PathOp op = step.kind == PathOp::Quad ? asCubic(step, lastX, lastY) : step;
      switch (op.kind) {
        case PathOp::Move:
          move(scene.glyphX(placed, op.x[0], op.y[0]), scene.glyphY(placed, op.x[0], op.y[0]));
          lastX = op.x[0], lastY = op.y[0];
          break;
        case PathOp::Line:
          line(scene.glyphX(placed, op.x[0], op.y[0]), scene.glyphY(placed, op.x[0], op.y[0]));
          lastX = op.x[0], lastY = op.y[0];
          break;
        case PathOp::Quad:
        case PathOp::Cubic:
          cubic(scene.glyphX(placed, op.x[0], op.y[0]), scene.glyphY(placed, op.x[0], op.y[0]),
                scene.glyphX(placed, op.x[1], op.y[1]), scene.glyphY(placed, op.x[1], op.y[1]),
                scene.glyphX(placed, op.x[2], op.y[2]), scene.glyphY(placed, op.x[2], op.y[2]));
          lastX = op.x[2], lastY = op.y[2];
          break;
        case PathOp::Close:
          close();
          break;
      }
    }
  }
}

// "#rrggbb".
inline void appendHexColour(std::string& out, const Colour& colour) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += '#';
  for (const std::uint8_t c : {colour.r, colour.g, colour.b}) {
    out += kHex[c >> 4];
    out += kHex[c & 15];
  }
}

}  // namespace render
