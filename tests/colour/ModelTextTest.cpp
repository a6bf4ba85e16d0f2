#include <gtest/gtest.h>

#include <clocale>
#include <cstring>
#include <string>
#include <vector>

#include "ModelLoader.h"
#include "ModelResource.h"
#include "ModelText.h"
#include "Scene.h"

namespace {

// Lines joined with a separator that also ends the last line.
std::string Text(const std::vector<std::string>& lines, const std::string& separator = "\r\n") {
    std::string text;
    for (const std::string& line : lines) text += line + separator;
    return text;
}

const std::vector<std::string> QuadRecord = {
    "Plain", "6\t0\t4\t1\t1", "0\t1\t2\t0\t2\t3\t0",
    "1\t0\t0\t0\t0\t1\t1\t0\t0", "0\t0\t0\t0\t0\t1\t0\t0\t0", "0\t1\t0\t0\t0\t1\t0\t1\t0", "1\t1\t0\t0\t0\t1\t1\t1\t0",
    "-"};

std::vector<std::string> With(std::vector<std::string> lines, size_t index, std::string line) {
    lines[index] = std::move(line);
    return lines;
}

class ModelText : public ::testing::Test {
protected:
    // Parses into a list that already holds one primitive, to show that a
    // rejected text appends nothing.
    TModelParseResult Parse(std::string_view text) {
        FreeObjects(List);
        List.Add(new TPrimitive);
        return ParseModelText(Scene, text, List);
    }
    int32_t Added() const { return List.Count() - 1; }
    TPrimitive* Primitive(int32_t i) const { return List.GetAs<TPrimitive>(i + 1); }
    void TearDown() override { FreeObjects(List); }

    void ExpectRejected(const std::string& text, int32_t line) {
        const TModelParseResult result = Parse(text);
        EXPECT_FALSE(result.Ok);
        EXPECT_EQ(result.Line, line) << result.Message;
        EXPECT_FALSE(result.Message.empty());
        EXPECT_EQ(Added(), 0);
    }

