// SPDX-License-Identifier: GPL-3.0-or-later
// The graph on a real (offscreen) GL context: handle placement, the drags and their claims, when the
// curves are recomputed, the reset button, and what reaches the pixels.
#include "eq/EqGraph.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "app/ui/AppState.h"
#include "app/ui/Projection.h"
#include "tests/support/GlTestWindow.h"

namespace {

constexpr int WindowW = 800;
constexpr int WindowH = 600;

class EqGraphTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(TestGlReady()) << GlTestProblem();
        SetDefaultGLState();
        SetPixelProjection(WindowW, WindowH, 0, 1.0f);
        ResetAppState();
        ClientWidth = WindowW;
        ClientHeight = WindowH;
        std::memset(bands, 0, sizeof bands);
        for (int i = 0; i < 8; ++i) {
            bands[i].freq = EqFreqTable[i * 36];
            bands[i].q = 3.0f;
            bands[i].type = EqBandType::Peak;
        }
        bands[7].type = EqBandType::HighPass12;
        bands[7].freq = 10.0f;
        bands[7].maxFreq = 200;
        for (float& v : sum)
            v = 99.0f;
        for (float& v : lit)
            v = 99.0f;
    }

    // One frame of the graph at (50, 100), 600 x 300: plot 554 x 276 at window (88, 108).
    void Frame(int mx, int my, bool left, bool right = false, int force = 0, uint32_t fade = 0,
               float alpha = 1) {
        EqGraphRun(mx, my, left, &leftClaim, right, &rightClaim, alpha, fade, GraphX, GraphY, 600, 300, 8,
                   bands, sum, lit, force, &dragged, &reset);
    }
    // The window position of band i's handle, as last placed.
    int HandleX(int i) const { return GraphX + 38 + bands[i].handleX; }
    int HandleY(int i) const { return GraphY + 8 + bands[i].handleY; }
    // Places the handles without touching anything.
    void Place() { Frame(0, 0, false); }

    static constexpr int GraphX = 50;
    static constexpr int GraphY = 100;
    static constexpr float PlotH = 276.0f;

    EqGraphBand bands[8];
    float sum[EqCurveCapacity];
    float lit[EqCurveCapacity];
    uint32_t leftClaim = 0;
    uint32_t rightClaim = 0;
    int32_t dragged = -7;
    int32_t reset = -7;
};

} // namespace

TEST_F(EqGraphTest, LeftDragFollowsTheMouseUntilTheButtonIsUp) {
    bands[3].freq = 1000.0f;
    Place();
    EXPECT_EQ(bands[3].handleX, 325); // trunc(554 / 3.4 * 2)
    EXPECT_EQ(bands[3].handleY, 138);
    EXPECT_EQ(dragged, -1);
    EXPECT_EQ(reset, 0);
    const int x0 = HandleX(3) + 2, y0 = HandleY(3) - 3; // grabbed 2 right of and 3 above the centre
    Frame(x0, y0, true);
    EXPECT_EQ(dragged, 3);
    EXPECT_EQ(bands[3].moving, 1);
    EXPECT_EQ(leftClaim, 1u);
    EXPECT_EQ(bands[3].grabDX, 2);
    EXPECT_EQ(bands[3].grabDY, -3);
    // The grab alone keeps the band's values, not the ones its truncated pixel stands for.
    EXPECT_FLOAT_EQ(bands[3].freq, 1000.0f);
    EXPECT_FLOAT_EQ(bands[3].gain, 0.0f);

    // To the plot's top edge: the axis says +24 dB, the band stops at +12; the frequency stays.
    Frame(x0, GraphY + 8 - 3, true);
    EXPECT_FLOAT_EQ(bands[3].gain, 12.0f);
    EXPECT_FLOAT_EQ(bands[3].freq, 1000.0f);
    Frame(x0 + 1, GraphY + 8 - 3, true); // one pixel right: the pixel's frequency
    EXPECT_FLOAT_EQ(bands[3].freq, 10.0f * std::pow(10.0f, 3.4f * 326 / 554));
    Frame(x0, GraphY + 8 - 3, true); // and back: the value the drag began with
    EXPECT_FLOAT_EQ(bands[3].freq, 1000.0f);
    Frame(x0, GraphY + 8 - 3 + 92, true);
    EXPECT_NEAR(bands[3].gain, 8.0f, 1e-5f);

    // Far outside the graph the band still follows, limited to its range.
    Frame(WindowW - 1, WindowH - 1, true);
    EXPECT_EQ(dragged, 3);
    EXPECT_FLOAT_EQ(bands[3].freq, 21513.0f);
    EXPECT_FLOAT_EQ(bands[3].gain, -24.0f);
    Frame(0, 0, true);
    EXPECT_FLOAT_EQ(bands[3].freq, 19.8f);

    // Button up: the drag ends; the application keeps the press claimed, so nothing starts again.
    Frame(0, 0, false);
    EXPECT_EQ(bands[3].moving, 0);
    EXPECT_EQ(dragged, -1);
    Frame(HandleX(3), HandleY(3), true);
    EXPECT_EQ(dragged, -1);
    EXPECT_EQ(bands[3].moving, 0);
}

