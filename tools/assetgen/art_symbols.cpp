#include "assetgen/art_symbols.h"

#include <cmath>

namespace {

constexpr float kPi = 3.14159265f;

bool in_disc(float u, float v, float cx, float cy, float r) {
    float du = u - cx, dv = v - cy;
    return du * du + dv * dv <= r * r;
}

bool in_ring(float u, float v, float cx, float cy, float inner, float outer) {
    float du = u - cx, dv = v - cy;
    float d2 = du * du + dv * dv;
    return d2 <= outer * outer && d2 >= inner * inner;
}

// Even-odd test against a polygon given as n (x, y) pairs.
bool in_polygon(const float* xy, int32_t n, float u, float v) {
    bool inside = false;
    for (int32_t i = 0, j = n - 1; i < n; j = i++) {
        float xi = xy[2 * i], yi = xy[2 * i + 1], xj = xy[2 * j], yj = xy[2 * j + 1];
        if ((yi > v) != (yj > v) && u < (xj - xi) * (v - yi) / (yj - yi) + xi) inside = !inside;
    }
    return inside;
}

bool near_segment(float u, float v, float ax, float ay, float bx, float by, float half) {
    float dx = bx - ax, dy = by - ay;
    float len2 = dx * dx + dy * dy;
    float t = len2 > 0 ? ((u - ax) * dx + (v - ay) * dy) / len2 : 0.0f;
    if (t < 0) t = 0;
    if (t > 1) t = 1;
    float px = ax + dx * t - u, py = ay + dy * t - v;
    return px * px + py * py <= half * half;
}

bool in_regular(float u, float v, int32_t sides, float radius, float rotation) {
    float xy[16];
    for (int32_t i = 0; i < sides; ++i) {
        float a = rotation + 2.0f * kPi * float(i) / float(sides);
        xy[2 * i] = radius * std::cos(a);
        xy[2 * i + 1] = radius * std::sin(a);
    }
    return in_polygon(xy, sides, u, v);
}

bool in_star(float u, float v, int32_t points, float outer, float inner) {
    float xy[32];
    for (int32_t i = 0; i < 2 * points; ++i) {
        float a = -kPi / 2 + kPi * float(i) / float(points);
        float r = (i % 2 == 0) ? outer : inner;
        xy[2 * i] = r * std::cos(a);
        xy[2 * i + 1] = r * std::sin(a) + 0.08f;
    }
    return in_polygon(xy, 2 * points, u, v);
}

bool sun(float u, float v) {
    if (in_disc(u, v, 0, 0, 0.5f)) return true;
    float r = std::sqrt(u * u + v * v);
    if (r < 0.66f || r > 1.2f) return false;
    float a = std::atan2(v, u);
    float sector = kPi / 4.0f;
    float k = std::floor(a / sector + 0.5f);
    float off = std::fabs(a - k * sector);
    // Rays taper from 0.2 rad wide at their base to a point at the tip.
    return off < 0.24f * (1.2f - r) / 0.54f;
}

bool spiral(float u, float v) {
    float r = std::sqrt(u * u + v * v);
    if (r > 1.12f) return false;
    if (r < 0.16f) return true;
    float a = std::atan2(v, u) + kPi;  // 0 .. 2 pi
    const float step = 0.36f;          // radial gap between turns
    for (int32_t turn = 0; turn < 4; ++turn) {
        float theta = a + 2.0f * kPi * float(turn);
        float rr = 0.08f + step * theta / (2.0f * kPi);
        if (rr > 1.05f) break;
        if (std::fabs(r - rr) < 0.1f) return true;
    }
    return false;
}

bool heart(float u, float v) {
    float x = u * 1.15f, y = -v * 1.15f + 0.2f;
    float a = x * x + y * y - 1.0f;
    return a * a * a - x * x * y * y * y <= 0.0f;
}

bool waves(float u, float v) {
    if (std::fabs(u) > 1.05f) return false;
    for (int32_t k = -1; k <= 1; k += 2) {
        float centre = 0.42f * float(k) + 0.2f * std::sin(u * kPi * 1.25f);
        if (std::fabs(v - centre) < 0.15f) return true;
    }
    return false;
}

bool leaf(float u, float v) {
    // A pointed oval on the diagonal, with its midrib left uncut.
    float x = (u - v) * 0.7071f, y = (u + v) * 0.7071f;
    bool body = in_disc(x, y, 0, 0.75f, 1.35f) && in_disc(x, y, 0, -0.75f, 1.35f);
    if (!body) return false;
    return !(std::fabs(y) < 0.08f && std::fabs(x) < 0.95f);
}

bool bolt(float u, float v) {
    static const float xy[] = {0.35f, -1.1f, -0.55f, 0.12f, -0.05f, 0.12f, -0.35f,
                               1.1f,  0.6f,  -0.22f, 0.08f, -0.22f, 0.45f, -1.1f};
    return in_polygon(xy, 7, u, v);
}

bool pine(float u, float v) {
    static const float t1[] = {0.0f, -1.1f, 0.5f, -0.4f, -0.5f, -0.4f};
    static const float t2[] = {0.0f, -0.75f, 0.72f, 0.1f, -0.72f, 0.1f};
    static const float t3[] = {0.0f, -0.35f, 0.95f, 0.62f, -0.95f, 0.62f};
    if (in_polygon(t1, 3, u, v) || in_polygon(t2, 3, u, v) || in_polygon(t3, 3, u, v)) {
        return true;
    }
    return std::fabs(u) < 0.17f && v > 0.5f && v < 1.05f;
}

bool hourglass(float u, float v) {
    if (std::fabs(v) > 1.0f) return false;
    if (std::fabs(v) > 0.82f) return std::fabs(u) < 0.85f;  // the caps
    return std::fabs(u) < std::fabs(v) * 0.8f + 0.1f;
}

bool chevrons(float u, float v) {
    for (int32_t k = 0; k < 2; ++k) {
        float dy = 0.72f * float(k) - 0.36f;
        if (near_segment(u, v, -0.9f, 0.34f + dy, 0.0f, -0.46f + dy, 0.16f) ||
            near_segment(u, v, 0.0f, -0.46f + dy, 0.9f, 0.34f + dy, 0.16f)) {
            return true;
        }
    }
    return false;
}

bool snowflake(float u, float v) {
    for (int32_t k = 0; k < 3; ++k) {
        float a = kPi / 2 + kPi * float(k) / 3.0f;
        float cx = std::cos(a), cy = std::sin(a);
        if (near_segment(u, v, -cx * 1.05f, -cy * 1.05f, cx * 1.05f, cy * 1.05f, 0.12f)) {
            return true;
        }
        // Little forks near both tips of each arm.
        for (int32_t s = -1; s <= 1; s += 2) {
            float tx = cx * 0.62f * float(s), ty = cy * 0.62f * float(s);
            for (int32_t f = -1; f <= 1; f += 2) {
                float fa = a + float(f) * 0.8f + (s < 0 ? kPi : 0.0f);
                if (near_segment(u, v, tx, ty, tx + std::cos(fa) * 0.36f, ty + std::sin(fa) * 0.36f,
                                 0.09f)) {
                    return true;
                }
            }
        }
    }
    return false;
}

}  // namespace

