#include <gtest/gtest.h>

#include <array>

#include "CellSolids.h"
#include "ColourTestSupport.h"
#include "MunsellChips.h"
#include "Scene.h"

namespace {

class CellSolids : public LoadedScene {
protected:
    uint32_t Ostwalt(int32_t k) { return *Scene.OstwaltCells[k]; }
    uint32_t Munsell(int32_t row, int32_t column) { return *Scene.MunsellCells[row][column]; }
};

constexpr std::array<int32_t, 8> OstwaltColumnStart{0, 8, 15, 21, 26, 30, 33, 35};

TEST_F(CellSolids, TemplatesBecomeGridsOf36And90Cells) {
    EXPECT_EQ(Scene.Slot(TSceneSlotId::Ostwalt).Model->Count(), 36);
    EXPECT_EQ(Scene.Slot(TSceneSlotId::Munsell).Model->Count(), 90);
    // A second build finds no single template and changes nothing.
    EXPECT_FALSE(BuildCellSolid(Scene, TCellSolidKind::Ostwalt));
    EXPECT_FALSE(BuildCellSolid(Scene, TCellSolidKind::Munsell));
    EXPECT_EQ(Scene.Slot(TSceneSlotId::Ostwalt).Model->Count(), 36);
    EXPECT_EQ(Scene.Slot(TSceneSlotId::Munsell).Model->Count(), 90);
}

TEST_F(CellSolids, OstwaltCellsFormATriangleColumnByColumnFromTheTop) {
    for (int32_t i = 0; i < 8; ++i) {
        for (int32_t c = 0; c < 8 - i; ++c) {
            const TPrimitive* cell = Cell(TSceneSlotId::Ostwalt, OstwaltColumnStart[i] + c);
            SCOPED_TRACE(testing::Message() << "column " << i << ", step " << c);
            // Template vertex 0 is (0.06, 2); columns are 0.12 apart and half a
            // step (0.1) lower each, cells 0.2 apart.
            EXPECT_NEAR(cell->VertexAt(0)->X, 0.06 + 0.12 * i, 1e-6);
            EXPECT_NEAR(cell->VertexAt(0)->Y, 2.0 - 0.2 * c - 0.1 * i, 1e-6);
            EXPECT_NEAR(cell->VertexAt(2)->X, -0.02 + 0.12 * i, 1e-6);
            EXPECT_EQ(cell->VertexAt(1)->Z, 0.0f);
            EXPECT_EQ(cell->VertexAt(1)->NZ, 1.0f);
            EXPECT_EQ(cell->IndexCount, 6);
            EXPECT_EQ(cell->Texture, nullptr);
        }
    }
}

TEST_F(CellSolids, MunsellCellsFormTouchingBoxes) {
    for (int32_t column = 0; column < 9; ++column) {
        for (int32_t row = 0; row < 10; ++row) {
            const TPrimitive* cell = Cell(TSceneSlotId::Munsell, column * 10 + row);
            EXPECT_NEAR(cell->VertexAt(0)->X, -0.02 + 0.12 * column, 1e-6);
            EXPECT_NEAR(cell->VertexAt(0)->Y, 1.0 - 0.12 * row, 1e-6);
            EXPECT_NEAR(cell->VertexAt(2)->Y, 1.12 - 0.12 * row, 1e-6);
            EXPECT_EQ(cell->VertexAt(2)->Z, 0.1f);
            ASSERT_EQ(cell->IndexCount, 36);
            EXPECT_EQ(cell->Indices[36], 10);  // the trailing number is copied too
        }
    }
}

TEST_F(CellSolids, OstwaltGreyAxisRunsFromLightToDarkAndIsNeverRepainted) {
    const std::array<uint32_t, 8> greys{0xE3E3E3, 0xC6C6C6, 0xAAAAAA, 0x8E8E8E, 0x717171, 0x555555, 0x393939, 0x1C1C1C};
    for (int32_t k = 0; k < 8; ++k) EXPECT_EQ(Ostwalt(k), greys[k]) << k;
    for (int32_t hue : {0, 120, 360, -77}) {
        PaintOstwaltSection(Scene, hue);
        for (int32_t k = 0; k < 8; ++k) EXPECT_EQ(Ostwalt(k), greys[k]) << k;
    }
    EXPECT_EQ(Scene.ScratchListA.Count() + Scene.ScratchListB.Count(), 0);
}

TEST_F(CellSolids, OstwaltSectionOfHueZeroHasARedApexAndGradedEdges) {
    PaintOstwaltSection(Scene, 0);
    EXPECT_EQ(Ostwalt(35), 0xFF0000u);
    // Light edge, entry 1 of 8 from 0xE3E3E3 to red: 227 + 28/7, 227 - 227/7.
    EXPECT_EQ(Ostwalt(8), 0xE7C3C3u);
    // Dark edge, entry 1 of 8 from 0x1C1C1C to red: 28 + 227/7, 28 - 28/7.
    EXPECT_EQ(Ostwalt(14), 0x3C1818u);
    // The inner cells lie between the two edges: no blue above the red.
    for (int32_t k = 8; k < 36; ++k) {
        const uint32_t c = Ostwalt(k);
        EXPECT_EQ(c >> 24, 0u) << k;
        EXPECT_EQ((c >> 8) & 0xFF, c & 0xFF) << k;  // green equals blue for red hues
        EXPECT_GE(c >> 16, (c >> 8) & 0xFF) << k;
    }
    PaintOstwaltSection(Scene, 120);
    EXPECT_EQ(Ostwalt(35), 0x00FF00u);
}

TEST_F(CellSolids, MunsellNeutralAxisAndPageZero) {
    for (int32_t row = 0; row < 10; ++row) EXPECT_EQ(Munsell(row, 0), MunsellGreys[row]);
    for (int32_t column = 1; column < 9; ++column) EXPECT_EQ(Munsell(5, column), 0u);  // template colour until painted
    PaintMunsellPage(Scene, 0, -1);
    EXPECT_EQ(Munsell(5, 8), 0xFF0000u);
    EXPECT_EQ(Munsell(1, 1), 0xE8E3E3u);
    EXPECT_EQ(Munsell(1, 2), NoChip);
    for (int32_t column = 1; column < 9; ++column) {
        EXPECT_EQ(Munsell(0, column), NoChip);
        EXPECT_EQ(Munsell(9, column), NoChip);
    }
    for (int32_t row = 0; row < 10; ++row) EXPECT_EQ(Munsell(row, 0), MunsellGreys[row]);
}

TEST_F(CellSolids, EveryCutHidesTheRowsUpToIt) {
    for (int32_t page = 0; page < 10; ++page) {
        for (int32_t cut = -1; cut <= 9; ++cut) {
            PaintMunsellPage(Scene, page, cut);
            for (int32_t row = 0; row < 10; ++row) {
                for (int32_t column = 1; column < 9; ++column) {
                    const uint32_t expected = row > cut ? MunsellChips[MunsellChipIndex(page, row, column - 1)] : NoChip;
                    ASSERT_EQ(Munsell(row, column), expected) << page << "," << cut << "," << row << "," << column;
                }
            }
        }
    }
}

TEST_F(CellSolids, PagesAndCutsOutsideTheirRangesAreHeldToThem) {
    PaintMunsellPage(Scene, 42, -7);
    const uint32_t lastPageRow4 = Munsell(4, 1);
    PaintMunsellPage(Scene, 9, -1);
    EXPECT_EQ(lastPageRow4, Munsell(4, 1));
    PaintMunsellPage(Scene, -3, 99);
    for (int32_t row = 0; row < 10; ++row) EXPECT_EQ(Munsell(row, 3), NoChip);
}

TEST(CellSolidsUnbound, PaintingBeforeTheCellsAreBoundChangesNothing) {
    TScene scene;
    PaintOstwaltSection(scene, 0);
    PaintMunsellPage(scene, 0, -1);
    EXPECT_FALSE(BuildCellSolid(scene, TCellSolidKind::Ostwalt));
    EXPECT_FALSE(InitOstwaltCells(scene));
    EXPECT_FALSE(InitMunsellCells(scene));
    EXPECT_EQ(scene.OstwaltCells[0], nullptr);
}

TEST(MunsellChipTable, SampledEntriesMatchTheTable) {
    struct Case {
        int32_t page, row, chroma;
        uint32_t chip;
    };
    for (const Case c : {Case{0, 5, 7, 0xFF0000}, {0, 1, 0, 0xE8E3E3}, {1, 3, 7, 0xFF8000}, {2, 2, 7, 0xFFFF00},
                         {3, 2, 5, 0xCCF2A6}, {4, 6, 5, 0x1AB31A}, {5, 5, 4, 0x33CCA6}, {6, 3, 3, 0x919FD5},
                         {7, 5, 6, 0x800DF2}, {8, 8, 4, 0x431452}, {9, 8, 3, 0x4A1C3F}, {9, 5, 6, 0xF20DB9},
                         {0, 8, 4, NoChip}, {6, 2, 3, NoChip}}) {
        EXPECT_EQ(MunsellChips[MunsellChipIndex(c.page, c.row, c.chroma)], c.chip)
            << c.page << "," << c.row << "," << c.chroma;
    }
}

TEST(MunsellChipTable, ChipsRunUnbrokenFromTheFirstColumnAndRowsZeroAndNineAreEmpty) {
    // Chips per row in the table, page by page, rows 1..8.
    constexpr std::array<std::array<int32_t, 8>, 10> runs{{{1, 4, 6, 7, 8, 7, 6, 4},
                                                           {2, 4, 8, 7, 6, 5, 4, 3},
                                                           {4, 8, 7, 6, 5, 4, 3, 2},
                                                           {3, 6, 7, 6, 5, 4, 3, 2},
                                                           {2, 4, 5, 6, 6, 6, 5, 3},
                                                           {2, 4, 5, 5, 5, 5, 4, 3},
                                                           {2, 3, 4, 5, 5, 5, 4, 3},
                                                           {2, 3, 5, 6, 7, 7, 6, 5},
                                                           {2, 3, 4, 5, 6, 6, 6, 5},
                                                           {2, 4, 6, 7, 7, 6, 6, 4}}};
    for (int32_t page = 0; page < 10; ++page) {
        for (int32_t row = 0; row < 10; ++row) {
            const int32_t run = row == 0 || row == 9 ? 0 : runs[page][row - 1];
            for (int32_t chroma = 0; chroma < 8; ++chroma) {
                const uint32_t chip = MunsellChips[MunsellChipIndex(page, row, chroma)];
                if (chroma < run) {
                    EXPECT_EQ(chip >> 24, 0u) << page << "," << row << "," << chroma;
                } else {
                    EXPECT_EQ(chip, NoChip) << page << "," << row << "," << chroma;
                }
            }
        }
    }
}

}  // namespace