    TScene Scene;
    TObjectList List;
};

struct ModelCounts {
    const char* name;
    int32_t primitives, vertices, indexCount;
    uint32_t color;
};

TEST_F(ModelText, TheFiveEmbeddedModelsParseWithTheirCountsAndMaterials) {
    for (const ModelCounts& m : {ModelCounts{"ColorBox", 6, 4, 6, 0xFF000000}, {"hsvCircle", 1, 4, 6, 0xFF000000},
                                 {"hsvPlane", 1, 4, 6, 0xFF000000}, {"Munsell", 1, 8, 36, 0},
                                 {"Ostwalt", 1, 4, 6, 0}}) {
        const TModelPtr model = LoadModel(Scene, m.name);
        ASSERT_TRUE(model) << m.name;
        ASSERT_EQ(model->Count(), m.primitives) << m.name;
        for (int32_t i = 0; i < model->Count(); ++i) {
            const TPrimitive* p = model->GetAs<TPrimitive>(i);
            EXPECT_EQ(p->Vertices.Count(), m.vertices) << m.name;
            EXPECT_EQ(p->IndexCount, m.indexCount) << m.name;
            EXPECT_EQ(p->Color, m.color) << m.name;
            EXPECT_EQ(p->SpecularPower, 4);
            EXPECT_EQ(p->SpecularLevel, 1.0f);
            EXPECT_EQ(p->DiffuseLevel, 1.0f);
        }
    }
}

TEST_F(ModelText, ModelNamesMatchInAnyLetterCaseAndUnknownNamesGiveNoList) {
    for (const char* name : {"hsvCircle", "HSVCIRCLE", "hsvcircle", "HsVcIrClE"}) {
        const TModelPtr model = LoadModel(Scene, name);
        ASSERT_TRUE(model) << name;
        ASSERT_NE(model->GetAs<TPrimitive>(0)->Texture, nullptr);
        EXPECT_EQ(model->GetAs<TPrimitive>(0)->Texture->Width, 256);
    }
    EXPECT_FALSE(LoadModel(Scene, "hsvCircles"));
    EXPECT_FALSE(LoadModel(Scene, ""));
    EXPECT_FALSE(FindModelResource("MAIN"));
}

TEST_F(ModelText, ColorBoxFacesCarryTheirTexturesAndVertices) {
    const TModelPtr box = LoadModel(Scene, "colorbox");
    ASSERT_TRUE(box);
    for (int32_t face = 0; face < 6; ++face) {
        const TPrimitive* p = box->GetAs<TPrimitive>(face);
        ASSERT_NE(p->Texture, nullptr);
        EXPECT_EQ(p->Texture->Name, TextureNames[2 + face]);
        EXPECT_EQ(p->Texture->Width, 128);
        EXPECT_EQ(p->Texture->Height, 128);
        EXPECT_EQ(p->Texture->Shift, 7);
        const std::vector<int16_t> indices(p->Indices, p->Indices + 7);
        EXPECT_EQ(indices, (std::vector<int16_t>{0, 1, 2, 0, 2, 3, 0}));
    }
    const TVertex* v = box->GetAs<TPrimitive>(1)->VertexAt(2);  // CubeRight, vertex 2
    EXPECT_EQ(v->X, 0.5f);
    EXPECT_EQ(v->Y, 1.5f);
    EXPECT_EQ(v->Z, 0.5f);
    EXPECT_EQ(v->NX, -1.0f);
    EXPECT_EQ(v->U, 1.0f);
    EXPECT_EQ(v->V, 0.0f);
    // The textures are generated: CubeFront's top-left texel is green.
    EXPECT_EQ(box->GetAs<TPrimitive>(0)->Texture->Pixels[0], 0x00FF00u);
}

TEST_F(ModelText, HueTexturesAreRememberedByTheScene) {
    const TModelPtr circle = LoadModel(Scene, "hsvCircle");
    const TModelPtr plane = LoadModel(Scene, "hsvPlane");
    ASSERT_TRUE(circle && plane);
    EXPECT_EQ(Scene.HueCirclePixels, circle->GetAs<TPrimitive>(0)->Texture->Pixels);
    EXPECT_EQ(Scene.HuePlanePixels, plane->GetAs<TPrimitive>(0)->Texture->Pixels);
    EXPECT_EQ(circle->GetAs<TPrimitive>(0)->Texture->Shift, 8);
    EXPECT_EQ(Scene.HueCirclePixels[127 * 256 + 255], 0xFF0202u);
    EXPECT_EQ(Scene.HuePlanePixels[127], 0xFF0000u);
}

TEST_F(ModelText, MunsellTrailingIndexLandsAfterTheCountAndTemplatesHaveNoTexture) {
    const TModelPtr munsell = LoadModel(Scene, "MUNSELL");
    const TModelPtr ostwalt = LoadModel(Scene, "ostwalt");
    ASSERT_TRUE(munsell && ostwalt);
    const TPrimitive* cube = munsell->GetAs<TPrimitive>(0);
    EXPECT_EQ(cube->Texture, nullptr);
    EXPECT_EQ(ostwalt->GetAs<TPrimitive>(0)->Texture, nullptr);
    EXPECT_EQ(cube->Indices[36], 10);
    EXPECT_EQ(cube->Indices[35], 7);
    EXPECT_EQ(cube->Indices[37], 0);  // the spare entries are zero
    EXPECT_EQ(cube->VertexAt(2)->Y, 1.12f);
    EXPECT_EQ(cube->VertexAt(0)->X, -0.02f);
}

TEST_F(ModelText, EmbeddedTextsUseTabsAndCrLfAndEndWithATerminator) {
    for (const char* name : {"COLORBOX", "HSVCIRCLE", "HSVPLANE", "MUNSELL", "OSTWALT"}) {
        const auto text = FindModelResource(name);
        ASSERT_TRUE(text) << name;
        ASSERT_GE(text->size(), 3u);
        EXPECT_EQ(text->substr(text->size() - 3), "-\r\n") << name;
        for (size_t i = 0; i < text->size(); ++i) {
            const char c = (*text)[i];
            const bool lineEndPaired = c == '\n' ? (*text)[i - 1] == '\r' : c != '\r' || (*text)[i + 1] == '\n';
            ASSERT_TRUE(lineEndPaired) << name << " at " << i;
            ASSERT_NE(c, ' ') << name << " at " << i;
        }
    }
}

TEST_F(ModelText, TextureNamesMatchWithoutRegardToCase) {
    struct Case {
        const char* name;
        int32_t index;
    };
    for (const Case c : {Case{"hsvCircle", 0}, {"HSVCIRCLE", 0}, {"hsvplane", 1}, {"cubefront", 2},
                         {"CUBERIGHT", 3}, {"CubeBack", 4}, {"cubeLeft", 5}, {"CubeTop", 6}, {"cubebottom", 7},
                         {"MunsellCube", -1}, {"OstwaltPlane", -1}, {"", -1}, {"hsvCircle ", -1}}) {
        EXPECT_EQ(FindTextureName(c.name), c.index) << c.name;
    }
}

TEST_F(ModelText, NumbersParseWithADotWhateverTheLocaleAndRejectEverythingElse) {
    EXPECT_EQ(ParseInt("42"), 42);
    EXPECT_EQ(ParseInt("  -1"), -1);
    EXPECT_EQ(ParseInt("-2147483648"), INT32_MIN);
    EXPECT_EQ(ParseInt("7 "), 7);
    for (const char* bad : {"", " ", "-", "+1", "2147483648", "-2147483649", "1.0", "0x10", "12a", "1 2"}) {
        EXPECT_FALSE(ParseInt(bad)) << bad;
    }
    EXPECT_EQ(ParseFloat("1"), 1.0f);
    EXPECT_EQ(ParseFloat("-0.5"), -0.5f);
    EXPECT_EQ(ParseFloat(" 1.12 "), 1.12f);
    EXPECT_EQ(ParseFloat("0.06"), 0.06f);
    EXPECT_EQ(ParseFloat("-0"), -0.0f);
    for (const char* bad : {"", "-", ".5", "1.", "1,5", "1e5", "inf", "nan", "+1", "1.2.3", "0x1p3",
                            "1000000000000000000000000000000000000000"}) {
        EXPECT_FALSE(ParseFloat(bad)) << bad;
    }
}

TEST_F(ModelText, ACommaDecimalLocaleChangesNothing) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    bool comma = false;
    for (const char* name : {"de_DE.UTF-8", "de_DE", "German_Germany.1252", "de-DE"}) {
        if (std::setlocale(LC_ALL, name) && std::localeconv()->decimal_point[0] == ',') {
            comma = true;
            break;
        }
    }
    if (!comma) {
        std::setlocale(LC_ALL, saved.c_str());
        GTEST_SKIP() << "no locale with a decimal comma on this system";
    }
    EXPECT_EQ(ParseFloat("1.12"), 1.12f);
    EXPECT_FALSE(ParseFloat("1,12"));
    const TModelPtr munsell = LoadModel(Scene, "Munsell");
    std::setlocale(LC_ALL, saved.c_str());
    ASSERT_TRUE(munsell);
    EXPECT_EQ(munsell->GetAs<TPrimitive>(0)->VertexAt(2)->Y, 1.12f);
}

