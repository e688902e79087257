#include "fw/TouchCalibration.h"

#include <cmath>

namespace fw {
namespace {

constexpr double kPanelSpan = 640.0;
constexpr double kMaxScale = 4.0;
// Touches whose x and y are this closely correlated lie on one line: they fix no map.
constexpr double kMinSpread = 0.01;

TouchMatrix& MatrixInForce() {
    static TouchMatrix matrix;
    return matrix;
}

bool& PanelFlag() {
    static bool needs = false;
    return needs;
}

struct Mean {
    double x = 0.0;
    double y = 0.0;
};

Mean MeanOf(std::span<const Point> points) {
    Mean m;
    for (const Point& p : points) {
        m.x += p.x;
        m.y += p.y;
    }
    m.x /= double(points.size());
    m.y /= double(points.size());
    return m;
}

// One output axis of the fit: out = a x + b y + c over the centred touches.
struct AxisFit {
    double a, b, c;
};

}  // namespace

Point TouchMatrix::Map(Point raw) const {
    const double x = raw.x;
    const double y = raw.y;
    return {static_cast<int>(std::lround(k[0] * x + k[1] * y + k[2])),
            static_cast<int>(std::lround(k[3] * x + k[4] * y + k[5]))};
}

bool TouchMatrix::IsUsable() const {
    for (double v : k) {
        if (!std::isfinite(v))
            return false;
    }
    const double det = k[0] * k[4] - k[1] * k[3];
    const double minDet = 1.0 / (kMaxScale * kMaxScale);
    const double maxDet = kMaxScale * kMaxScale;
    return std::fabs(det) >= minDet && std::fabs(det) <= maxDet && std::fabs(k[2]) <= kPanelSpan &&
           std::fabs(k[5]) <= kPanelSpan;
}

void SetTouchMatrix(const TouchMatrix& matrix) {
    MatrixInForce() = matrix.IsUsable() ? matrix : TouchMatrix{};
}

const TouchMatrix& GetTouchMatrix() {
    return MatrixInForce();
}

void SetPanelNeedsCalibration(bool needs) {
    PanelFlag() = needs;
}

bool PanelNeedsCalibration() {
    return PanelFlag();
}

std::optional<TouchMatrix> SolveTouchMatrix(std::span<const Point> targets,
                                            std::span<const Point> touched, double tolerance) {
    if (targets.size() != touched.size() || touched.size() < 3)
        return std::nullopt;
    const Mean m = MeanOf(touched);
    const Mean t = MeanOf(targets);
    double cxx = 0, cyy = 0, cxy = 0, cxu = 0, cyu = 0, cxv = 0, cyv = 0;
    for (size_t i = 0; i < touched.size(); ++i) {
        const double dx = touched[i].x - m.x, dy = touched[i].y - m.y;
        const double du = targets[i].x - t.x, dv = targets[i].y - t.y;
        cxx += dx * dx;
        cyy += dy * dy;
        cxy += dx * dy;
        cxu += dx * du;
        cyu += dy * du;
        cxv += dx * dv;
        cyv += dy * dv;
    }
    const double det = cxx * cyy - cxy * cxy;
    if (!(cxx > 0.0 && cyy > 0.0 && det > kMinSpread * cxx * cyy))
        return std::nullopt;
    auto fit = [&](double cxo, double cyo, double mean) {
        const double a = (cxo * cyy - cyo * cxy) / det;
        const double b = (cyo * cxx - cxo * cxy) / det;
        return AxisFit{a, b, mean - a * m.x - b * m.y};
    };
    const AxisFit u = fit(cxu, cyu, t.x);
    const AxisFit v = fit(cxv, cyv, t.y);
    TouchMatrix matrix;
    matrix.k = {u.a, u.b, u.c, v.a, v.b, v.c};
    if (!matrix.IsUsable())
        return std::nullopt;
    for (size_t i = 0; i < touched.size(); ++i) {
        const Point p = matrix.Map(touched[i]);
        if (std::hypot(p.x - targets[i].x, p.y - targets[i].y) > tolerance)
            return std::nullopt;
    }
    return matrix;
}

}  // namespace fw
