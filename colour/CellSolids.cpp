#include "CellSolids.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>

#include "ColorMath.h"
#include "MunsellChips.h"
#include "Scene.h"
#include "Vertex.h"

namespace {

TObjectList* CellModel(TScene& scene, TCellSolidKind kind) {
    const TSceneSlotId slot = kind == TCellSolidKind::Ostwalt ? TSceneSlotId::Ostwalt : TSceneSlotId::Munsell;
    return scene.Slot(slot).Model.get();
}

// Measures are single floats; each is formed in double and rounded once.
float Single(double x) { return static_cast<float>(x); }

void ClearScratch(TScene& scene) {
    scene.ScratchListA.Clear();
    scene.ScratchListB.Clear();
}

// One Ostwald gradient: entries 1 .. Entries-2 between two cells go to Targets.
struct TOstwaltStep {
    int32_t From;
    int32_t To;
    int32_t Entries;
    std::array<int32_t, 6> Targets;
};

constexpr std::array<TOstwaltStep, 7> OstwaltSteps{{
    {0, 35, 8, {8, 15, 21, 26, 30, 33}},   // the light edge
    {7, 35, 8, {14, 20, 25, 29, 32, 34}},  // the dark edge
    {8, 14, 7, {9, 10, 11, 12, 13}},
    {15, 20, 6, {16, 17, 18, 19}},
    {21, 25, 5, {22, 23, 24}},
    {26, 29, 4, {27, 28}},
    {30, 32, 3, {31}},
}};

constexpr int32_t OstwaltApex = 35;
constexpr int32_t OstwaltGreyCells = 8;

}  // namespace

void ReplicateColumn(TObjectList& model, const TPrimitive& cellTemplate, int32_t copies, float xOffset,
                     float yOffset, float dy) {
    for (int32_t c = 0; c < copies; ++c) {
        auto cell = std::make_unique<TPrimitive>();
        cell->IndexCount = cellTemplate.IndexCount;
        if (cellTemplate.Indices) {
            AllocIndices(*cell, cellTemplate.IndexCount);
            std::copy_n(cellTemplate.Indices, cellTemplate.IndexCount + IndexSlack, cell->Indices);
        }
        cell->Color = cellTemplate.Color;
        cell->SpecularPower = cellTemplate.SpecularPower;
        cell->SpecularLevel = cellTemplate.SpecularLevel;
        cell->DiffuseLevel = cellTemplate.DiffuseLevel;
        for (int32_t i = 0; i < cellTemplate.Vertices.Count(); ++i) {
            const TVertex& from = *cellTemplate.VertexAt(i);
            auto vertex = std::make_unique<TVertex>();
            vertex->X = Single(static_cast<double>(from.X) + xOffset);
            vertex->Y = Single(static_cast<double>(from.Y) - c * static_cast<double>(dy) - yOffset);
            vertex->Z = from.Z;
            vertex->NX = from.NX;
            vertex->NY = from.NY;
            vertex->NZ = from.NZ;
            vertex->U = from.U;
            vertex->V = from.V;
            vertex->Tag = from.Tag;
            cell->Vertices.Add(vertex.release());
        }
        model.Add(cell.release());
    }
}

bool BuildCellSolid(TScene& scene, TCellSolidKind kind) {
    TObjectList* model = CellModel(scene, kind);
    if (!model || model->Count() != 1) return false;
    TPrimitive* cellTemplate = model->GetAs<TPrimitive>(0);
    const TObjectList& v = cellTemplate->Vertices;
    const auto x = [&](int32_t i) { return static_cast<double>(v.GetAs<TVertex>(i)->X); };
    const auto y = [&](int32_t i) { return static_cast<double>(v.GetAs<TVertex>(i)->Y); };
    if (kind == TCellSolidKind::Ostwalt) {
        if (v.Count() < 3) return false;
        const float dx = Single(std::fabs(x(2) - x(0)));         // 0.08
        const float dy = Single(std::fabs(y(2) - y(0)) + 0.04);  // 0.2
        for (int32_t i = 0; i <= 7; ++i) {
            ReplicateColumn(*model, *cellTemplate, 8 - i, Single((0.04 + dx) * i), Single(static_cast<double>(dy) / 2 * i),
                            dy);
        }
    } else {
        if (v.Count() < 5) return false;
        const float dx = Single(std::fabs(x(4) - x(0)));  // 0.12
        const float dy = Single(std::fabs(y(3) - y(0)));  // 0.12
        for (int32_t i = 0; i <= 8; ++i) ReplicateColumn(*model, *cellTemplate, 10, Single(static_cast<double>(dx) * i), 0.0f, dy);
    }
    delete cellTemplate;
    model->Delete(0);
    return true;
}

bool InitOstwaltCells(TScene& scene) {
    TObjectList* model = CellModel(scene, TCellSolidKind::Ostwalt);
    if (!model || model->Count() != OstwaltCellCount) return false;
    for (int32_t k = 0; k < OstwaltCellCount; ++k) scene.OstwaltCells[k] = &model->GetAs<TPrimitive>(k)->Color;
    // Ten greys from white to black without the two ends.
    ClearScratch(scene);
    scene.ScratchListA.Add(0xFFFFFF);
    scene.ScratchListA.Add(0x000000);
    MakeGradient(scene.ScratchListA, scene.ScratchListB, 10);
    scene.ScratchListB.Delete(scene.ScratchListB.Count() - 1);
    scene.ScratchListB.Delete(0);
    for (int32_t k = 0; k < OstwaltGreyCells; ++k) {
        *scene.OstwaltCells[k] = static_cast<uint32_t>(scene.ScratchListB.Get(k));
    }
    ClearScratch(scene);
    return true;
}

bool InitMunsellCells(TScene& scene) {
    TObjectList* model = CellModel(scene, TCellSolidKind::Munsell);
    if (!model || model->Count() != MunsellRows * MunsellColumns) return false;
    for (int32_t row = 0; row < MunsellRows; ++row) {
        for (int32_t column = 0; column < MunsellColumns; ++column) {
            scene.MunsellCells[row][column] = &model->GetAs<TPrimitive>(column * MunsellRows + row)->Color;
        }
        *scene.MunsellCells[row][0] = MunsellGreys[row];
    }
    return true;
}

void PaintOstwaltSection(TScene& scene, int32_t hue) {
    auto& cells = scene.OstwaltCells;
    if (!cells[0]) return;
    *cells[OstwaltApex] = HsvToPixel(hue, 255, 255);
    for (const TOstwaltStep& step : OstwaltSteps) {
        ClearScratch(scene);
        scene.ScratchListA.Add(static_cast<int32_t>(*cells[step.From]));
        scene.ScratchListA.Add(static_cast<int32_t>(*cells[step.To]));
        if (!MakeGradient(scene.ScratchListA, scene.ScratchListB, step.Entries)) continue;
        for (int32_t e = 1; e <= step.Entries - 2; ++e) {
            *cells[step.Targets[e - 1]] = static_cast<uint32_t>(scene.ScratchListB.Get(e));
        }
    }
    ClearScratch(scene);
}

void PaintMunsellPage(TScene& scene, int32_t page, int32_t cut) {
    if (!scene.MunsellCells[0][0]) return;
    page = std::clamp(page, 0, MunsellPages - 1);
    cut = std::clamp(cut, -1, MunsellChipRows - 1);
    for (int32_t row = 0; row < MunsellRows; ++row) {
        for (int32_t column = 1; column < MunsellColumns; ++column) {
            *scene.MunsellCells[row][column] = row > cut ? MunsellChips[MunsellChipIndex(page, row, column - 1)] : NoChip;
        }
    }
}