TEST_F(ModelText, AllThreeSeparatorsGiveTheSameModel) {
    for (const char* separator : {"\r\n", "\n", "\r"}) {
        const TModelParseResult result = Parse(Text(QuadRecord, separator));
        ASSERT_TRUE(result.Ok) << result.Message;
        ASSERT_EQ(Added(), 1);
        EXPECT_EQ(Primitive(0)->Vertices.Count(), 4);
        EXPECT_EQ(Primitive(0)->VertexAt(3)->V, 1.0f);
    }
}

TEST_F(ModelText, ATextStopsAtItsLastTerminatorAndAFinalEmptyLineAddsNothing) {
    const std::string text = Text(QuadRecord);
    for (const std::string& variant : {text, text + "\r\n", text + "x", text.substr(0, text.size() - 2)}) {
        const TModelParseResult result = Parse(variant);
        EXPECT_TRUE(result.Ok) << result.Message;
        EXPECT_EQ(Added(), 1);
        EXPECT_EQ(result.Added, 1);
    }
}

TEST_F(ModelText, OnlyTheFirstFieldOfANameLineCounts) {
    ASSERT_TRUE(Parse(Text(With(QuadRecord, 0, "cubefront\tsomething\telse"))).Ok);
    ASSERT_EQ(Added(), 1);
    ASSERT_NE(Primitive(0)->Texture, nullptr);
    EXPECT_EQ(Primitive(0)->Texture->Name, "cubefront");
    ASSERT_TRUE(Parse(Text(With(QuadRecord, 0, " "))).Ok);  // a single space: no name
    EXPECT_EQ(Primitive(0)->Texture, nullptr);
}

