#include "fif/decoder.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "fif/interpolate.h"
#include "fif/isometry.h"
#include "fif/zoom.h"

namespace fif {

namespace {

constexpr int kIterations = 8;
// Larger steps between blocks are edges of the picture, not of the blocks.
constexpr float kEdgeThreshold = 48.0f;
// Steps beside the smallest blocks are the picture's own fine detail.
constexpr int kSmallestSmoothed = 4;
// A step at least this many times the steps beside it stands out as a
// block's edge.
constexpr float kOwnStepShare = 2.0f;
constexpr float kGrey = 128.0f;

// Scales are counted in steps of one over the smallest block's side: block
// corners lie on multiples of that side, so every block keeps whole pixels
// from the smallest scale up. Pictures are rendered at most four times
// their size and resampled from there.
struct Scale {
  int steps;  // the scale is steps / unit
  int unit;
  int of(int v) const { return v * steps / unit; }
};

Scale scaleFor(const Header& h, int width, int height) {
  const int unit = 1 << h.minRangeLog2;
  for (int k = 1; k < 4 * unit; ++k)
    if (std::int64_t(h.width) * k >= std::int64_t(width) * unit &&
        std::int64_t(h.height) * k >= std::int64_t(height) * unit)
      return {k, unit};
  return {4 * unit, unit};
}

struct WorkPlane {
  int width = 0, height = 0;  // padded, at the working scale
  float validWidth = 0, validHeight = 0;  // the picture inside the padding
  std::vector<float> pixels;
};

class PlaneDecoder {
 public:
  PlaneDecoder(const Header& header, const Plane& plane, Scale scale)
      : plane_(plane), scale_(scale) {
    work_.width = scale_.of(paddedSide(plane.width, header.maxRangeLog2));
    work_.height = scale_.of(paddedSide(plane.height, header.maxRangeLog2));
    work_.validWidth = float(plane.width) * float(scale_.steps) / float(scale_.unit);
    work_.validHeight = float(plane.height) * float(scale_.steps) / float(scale_.unit);
    work_.pixels.assign(std::size_t(work_.width) * std::size_t(work_.height), kGrey);
  }

  template <class Step>
  WorkPlane run(Step step, bool smooth) {
    std::vector<float> previous = work_.pixels;
    for (int i = 0; i < kIterations; ++i) {
      for (const Transform& t : plane_.transforms) apply(t, previous.data(), work_.pixels.data());
      std::swap(previous, work_.pixels);
      step();
    }
    work_.pixels = std::move(previous);
    if (smooth) smoothEdges();
    return std::move(work_);
  }

 private:
  int scaled(int v) const { return scale_.of(v); }

  void apply(const Transform& t, const float* previous, float* out) {
    const std::ptrdiff_t stride = work_.width;
    const int n = scaled(t.size);
    float* range = out + scaled(t.y) * stride + scaled(t.x);
    const float mean = meanValue(t.mean);
    if (t.flat) {
      for (int y = 0; y < n; ++y) std::fill(range + y * stride, range + y * stride + n, mean);
      return;
    }
    domain_.resize(std::size_t(n) * std::size_t(n));
    const float* source = previous + scaled(t.domainY) * stride + scaled(t.domainX);
    float sum = 0;
    for (int y = 0; y < n; ++y) {
      const float* row = source + 2 * y * stride;
      for (int x = 0; x < n; ++x) {
        const float v =
            (row[2 * x] + row[2 * x + 1] + row[stride + 2 * x] + row[stride + 2 * x + 1]) * 0.25f;
        domain_[std::size_t(y * n + x)] = v;
        sum += v;
      }
    }
    const float domainMean = sum / float(n * n);
    const float contrast = contrastValue(t.contrast);
    for (int y = 0; y < n; ++y)
      for (int x = 0; x < n; ++x) {
        int sx, sy;
        isometrySource(t.isometry, n, x, y, sx, sy);
        const float v = contrast * (domain_[std::size_t(sy * n + sx)] - domainMean) + mean;
        range[y * stride + x] = std::clamp(v, 0.0f, 255.0f);
      }
  }

