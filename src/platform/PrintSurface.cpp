#include "platform/PrintSurface.h"

#include <cmath>

namespace marrowby {

int ToDevice(double points, double pixelsPerPoint) {
    return static_cast<int>(std::nearbyint(points * pixelsPerPoint));
}

}  // namespace marrowby