TEST_F(ModelText, AnEmptyNameLineStartsARecordWithoutAName) {
    // Read in step: the header line stays the header.
    ASSERT_TRUE(Parse(Text(With(QuadRecord, 0, ""))).Ok);
    ASSERT_EQ(Added(), 1);
    EXPECT_EQ(Primitive(0)->Texture, nullptr);
    EXPECT_EQ(Primitive(0)->IndexCount, 6);
    EXPECT_EQ(Primitive(0)->Color, 0u);
    EXPECT_EQ(Primitive(0)->Vertices.Count(), 4);
}

TEST_F(ModelText, EmptyTextsAndTextsEndingAtAZeroByteAreRead) {
    for (const char* empty : {"", "\r\n"}) {
        EXPECT_TRUE(Parse(empty).Ok);
        EXPECT_EQ(Added(), 0);
    }
    EXPECT_TRUE(Parse(std::string("\0\0junk", 6)).Ok);
    EXPECT_EQ(Added(), 0);
    std::string withZero = Text(QuadRecord) + std::string(1, '\0') + "garbage\tthat\tis\tnever\tread";
    EXPECT_TRUE(Parse(withZero).Ok);
    EXPECT_EQ(Added(), 1);
}

TEST_F(ModelText, SurplusIndexFieldsAreIgnoredBeyondTheBuffer) {
    std::string indices = "0\t1\t2\t0\t2\t3\t0";
    for (int i = 0; i < 100; ++i) indices += "\t" + std::to_string(i + 1);
    ASSERT_TRUE(Parse(Text(With(QuadRecord, 2, indices))).Ok);
    ASSERT_EQ(Added(), 1);
    // Entries IndexCount .. IndexCount + 4 hold the trailing numbers.
    EXPECT_EQ(std::vector<int16_t>(Primitive(0)->Indices + 6, Primitive(0)->Indices + 11),
              (std::vector<int16_t>{0, 1, 2, 3, 4}));
}

struct BadText {
    const char* what;
    std::string text;
    int32_t line;
};

