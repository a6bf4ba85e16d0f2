#pragma once
// Loading one embedded model: the resource's bytes through the parser into a
// new list of primitives.
#include <string_view>

#include "Scene.h"

// A new model list, or none when the resource is missing or its text breaks
// the format. The name is matched without regard to case.
TModelPtr LoadModel(TScene& scene, std::string_view name);