TEST_F(EqGraphTest, AGrabNeedsTheHandleWithinSixPixelsAndAFreeClaim) {
    bands[2].freq = 500.0f;
    bands[2].gain = 4.0f;
    Place();
    const float freq = bands[2].freq;
    for (auto [dx, dy] : {std::pair{7, 0}, {0, 7}, {-7, -3}, {0, -7}}) {
        Frame(HandleX(2) + dx, HandleY(2) + dy, true);
        EXPECT_EQ(dragged, -1) << dx << "," << dy;
        EXPECT_EQ(leftClaim, 0u);
        Frame(0, 0, false);
    }
    EXPECT_EQ(bands[2].freq, freq);

    leftClaim = 1; // taken by something else
    Frame(HandleX(2), HandleY(2), true);
    EXPECT_EQ(dragged, -1);
    Frame(0, 0, false);

    leftClaim = 0;
    Frame(HandleX(2) - 6, HandleY(2) + 6, true);
    EXPECT_EQ(dragged, 2);
    EXPECT_EQ(bands[2].moving, 1);
    // The grab offset keeps the handle where it was: no jump on the press.
    EXPECT_NEAR(bands[2].gain, 4.0f, 0.1f);
}

TEST_F(EqGraphTest, ShiftKeepsTheAxisMovedLessAlong) {
    bands[1].freq = 1000.0f;
    bands[1].gain = 3.0f;
    Place();
    KeyState[VkShift] = 0x80;
    const int x0 = HandleX(1), y0 = HandleY(1);
    Frame(x0, y0, true);
    Frame(x0 + 10, y0 + 3, true);
    EXPECT_FLOAT_EQ(bands[1].gain, 3.0f);
    EXPECT_GT(bands[1].freq, 1000.0f);
    Frame(x0 + 3, y0 + 10, true);
    EXPECT_FLOAT_EQ(bands[1].freq, 1000.0f);
    EXPECT_LT(bands[1].gain, 3.0f);
}

// Which bands take a right drag is seen through the microphone panel; here the Q's steps and floor.
TEST_F(EqGraphTest, RightDragSetsTheQAlone) {
    bands[5].freq = 5000.0f;
    Place();
    const int x0 = HandleX(5), y0 = HandleY(5);
    Frame(x0, y0, false, true);
    EXPECT_EQ(rightClaim, 1u);
    Frame(x0 + 40, y0 + 30, false, true);
    EXPECT_FLOAT_EQ(bands[5].q, 5.0f);
    EXPECT_FLOAT_EQ(bands[5].freq, 5000.0f); // a Q drag moves nothing else
    EXPECT_FLOAT_EQ(bands[5].gain, 0.0f);
    Frame(x0 - 100, y0, false, true);
    EXPECT_FLOAT_EQ(bands[5].q, 0.2f);
    Frame(x0, y0, false, false);
    EXPECT_EQ(dragged, -1);
}

TEST_F(EqGraphTest, CurvesAreRecomputedOnlyWhenEditedOrForced) {
    bands[2].gain = 6.0f;
    Place();
    EXPECT_EQ(sum[0], 99.0f); // nothing edited: the panel's curves are kept as they are
    EXPECT_EQ(lit[0], 99.0f);

    // Forced: recomputed, and the press on a handle is not taken.
    bands[2].changed = 1;
    Frame(HandleX(2), HandleY(2), true, false, 1);
    EXPECT_EQ(dragged, -1);
    EXPECT_EQ(leftClaim, 0u);
    EXPECT_EQ(bands[2].moving, 0);
    EXPECT_EQ(bands[2].lit, 1);
    EXPECT_EQ(bands[2].changed, 0);
    EXPECT_EQ(bands[0].lit, 0);
    for (int j = EqCurveSamples; j < EqCurveCapacity; ++j)
        ASSERT_EQ(sum[j], 0.0f);
    const int centre = EqCentreSample(554, bands[2].freq);
    EXPECT_NEAR(sum[centre], 6.0f, 0.05f);
    EXPECT_NEAR(lit[centre], 6.0f, 0.05f);
    EXPECT_NEAR(lit[0], 0.0f, 0.05f);

    // The next call recomputes nothing and the changed band is no longer lit once something moves.
    for (float& v : sum)
        v = 99.0f;
    Frame(0, 0, false);
    EXPECT_EQ(sum[0], 99.0f);
    Frame(HandleX(0), HandleY(0), true);
    EXPECT_EQ(dragged, 0);
    EXPECT_NE(sum[0], 99.0f);
    EXPECT_EQ(bands[0].lit, 1);
    EXPECT_EQ(bands[2].lit, 0);
}

