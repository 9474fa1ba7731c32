#include "app/ScreenFit.h"

#include <algorithm>

namespace {

// Stored numbers can be anything: reckon in 64 bits.
struct CSpan {
    long long start, length;
};

long long Overlap(const CSpan& a, long long low, long long room) {
    return std::max(0LL, std::min(a.start + a.length, low + room) - std::max(a.start, low));
}

// The span no longer than the room, moved into it with the least shift.
int FitSpan(const CSpan& s, int low, int room, int& length) {
    length = static_cast<int>(std::min<long long>(s.length, room));
    return static_cast<int>(std::clamp<long long>(s.start, low, low + room - length));
}

} // namespace

QRect FitOnScreen(int x, int y, int width, int height, const QList<QRect>& availableScreens) {
    const CSpan h{x, std::max(width, 1)}, v{y, std::max(height, 1)};
    if (availableScreens.isEmpty()) {
        const int limit = 1 << 20; // far from where a QRect's arithmetic overflows
        return QRect(std::clamp(x, -limit, limit), std::clamp(y, -limit, limit),
                     std::min<int>(h.length, limit), std::min<int>(v.length, limit));
    }
    QRect screen = availableScreens.first();
    long long best = 0;
    for (const QRect& s : availableScreens) {
        const long long area = Overlap(h, s.x(), s.width()) * Overlap(v, s.y(), s.height());
        if (area > best) {
            best = area;
            screen = s;
        }
    }
    int w = 0, hgt = 0;
    const int left = FitSpan(h, screen.x(), screen.width(), w);
    const int top = FitSpan(v, screen.y(), screen.height(), hgt);
    return QRect(left, top, w, hgt);
}
