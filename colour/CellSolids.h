#pragma once
// The two cell solids: the Ostwald triangle of 36 cells and the Munsell tree
// of 9 columns of 10 cells, built from the single template cell of their
// models and recoloured for one hue or one hue page.
#include <cstdint>

#include "ObjectList.h"
#include "Primitive.h"

class TScene;

enum class TCellSolidKind { Ostwalt, Munsell };

// Replaces the template cell of slot 3 (Ostwalt) or slot 4 (Munsell) by the
// full grid. False, changing nothing, when the model or its template is
// missing or too small.
bool BuildCellSolid(TScene& scene, TCellSolidKind kind);
// Appends `copies` moved copies of `cellTemplate` to `model`, copy c lowered
// by c * dy + yOffset and moved right by xOffset.
void ReplicateColumn(TObjectList& model, const TPrimitive& cellTemplate, int32_t copies, float xOffset,
                     float yOffset, float dy);
// Bind the cells' colours and paint the fixed grey axes. False, binding
// nothing, when the model does not hold the full grid.
bool InitOstwaltCells(TScene& scene);
bool InitMunsellCells(TScene& scene);
// The 28 cells outside the grey axis for one hue in degrees.
void PaintOstwaltSection(TScene& scene, int32_t hue);
// Chroma columns 1..8 from hue page `page` (0..9); rows up to `cut` (-1..9)
// are hidden.
void PaintMunsellPage(TScene& scene, int32_t page, int32_t cut);
