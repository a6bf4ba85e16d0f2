#pragma once
#include "Scene.h"

// Start-up of the scene: sizes MainRender, loads the five models in the order
// "hsvCircle", "hsvPlane", "Ostwalt", "Munsell", "ColorBox", builds the two
// cell solids, turns lighting off and sets the black background. True when
// every model loaded and both cell solids were built.
bool LoadScene(TScene& scene);
