// Box brushes made in the host: six axis-aligned faces around two corners, written as map
// text in the form the rest of the level uses, with a texture name, zero offsets and
// rotation and unit scale.
#pragma once
#include <memory>
#include <string>
#include <string_view>
#include "kept_entity.h"
#include "map_text.h"

// The brush forms map text holds: three points a face; three points and texture axes;
// the versioned points with a texture matrix (brushDef); the versioned plane equations
// (brushDef3).
enum class BoxForm { Plain, TextureAxes, PointsMatrix, PlaneEquations };

// Why two corners make no box: "" when they do, else what is wrong (each side must span a
// unit at least, the low corner below the high one, every number finite).
std::string boxProblem(const MapVector& low, const MapVector& high);

// The brush's text, braces included, for corners that boxProblem accepts.
std::string boxBrushText(BoxForm form, const MapVector& low, const MapVector& high,
                         const std::string& texture);

// The form new boxes take beside a brush already in the scene, so that the forms never
// mix: the plain form when the text is none of a brush's (a patch, an empty brush).
BoxForm boxFormBeside(std::string_view brushText);

// What a node keeps with one more box, given in world coordinates where the node stands
// (position): kept's brushes move with the node from its anchor, so the box is stored
// where it would stand at the anchor. A node that kept nothing keeps the box alone, with
// no origin written for it (world: it is the level's world).
std::shared_ptr<const KeptEntity> withBox(const KeptEntity* kept, bool world,
                                          const Point3& position, BoxForm form,
                                          const MapVector& low, const MapVector& high,
                                          const std::string& texture);
// What a node keeps with its brushes and patches taken away; null when nothing is left.
std::shared_ptr<const KeptEntity> withoutBrushes(const KeptEntity& kept);