bool symbol_inside(int32_t kind, float u, float v) {
    float au = std::fabs(u), av = std::fabs(v);
    switch (kind) {
        case 0: {  // rounded-square ring, wide enough for a letter inside it
            float n = std::sqrt(std::sqrt(u * u * u * u + v * v * v * v));
            return n >= 1.29f && n <= 1.49f;
        }
        case 1:  // four rivets in the corners, the face between them clean for a caption
            return in_disc(au, v, 1.0f, -1.14f, 0.25f) || in_disc(au, v, 1.0f, 1.2f, 0.25f);
        case 2: {  // triangle
            static const float xy[] = {0.0f, -1.05f, 1.0f, 0.75f, -1.0f, 0.75f};
            return in_polygon(xy, 3, u, v);
        }
        case 3:
            return sun(u, v);
        case 4:  // diamond
            return au + av <= 1.1f;
        case 5:  // cross
            return (au < 0.3f && av < 1.05f) || (av < 0.3f && au < 1.05f);
        case 6:  // crescent
            return in_disc(u, v, 0, 0, 1.0f) && !in_disc(u, v, 0.45f, -0.28f, 0.82f);
        case 7:
            return in_star(u, v, 5, 1.15f, 0.48f);
        case 8:
            return waves(u, v);
        case 9:  // hexagon outline
            return in_regular(u, v, 6, 1.08f, 0.0f) && !in_regular(u, v, 6, 0.7f, 0.0f);
        case 10: {  // arrow pointing up
            static const float head[] = {0.0f, -1.1f, 0.9f, -0.05f, -0.9f, -0.05f};
            return in_polygon(head, 3, u, v) || (au < 0.3f && v > -0.2f && v < 1.05f);
        }
        case 11:
            return spiral(u, v);
        case 12:
            return heart(u, v);
        case 13:  // saltire
            return near_segment(u, v, -0.85f, -0.85f, 0.85f, 0.85f, 0.24f) ||
                   near_segment(u, v, -0.85f, 0.85f, 0.85f, -0.85f, 0.24f);
        case 14:  // three dots
            return in_disc(u, v, 0, -0.6f, 0.36f) || in_disc(u, v, -0.64f, 0.5f, 0.36f) ||
                   in_disc(u, v, 0.64f, 0.5f, 0.36f);
        case 15:
            return hourglass(u, v);
        case 16:
            return chevrons(u, v);
        case 17:  // eye: ring with a pupil
            return in_ring(u, v, 0, 0, 0.72f, 1.0f) || in_disc(u, v, 0, 0, 0.38f);
        case 18:
            return leaf(u, v);
        case 19:
            return bolt(u, v);
        case 20:  // three bars
            return av < 1.0f &&
                   (std::fabs(u + 0.62f) < 0.17f || au < 0.17f || std::fabs(u - 0.62f) < 0.17f);
        case 21:  // four dots
            return in_disc(u, v, 0, -0.72f, 0.28f) || in_disc(u, v, 0, 0.72f, 0.28f) ||
                   in_disc(u, v, -0.72f, 0, 0.28f) || in_disc(u, v, 0.72f, 0, 0.28f);
        case 22:  // square pierced by a round hole
            return std::fmax(au, av) <= 0.85f && !in_disc(u, v, 0, 0, 0.38f);
        case 23: {  // triangle outline pointing down
            static const float outer[] = {0.0f, 1.05f, 1.08f, -0.78f, -1.08f, -0.78f};
            static const float inner[] = {0.0f, 0.45f, 0.56f, -0.48f, -0.56f, -0.48f};
            return in_polygon(outer, 3, u, v) && !in_polygon(inner, 3, u, v);
        }
        case 24:
            return pine(u, v);
        case 25: {  // four-petal flower with an open heart
            bool petals = in_disc(u, v, 0.5f, 0, 0.47f) || in_disc(u, v, -0.5f, 0, 0.47f) ||
                          in_disc(u, v, 0, 0.5f, 0.47f) || in_disc(u, v, 0, -0.5f, 0.47f);
            return petals && !in_disc(u, v, 0, 0, 0.3f);
        }
        case 26:  // hash
            return (av < 1.0f && (std::fabs(u - 0.38f) < 0.14f || std::fabs(u + 0.38f) < 0.14f)) ||
                   (au < 1.0f && (std::fabs(v - 0.38f) < 0.14f || std::fabs(v + 0.38f) < 0.14f));
        case 27:  // dome on a bar
            return (in_disc(u, v, 0, 0.3f, 1.1f) && v <= 0.12f) ||
                   (au < 1.12f && v > 0.36f && v < 0.7f);
        case 28: {  // two peaks
            static const float xy[] = {-1.1f, 0.8f, -0.4f,  -0.5f, -0.05f,
                                       0.05f, 0.4f, -0.95f, 1.1f,  0.8f};
            return in_polygon(xy, 5, u, v);
        }
        case 29:  // twin rings
            return in_ring(u, v, -0.56f, 0, 0.26f, 0.6f) || in_ring(u, v, 0.56f, 0, 0.26f, 0.6f);
        case 30:
            return snowflake(u, v);
        default:
            return false;
    }
}

float symbol_coverage(int32_t kind, float u, float v, float pixel) {
    int32_t hits = 0;
    for (int32_t j = 0; j < 4; ++j) {
        for (int32_t i = 0; i < 4; ++i) {
            float su = u + (float(i) + 0.5f) / 4.0f * pixel - pixel * 0.5f;
            float sv = v + (float(j) + 0.5f) / 4.0f * pixel - pixel * 0.5f;
            if (symbol_inside(kind, su, sv)) ++hits;
        }
    }
    return float(hits) / 16.0f;
}
