#include "scene/storable_node.h"
#include <cmath>

bool isFiniteTransform(const Matrix3& tm) {
    for (const Point3& row : tm.rows)
        if (!std::isfinite(row.x) || !std::isfinite(row.y) || !std::isfinite(row.z)) return false;
    return true;
}

std::string nameLengthProblem(size_t bytes) {
    if (bytes <= NODE_NAME_MAX_BYTES) return std::string();
    return "the name is " + std::to_string(bytes) + " bytes long; a node name is at most " +
           std::to_string(NODE_NAME_MAX_BYTES) + " bytes";
}

std::string transformProblem(const Matrix3& tm) {
    if (isFiniteTransform(tm)) return std::string();
    return "its transform holds a value that is not a finite number";
}

std::string storableNodeProblem(const std::string& name, const Matrix3& tm) {
    std::string problem = transformProblem(tm);
    return problem.empty() ? nameLengthProblem(name.size()) : problem;
}