// The microphone panel's reset goes through this button; here its edges and the claim.
TEST_F(EqGraphTest, ResetButtonTakesAFreePressInsideIt) {
    const int bx = GraphX, by = GraphY + 300 - 14;
    Frame(bx + 63, by + 13, true);
    EXPECT_EQ(reset, 1);
    Frame(bx + 63, by + 13, true); // still held: claimed, so only once
    EXPECT_EQ(reset, 0);
    for (auto [x, y] : {std::pair{bx + 64, by + 5}, {bx + 50, by - 1}}) {
        leftClaim = 0;
        Frame(x, y, true);
        EXPECT_EQ(reset, 0) << x - bx << "," << y - by;
    }
}

TEST_F(EqGraphTest, PixelsShowTheSumLineAndTheLitArea) {
    bands[0].freq = 1000.0f;
    bands[0].gain = 12.0f;
    bands[0].q = 1.0f;
    bands[0].changed = 1;
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    Frame(0, 0, false, false, 1);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], WindowW);
    EXPECT_EQ(viewport[3], WindowH);

    std::vector<uint8_t> px = ReadRgbaTopDown(WindowW, WindowH);
    auto at = [&](int x, int y) { return px.data() + (static_cast<size_t>(y) * WindowW + x) * 4; };
    // Outside the graph: untouched. Inside, away from every line: black.
    EXPECT_EQ(at(20, 20)[0], 255);
    EXPECT_EQ(at(GraphX + 5, GraphY + 150)[0], 0);

    // In the band's column the brightest blue lies at +12 dB (plot y 69), and the column between it
    // and the 0 dB line is lit grey.
    const int column = GraphX + 38 + 325;
    int lineY = -1;
    for (int y = GraphY; y < GraphY + 300; ++y) {
        const uint8_t* p = at(column, y);
        if (p[2] > 200 && p[0] < 120 && lineY < 0) lineY = y;
    }
    EXPECT_NEAR(lineY, GraphY + 8 + 69, 2);
    const uint8_t* area = at(column + 4, GraphY + 8 + 100); // beside the 1 kHz grid line
    EXPECT_NEAR(area[0], 77, 12);
    EXPECT_EQ(area[0], area[1]);
    // Away from the bands the sum line runs at 0 dB (plot y 138).
    const int far = GraphX + 38 + 540;
    bool onZero = false;
    for (int y = GraphY + 8 + 136; y <= GraphY + 8 + 140; ++y)
        onZero |= at(far, y)[2] > 200;
    EXPECT_TRUE(onZero);

    // A fading panel lets what lies under the graph show through its background.
    glClear(GL_COLOR_BUFFER_BIT);
    Frame(0, 0, false, false, 0, 0xC0, 0.5f);
    px = ReadRgbaTopDown(WindowW, WindowH);
    EXPECT_NEAR(at(GraphX + 5, GraphY + 150)[0], 128, 2);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
}

// The panel keeps each band's curve and computes again only the bands that changed: the sum and the lit
// curve must come out as computing every band does, to the bit, through changes of every kind (a drag,
// the type, Q below 1, a shelf at exactly 1 dB, a flat band, a type the curve does not know, the width).
TEST_F(EqGraphTest, KeptBandCurvesAddUpToTheBitAsComputingEveryBand) {
    EqGraphBand alone[8];
    std::memcpy(alone, bands, sizeof bands);
    static EqBandShare shares[8];
    static float aloneSum[EqCurveCapacity], aloneLit[EqCurveCapacity];
    std::memcpy(aloneSum, sum, sizeof sum);
    std::memcpy(aloneLit, lit, sizeof lit);
    int width = 600;
    auto both = [&](auto change) {
        change(bands);
        change(alone);
        bands[2].changed = alone[2].changed = 1; // the lit curve follows band 2
        EqGraphRun(0, 0, 0, &leftClaim, 0, &rightClaim, 1.0f, 0, GraphX, GraphY, width, 300, 8, bands, sum,
                   lit, 1, &dragged, &reset, shares);
        EqGraphRun(0, 0, 0, &leftClaim, 0, &rightClaim, 1.0f, 0, GraphX, GraphY, width, 300, 8, alone,
                   aloneSum, aloneLit, 1, &dragged, &reset);
        EXPECT_EQ(std::memcmp(sum, aloneSum, sizeof sum), 0);
        EXPECT_EQ(std::memcmp(lit, aloneLit, sizeof lit), 0);
    };
    both([](EqGraphBand* b) { b[2].gain = 6.4f; });
    both([](EqGraphBand* b) { b[2].freq = 1250.0f; });
    both([](EqGraphBand* b) { b[2].q = 0.4f; });
    both([](EqGraphBand* b) { b[2].type = EqBandType::LowShelf, b[2].gain = 1.0f; });
    both([](EqGraphBand* b) { b[2].gain = 0.0f; });
    both([](EqGraphBand* b) { b[2].type = EqBandType::HighShelf, b[2].gain = -7.0f; });
    both([](EqGraphBand* b) { b[2].type = static_cast<EqBandType>(99); });
    both([](EqGraphBand* b) { b[2].type = EqBandType::Peak, b[5].gain = -3.2f; });
    width = 420;
    both([](EqGraphBand* b) { b[6].freq = 40.0f; });
}
