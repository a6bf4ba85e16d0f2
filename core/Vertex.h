#pragma once
// Model-space and screen-space vertices.
#include <cstdint>

#include "TObject.h"

// A vertex as read from a model text.
class TVertex : public TObject {
public:
    float X{}, Y{}, Z{};
    float NX{}, NY{}, NZ{};
    float U{}, V{};
    int32_t Tag{};  // carried with the vertex, never read by the renderer
};

// A vertex after transformation, projection and lighting; every field is 16.16
// fixed point (the integer divided by 65536).
class TLVertex : public TObject {
public:
    int32_t X{}, Y{}, Z{};
    int32_t DiffuseR{}, DiffuseG{}, DiffuseB{};
    int32_t U{}, V{};
    int32_t Specular{};
};
