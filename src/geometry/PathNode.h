#pragma once
// One node of a flattened path: a point and the length of the segment that
// ends there (0 for the first node).
struct PathNode {
    double x = 0.0;
    double y = 0.0;
    double length = 0.0;
};