  // Larger blocks are smoother inside, so their edges are spread further.
  // A block's corner lies a whole block from the plane's edge, so the spread
  // and the look at the pixels beside the edge stay inside the plane.
  void smoothEdges() {
    const std::ptrdiff_t stride = work_.width;
    for (const Transform& t : plane_.transforms) {
      const int x0 = scaled(t.x), y0 = scaled(t.y), n = scaled(t.size);
      // A block shrunk to a pixel has no inside to spread its edge into.
      if (t.size < kSmallestSmoothed || n < 2) continue;
      const int reach = std::max(1, n / 4);
      float* corner = work_.pixels.data() + y0 * stride + x0;
      if (x0 > 0)
        for (int y = 0; y < n; ++y) blend(corner + y * stride, 1, reach);
      if (y0 > 0)
        for (int x = 0; x < n; ++x) blend(corner + x, stride, reach);
    }
  }

  // Turns the step between two blocks into an even ramp over `reach`
  // pixels on each side: every one of its 2 reach + 1 steps the same.
  static void blend(float* edge, std::ptrdiff_t step, int reach) {
    const float jump = edge[0] - edge[-step];
    if (std::fabs(jump) > kEdgeThreshold) return;
    // A step the pixels beside it carry on is the picture's own.
    const float beside =
        std::max(std::fabs(edge[-step] - edge[-2 * step]), std::fabs(edge[step] - edge[0]));
    if (kOwnStepShare * beside > std::fabs(jump)) return;
    for (int i = 0; i < reach; ++i) {
      const float share = jump * float(reach - i) / float(2 * reach + 1);
      edge[-(i + 1) * step] += share;
      edge[i * step] -= share;
    }
  }

