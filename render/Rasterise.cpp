#include "Render.h"

void TRender::DrawList(const TObjectList& primitives) {
    (void)primitives;
}
