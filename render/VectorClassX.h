#pragma once
// The renderer: matrix and vertex types, primitives and textures, the render
// target and its rasteriser.
#include "Matrix.h"
#include "Primitive.h"
#include "Render.h"
#include "RenderHeap.h"
#include "Vertex.h"
