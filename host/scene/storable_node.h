// What a node must be to travel in a scene file. The writer and the reader apply the same
// rules, so that no file is written that its reader would refuse.
#pragma once
#include <string>
#include "vexsdk/geom.h"

constexpr size_t NODE_NAME_MAX_BYTES = 255;

bool isFiniteTransform(const Matrix3& tm);
// Each empty when the node passes, else what is wrong, for a message.
std::string nameLengthProblem(size_t bytes);
std::string transformProblem(const Matrix3& tm);
std::string storableNodeProblem(const std::string& name, const Matrix3& tm);
