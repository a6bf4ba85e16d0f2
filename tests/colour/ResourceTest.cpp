// The model texts as Win32 "TEXT" resources of the executable.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "LoadScene.h"
#include "ModelLoader.h"
#include "ModelResource.h"
#include "NameCompare.h"

namespace {

TEST(ModelResources, FindResourceFindsTheTextsUnderAnyLetterCase) {
    for (const char* name : {"hsvCircle", "HSVCIRCLE", "hsvcircle", "ColorBox", "Ostwalt", "Munsell", "hsvPlane"}) {
        HRSRC info = FindResourceA(nullptr, name, "TEXT");
        ASSERT_NE(info, nullptr) << name;
        HGLOBAL handle = LoadResource(nullptr, info);
        ASSERT_NE(handle, nullptr) << name;
        EXPECT_GT(SizeofResource(nullptr, info), 100u) << name;
        EXPECT_NE(LockResource(handle), nullptr) << name;
    }
    EXPECT_EQ(FindResourceA(nullptr, "hsvCircle", "text"), FindResourceA(nullptr, "HSVCIRCLE", "TEXT"));
    EXPECT_EQ(FindResourceA(nullptr, "NoSuchModel", "TEXT"), nullptr);
}

TEST(ModelResources, ResourceBytesAreTheFilesExactly) {
    HRSRC info = FindResourceA(nullptr, "hsvCircle", "TEXT");
    ASSERT_NE(info, nullptr);
    const auto text = FindModelResource("hsvcircle");
    ASSERT_TRUE(text);
    EXPECT_EQ(text->size(), SizeofResource(nullptr, info));
    EXPECT_EQ(text->substr(0, 11), "hsvCircle\r\n");
    EXPECT_EQ(text->substr(text->size() - 3), "-\r\n");
    EXPECT_FALSE(FindModelResource("main"));
}

TEST(ModelResources, LoadModelReadsEveryModelThroughTheResources) {
    TScene scene;
    ASSERT_TRUE(LoadScene(scene));
    EXPECT_EQ(scene.Slot(TSceneSlotId::ColorBox).Model->Count(), 6);
    EXPECT_EQ(scene.Slot(TSceneSlotId::Ostwalt).Model->Count(), 36);
    EXPECT_EQ(scene.Slot(TSceneSlotId::Munsell).Model->Count(), 90);
    const TModelPtr circle = LoadModel(scene, "HsvCircle");
    ASSERT_TRUE(circle);
    EXPECT_EQ(circle->GetAs<TPrimitive>(0)->Texture->Width, 256);
    EXPECT_FALSE(LoadModel(scene, "NoSuchModel"));
}

TEST(ModelResources, TextureNamesCompareWithLstrcmpi) {
    EXPECT_TRUE(SameTextNoCase("CubeFront", "CUBEFRONT"));
    EXPECT_FALSE(SameTextNoCase("CubeFront", "CubeBack"));
}

TEST(ModelResources, TheButtonFaceColourComesFromTheSystem) {
    // The hue-circle background follows what the application installs.
    TScene scene;
    scene.ButtonFaceColor = [] { return static_cast<uint32_t>(GetSysColor(COLOR_BTNFACE)); };
    ASSERT_TRUE(LoadScene(scene));
    const uint32_t face = GetSysColor(COLOR_BTNFACE);
    const uint32_t expected = 0x01000000u | (face & 0xFF) << 16 | (face & 0xFF00) | (face >> 16 & 0xFF);
    EXPECT_EQ(scene.HueCirclePixels[0], expected);
}

}  // namespace