TEST_F(ModelText, TextsThatBreakTheFormatAreRejectedAtTheLineOfTheFault) {
    std::vector<std::string> tooMany(QuadRecord.begin(), QuadRecord.end() - 1);
    for (int i = 0; i < 2045; ++i) tooMany.push_back("0\t0\t0\t0\t0\t1\t0\t0\t0");
    tooMany.push_back("-");
    std::vector<std::string> headerMissing = QuadRecord;
    headerMissing.erase(headerMissing.begin() + 1);
    headerMissing[1] = "0\t1\t2\t0\t2\t3\t0";
    headerMissing[2] = "0.5\t0.5\t-0.5\t0\t0\t1\t1\t1\t0";  // read as the index line
    const std::vector<std::string> unterminated(QuadRecord.begin(), QuadRecord.end() - 1);
    std::vector<std::string> twoRecords = QuadRecord;
    twoRecords.insert(twoRecords.end(), unterminated.begin(), unterminated.end());
    std::vector<std::string> blankBetween = QuadRecord;
    blankBetween.push_back("");
    blankBetween.insert(blankBetween.end(), QuadRecord.begin(), QuadRecord.end());

    const std::vector<BadText> cases = {
        {"no separator at all", "hsvCircle", 1},
        {"record without terminator", Text(unterminated), 1},
        {"second record without terminator", Text(twoRecords), 9},
        {"empty line between records, then a name read as the header", Text(blankBetween), 10},
        {"header missing before the index line", Text(headerMissing), 3},
        {"header count not a number", Text(With(QuadRecord, 1, "six\t0\t4\t1\t1")), 2},
        {"header float not a number", Text(With(QuadRecord, 1, "6\t0\t4\t1,0\t1")), 2},
        {"header with four fields", Text(With(QuadRecord, 1, "6\t0\t4\t1")), 2},
        {"negative index count", Text(With(QuadRecord, 1, "-6\t0\t4\t1\t1")), 2},
        {"huge index count", Text(With(QuadRecord, 1, "2147483647\t0\t4\t1\t1")), 2},
        {"index count beyond 32 bits", Text(With(QuadRecord, 1, "99999999999\t0\t4\t1\t1")), 2},
        {"negative specular power", Text(With(QuadRecord, 1, "6\t0\t-4\t1\t1")), 2},
        {"index not a number", Text(With(QuadRecord, 2, "0\t1\tz\t0\t2\t3\t0")), 3},
        {"index line shorter than the count", Text(With(QuadRecord, 2, "0\t1\t2\t0")), 3},
        {"negative index", Text(With(QuadRecord, 2, "0\t1\t-2\t0\t2\t3\t0")), 3},
        {"index beyond the vertices", Text(With(QuadRecord, 2, "0\t1\t2\t0\t2\t4\t0")), 3},
        {"index beyond 16 bits", Text(With(QuadRecord, 2, "0\t1\t2\t0\t2\t65536\t0")), 3},
        {"vertex field not a number", Text(With(QuadRecord, 5, "0\t1\t0\t0\t0\t1\t0\tone\t0")), 6},
        {"vertex with eight fields", Text(With(QuadRecord, 5, "0\t1\t0\t0\t0\t1\t0\t1")), 6},
        {"vertex coordinate beyond single range", Text(With(QuadRecord, 5, "1" + std::string(40, '0') + "\t1\t0\t0\t0\t1\t0\t1\t0")), 6},
        {"more than 2048 vertices", Text(tooMany), 3 + 2049},
        {"terminator right after the name", Text({"Plain", "-"}), 2},
        {"terminator right after the header", Text({"Plain", "6\t0\t4\t1\t1", "-"}), 3},
        {"zero byte inside a record", Text(QuadRecord).insert(Text({QuadRecord[0], QuadRecord[1], QuadRecord[2]}).size(), 1, '\0'), 1},
        {"zero byte inside a line", Text(QuadRecord).insert(Text({QuadRecord[0], QuadRecord[1]}).size() + 5, 1, '\0'), 3},
    };
    for (const BadText& c : cases) {
        SCOPED_TRACE(c.what);
        ExpectRejected(c.text, c.line);
    }
}

TEST_F(ModelText, ARejectedTextLeavesTheRememberedTexturesAlone) {
    ASSERT_TRUE(Parse(Text(With(QuadRecord, 0, "hsvCircle"))).Ok);
    uint32_t* remembered = Scene.HueCirclePixels;
    ASSERT_EQ(remembered, Primitive(0)->Texture->Pixels);
    TObjectList other;
    std::vector<std::string> bad = With(QuadRecord, 0, "hsvCircle");
    bad.pop_back();
    EXPECT_FALSE(ParseModelText(Scene, Text(bad), other).Ok);
    EXPECT_EQ(other.Count(), 0);
    EXPECT_EQ(Scene.HueCirclePixels, remembered);
}

TEST_F(ModelText, RecordsThatOnlyLookWrongButKeepTheRendererSafeAreRead) {
    // An index count that is not a multiple of three: the renderer ignores
    // the remainder. Two terminators in a row carry nothing.
    std::vector<std::string> lines = With(QuadRecord, 1, "7\t0\t4\t1\t1");
    lines[2] = "0\t1\t2\t0\t2\t3\t3\t0";
    lines.push_back("-");
    lines.insert(lines.end(), QuadRecord.begin(), QuadRecord.end());
    const TModelParseResult result = Parse(Text(lines));
    ASSERT_TRUE(result.Ok) << result.Message;
    EXPECT_EQ(Added(), 2);
    EXPECT_EQ(Primitive(0)->IndexCount, 7);
}

}  // namespace