  const Plane& plane_;
  const Scale scale_;
  WorkPlane work_;
  std::vector<float> domain_;
};

// Bilinear samples of the plane's picture area at width x height.
std::vector<float> resample(const WorkPlane& plane, int width, int height) {
  std::vector<float> out(std::size_t(width) * std::size_t(height));
  const float fx = plane.validWidth / float(width), fy = plane.validHeight / float(height);
  std::vector<int> x0(std::size_t(width), 0);
  std::vector<float> wx(std::size_t(width), 0);
  for (int x = 0; x < width; ++x) {
    const float sx = std::clamp((float(x) + 0.5f) * fx - 0.5f, 0.0f, float(plane.width - 1));
    x0[std::size_t(x)] = std::min(int(sx), plane.width - 2 < 0 ? 0 : plane.width - 2);
    wx[std::size_t(x)] = plane.width > 1 ? sx - float(x0[std::size_t(x)]) : 0;
  }
  const int right = plane.width > 1 ? 1 : 0;
  const std::ptrdiff_t down = plane.height > 1 ? plane.width : 0;
  for (int y = 0; y < height; ++y) {
    const float sy = std::clamp((float(y) + 0.5f) * fy - 0.5f, 0.0f, float(plane.height - 1));
    const int y0 = std::min(int(sy), std::max(plane.height - 2, 0));
    const float wy = down ? sy - float(y0) : 0;
    const float* row = plane.pixels.data() + std::ptrdiff_t(y0) * plane.width;
    float* target = out.data() + std::ptrdiff_t(y) * width;
    for (int x = 0; x < width; ++x) {
      const float* p = row + x0[std::size_t(x)];
      const float a = wx[std::size_t(x)];
      const float top = p[0] + a * (p[right] - p[0]);
      const float bottom = p[down] + a * (p[down + right] - p[down]);
      target[x] = top + wy * (bottom - top);
    }
  }
  return out;
}

// The plane's picture without the padding around it.
std::vector<float> pictureArea(const WorkPlane& own, int width, int height) {
  std::vector<float> out(std::size_t(width) * std::size_t(height));
  for (int y = 0; y < height; ++y)
    std::copy_n(own.pixels.data() + std::ptrdiff_t(y) * own.width, width,
                out.data() + std::ptrdiff_t(y) * width);
  return out;
}

// A plane with a residual is rendered at its own size, where the residual
// was measured, and then resized smoothly: iterating its coarse blocks at a
// larger scale invents detail the residual no longer matches. Its blocks'
// edges are smoothed always, as the encoder saw them; `smooth` eases the
// residual's squares' edges (files before version 6) or applies the filter
// fitted to the plane (from version 6, which it does better than the
// easing). A picture shown at twice its size or more is first doubled by
// its own likeness across scales (`zoomed`). Planes without a residual
// render as they always have.
// The luminance's `shapes` (lumaShapes) are what its chroma squares may be
// drawn on; rendering the luminance fills them in when asked (`shapesOut`).
template <class Step>
std::vector<float> renderPlane(const Header& header, const Plane& plane, bool chroma, int width,
                               int height, bool smooth, bool zoomed, Step step, const float* shapes,
                               std::vector<float>* shapesOut) {
  if (plane.residual.stepCode == 0)
    return resample(PlaneDecoder(header, plane, scaleFor(header, width, height)).run(step, smooth),
                    width, height);
  const int unit = 1 << header.minRangeLog2;
  WorkPlane own = PlaneDecoder(header, plane, {unit, unit}).run(step, true);
  addResidual(plane.residual, own.width, own.height, own.pixels.data(), shapes);
  if (shapesOut) {
    int chromaW = 0, chromaH = 0;
    paddedPlaneSize(header, 1, chromaW, chromaH);
    *shapesOut = lumaShapes(own.pixels.data(), own.width, own.height, chromaW, chromaH);
  }
  if (smooth && header.version < 6)
    easeSquareEdges(plane.residual, own.width, own.height, own.pixels.data());
  if (smooth) applyRestoration(plane.restoration, own.width, own.height, chroma, own.pixels.data());
  // At its own size the kernel's taps beside each pixel are zero: take the
  // picture as it is.
  if (width == plane.width && height == plane.height) return pictureArea(own, width, height);
  if (!zoomed)
    return lanczosResize(own.pixels, own.width, own.height, width, height,
                         double(width) / plane.width, double(height) / plane.height);
  const int doubledW = 2 * plane.width, doubledH = 2 * plane.height;
  std::vector<float> picture = pictureArea(own, plane.width, plane.height);
  std::vector<float>().swap(own.pixels);  // spare its memory for the doubled picture
  std::vector<float> doubled = doubleSize(std::move(picture), plane.width, plane.height);
  if (width == doubledW && height == doubledH) return doubled;
  return lanczosResize(doubled, doubledW, doubledH, width, height, double(width) / doubledW,
                       double(height) / doubledH);
}

}  // namespace

std::vector<float> predictPlane(const Header& header, const Plane& plane) {
  const int unit = 1 << header.minRangeLog2;
  return PlaneDecoder(header, plane, {unit, unit}).run([] {}, true).pixels;
}

RgbImage render(const FifFile& file, int width, int height, const Progress& progress,
                bool smoothEdges) {
  RgbImage image{width, height,
                 std::vector<std::uint8_t>(std::size_t(width) * std::size_t(height) * 3, 128)};
  const Header& h = file.header;
  if (h.width == 0 || h.height == 0 || width <= 0 || height <= 0) return image;

  const int steps = kIterations * int(file.planes.size());
  int done = 0;
  const bool zoomed = width >= 2 * h.width && height >= 2 * h.height;
  std::vector<std::vector<float>> planes;
  // Only chroma squares from version 10 are shaped by the luminance.
  std::vector<float> shapes;
  const bool shaped = h.version >= 10 && file.planes.size() > 1;
  for (const Plane& plane : file.planes) {
    const bool chroma = !planes.empty();
    planes.push_back(renderPlane(
        h, plane, chroma, width, height, smoothEdges, zoomed,
        [&] {
          if (progress) progress(++done * 100 / steps);
        },
        chroma && !shapes.empty() ? shapes.data() : nullptr,
        shaped && !chroma ? &shapes : nullptr));
  }
  std::uint8_t* out = image.rgb.data();
  const std::size_t count = std::size_t(width) * std::size_t(height);
  for (std::size_t i = 0; i < count; ++i, out += 3) {
    if (planes.size() == 1)
      out[0] = out[1] = out[2] = toByte(planes[0][i]);
    else
      toRgb(planes[0][i], planes[1][i], planes[2][i], out);
  }
  return image;
}

}  // namespace fif
