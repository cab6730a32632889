// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing one rectangle of the fast path: its pixel range, the tables it
// reads, the texture stage reduced to per-channel factors, and the choice of
// span loops; what the loops cannot do (the depth test, other blends, a
// stage of texture times texture) is shaded pixel by pixel.
#include "platform/software/fast_quad.hpp"

#include <algorithm>
#include <array>

#include "platform/software/rasteriser.hpp"
#include "platform/software/span_kernel.hpp"

namespace tiefschacht {

namespace swr {
namespace {

// Pixel range [first, last) whose centres lie in [lo, hi) on the snapped grid.
void pixelRange(double lo, double hi, int limit, int& first, int& last) {
    int64_t a = snapToGrid(std::max(lo, -GuardBand));
    int64_t b = snapToGrid(std::min(hi, limit + GuardBand));
    first = static_cast<int>(std::clamp<int64_t>((a + 255) >> 8, 0, limit));
    last = static_cast<int>(std::clamp<int64_t>((b + 255) >> 8, 0, limit));
}

BlendMode blendMode(const BlendSetup& b) {
    if (!b.enabled) return BlendMode::Replace;
    if (b.src == BlendFactor::One && b.dst == BlendFactor::Zero) return BlendMode::Replace;
    if (b.src == BlendFactor::SrcAlpha && b.dst == BlendFactor::InvSrcAlpha) return BlendMode::Mix;
    if (b.src == BlendFactor::One && b.dst == BlendFactor::One) return BlendMode::Add;
    return BlendMode::Other;
}

// With a constant diffuse colour the stage gives, per channel,
// div255(texel * k) + c. False when it does not (texture times texture).
bool linearCombine(const CombineSetup& cs, uint32_t diffuse, std::array<uint16_t, 4>& k,
                   std::array<uint16_t, 4>& c) {
    for (int ch = 0; ch < 4; ++ch) {  // memory order: b, g, r, a
        const bool alpha = ch == 3;
        StageOp op = alpha ? cs.alphaOp : cs.colourOp;
        StageArg a1 = alpha ? cs.alphaArg1 : cs.colourArg1;
        StageArg a2 = alpha ? cs.alphaArg2 : cs.colourArg2;
        uint32_t d = channel(diffuse, 8 * ch);
        StageArg only = StageArg::Diffuse;
        switch (op) {
        case StageOp::Disable: only = StageArg::Diffuse; break;
        case StageOp::SelectArg1: only = a1; break;
        case StageOp::SelectArg2: only = a2; break;
        case StageOp::Modulate:
            if (a1 == StageArg::Texture && a2 == StageArg::Texture) return false;
            if (a1 == StageArg::Diffuse && a2 == StageArg::Diffuse) {
                k[ch] = 0;
                c[ch] = static_cast<uint16_t>(div255(d * d));
            } else {
                k[ch] = static_cast<uint16_t>(d);
                c[ch] = 0;
            }
            continue;
        }
        k[ch] = only == StageArg::Texture ? 255 : 0;
        c[ch] = only == StageArg::Texture ? 0 : static_cast<uint16_t>(d);
    }
    return true;
}

}  // namespace

SpanLoops bestSpanLoops() {
    return wideVectorsAvailable() ? SpanLoops::Widest : SpanLoops::Baseline;
}

void drawScreenRect(const ScreenRect& rect, const PixelSetup& setup, const RenderTarget& target,
                    SpanTables& t) {
    int c0, c1, r0, r1;
    pixelRange(rect.left, rect.right, target.width, c0, c1);
    pixelRange(rect.top, rect.bottom, target.height, r0, r1);
    const int cols = c1 - c0, rows = r1 - r0;
    if (cols <= 0 || rows <= 0) return;

    const TextureView& tex = setup.texture;
    const bool linear = setup.sampler.linear;
    const RowTable& rowsOf =
        rowTable(AxisKey{r0, rows, rect.top, rect.bottom, rect.vTop, rect.vBottom, tex.height,
                         linear, setup.sampler.wrapV},
                 t);

    SpanKernel kernel;
    SpanCase which;
    which.mode = blendMode(setup.blend);
    const bool spans = !setup.depthTest && which.mode != BlendMode::Other &&
                       linearCombine(setup.combine, rect.diffuse, kernel.k, kernel.c);
    // The source alpha is div255(texel alpha * k) + c, saturated: when it is
    // 255 at every pixel, mixing gives the source and the target need not be read.
    if (spans && which.mode == BlendMode::Mix &&
        (kernel.c[3] >= 255 || (tex.opaque && kernel.k[3] + kernel.c[3] >= 255)))
        which.mode = BlendMode::Replace;
    if (!spans) {
        axisTable(c0, cols, rect.left, rect.right, rect.uLeft, rect.uRight, tex.width, linear,
                  setup.sampler.wrapU, t.col0, t.col1, t.fixedU);
        t.columns = AxisKey{};  // the weights no longer match col0 and col1
        for (int y = 0; y < rows; ++y) {
            size_t base = static_cast<size_t>(r0 + y) * target.width + c0;
            for (int x = 0; x < cols; ++x)
                shadePixel(setup, target, base + x, rect.z, t.fixedU[x], rowsOf.fixedV[y],
                           rect.diffuse);
        }
        return;
    }

    const AxisKey columns{c0,          cols,      rect.left, rect.right,         rect.uLeft,
                          rect.uRight, tex.width, linear,    setup.sampler.wrapU};
    if (!(t.columns == columns)) buildColumns(columns, t);

    kernel.col0 = t.col0.data();
    kernel.col1 = t.col1.data();
    kernel.colWeight = t.colWeight.data();
    kernel.colWeightInv = t.colWeightInv.data();
    kernel.alphaFunc = setup.alphaFunc;
    kernel.alphaRef = setup.alphaRef;
    kernel.lineFirst = t.lineFirst;
    kernel.lineLast = t.lineLast;
    kernel.lineCopy = t.lineCopy;
    which.identity = kernel.k == std::array<uint16_t, 4>{255, 255, 255, 255} &&
                     kernel.c == std::array<uint16_t, 4>{0, 0, 0, 0};
    which.linear = linear;
    which.adjacent = t.adjacentColumns;
    which.alphaTest = setup.alphaTest;
    if (linear) t.line.resize(static_cast<size_t>(tex.width + 1) * 4);
    const RowSource src{&tex,
                        rowsOf.row0.data(),
                        rowsOf.row1.data(),
                        rowsOf.rowWeight.data(),
                        t.line.data(),
                        target.colour + static_cast<size_t>(r0) * target.width + c0,
                        target.width,
                        rows,
                        cols};
    if (t.loops == SpanLoops::Portable) return drawSpansPortable(which, kernel, src);
    if (t.loops == SpanLoops::Widest && drawSpansWide(which, kernel, src)) return;
    drawSpansBaseline(which, kernel, src);
}

}  // namespace swr

}  // namespace tiefschacht
