// The framework's portable arithmetic, fed with chosen inputs: the timer on scripted clock
// readings, the arcball, bounded texts, the statistics texts, the glyph sheet and the device
// choice's rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "framework/app_timer_core.h"
#include "framework/arc_ball.h"
#include "framework/device_choice.h"
#include "framework/frame_stats.h"
#include "framework/glyph_sheet.h"
#include "framework/text_buffer.h"

namespace {

using C = TimerCommand;

struct TimerStep {
    C command;
    int64_t at;              // clock reading, in ticks of a 1000 Hz counter
    float answer;
};

TEST(TimerCore, ScriptedClockReadings) {
    const std::vector<std::vector<TimerStep>> scripts = {
        // The first Start sets the epoch; the absolute time is the clock's.
        {{C::Start, 5000, 0}, {C::GetAppTime, 5250, 0.25f}, {C::GetAbsoluteTime, 5250, 5.25f}},
        // Elapsed time is the interval since the previous reading.
        {{C::Start, 1000, 0}, {C::GetElapsedTime, 1400, 0.4f}, {C::GetElapsedTime, 1400, 0},
         {C::GetElapsedTime, 1410, 0.01f}},
        // Stopped, application time stands still; the absolute time goes on.
        {{C::Start, 1000, 0}, {C::Stop, 3000, 0}, {C::GetAppTime, 9000, 2}, {C::GetAppTime, 12000, 2},
         {C::GetElapsedTime, 12000, 0}, {C::GetAbsoluteTime, 12000, 12}},
        // Advance moves a stopped timer on by a tenth; Start resumes from there.
        {{C::Start, 1000, 0}, {C::Stop, 3000, 0}, {C::Advance, 4000, 0}, {C::GetAppTime, 4500, 2.1f},
         {C::Start, 7000, 0}, {C::GetAppTime, 7000, 2.1f}, {C::GetAppTime, 7500, 2.6f}},
        // A second Stop or Start changes nothing.
        {{C::Start, 1000, 0}, {C::Stop, 2000, 0}, {C::Stop, 5000, 0}, {C::GetAppTime, 6000, 1},
         {C::Start, 6000, 0}, {C::Start, 8000, 0}, {C::GetAppTime, 8000, 3}},
        // Reset while stopped restarts at zero from the stop time and clears the stop.
        {{C::Start, 1000, 0}, {C::Stop, 2000, 0}, {C::Reset, 9000, 0}, {C::GetAppTime, 2500, 0.5f}},
        {{C(7), 1000, -1}, {C(-1), 1000, -1}},
    };
    for (size_t s = 0; s < scripts.size(); ++s) {
        TimerCore<int64_t> timer;
        timer.perSecond = 1000.0;
        timer.tenth = 100;
        for (const TimerStep& step : scripts[s]) {
            EXPECT_NEAR(timer.run(step.command, step.at), step.answer, 1e-5f)
                << "script " << s << " at " << step.at;
        }
    }
}

ArcBall Ball(int width, int height, float radius = 1.0f) {
    ArcBall ball;
    ball.SetWindowSize(width, height, radius);
    return ball;
}

void ExpectNear(const D3DXVECTOR3& a, float x, float y, float z, float tolerance = 1e-5f) {
    EXPECT_LT(std::fabs(a.x - x) + std::fabs(a.y - y) + std::fabs(a.z - z), tolerance)
        << a.x << ", " << a.y << ", " << a.z << " against " << x << ", " << y << ", " << z;
}

TEST(ArcBall, PointsLieOnTheBallOrItsRimAndRotationsCarryOneOntoTheOther) {
    const struct {
        int width, height, x, y;
        float radius, px, py, pz;
    } cases[] = {
        {200, 100, 100, 50, 1.0f, 0, 0, 1},                               // the centre is the top
        {201, 101, 100, 50, 1.0f, 0, 0, 1},                               // found in whole pixels
        {200, 100, 60, 60, 0.8f, 0.5f, 0.25f, std::sqrt(1 - 0.3125f)},    // inside
        {200, 100, 0, 0, 1.0f, std::sqrt(0.5f), -std::sqrt(0.5f), 0},     // outside: the rim
    };
    for (const auto& c : cases) {
        ArcBall ball = Ball(c.width, c.height, c.radius);
        ExpectNear(ball.PointOnBall(c.x, c.y), c.px, c.py, c.pz);
        ball.m_rightHanded = true;
        ExpectNear(ball.PointOnBall(c.x, c.y), -c.px, -c.py, c.pz);
    }
    const ArcBall ball = Ball(64, 48);
    for (int i = 0; i < 12; ++i) {
        const D3DXVECTOR3 from = ball.PointOnBall(7 * i - 10, 60 - 5 * i);
        const D3DXVECTOR3 to = ball.PointOnBall(75 - 8 * i, 6 * i - 8);
        EXPECT_NEAR(D3DXVec3Length(&from), 1.0f, 1e-5f) << i;
        D3DXMATRIX m;
        const D3DXQUATERNION q = ArcBall::RotationBetweenBallPoints(from, to * 3.0f);
        D3DXMatrixRotationQuaternion(&m, &q);
        const D3DXVECTOR3 moved(from.x * m._11 + from.y * m._21 + from.z * m._31,   // row vector
                                from.x * m._12 + from.y * m._22 + from.z * m._32,   // times the
                                from.x * m._13 + from.y * m._23 + from.z * m._33);  // matrix
        ExpectNear(moved, to.x, to.y, to.z, 1e-4f);
    }
}

TEST(ArcBall, DragsRotateFromWhereTheLastLeftOffAndMoveInThePlaneOrInDepth) {
    ArcBall ball = Ball(200, 200);
    const D3DXQUATERNION first =
        ArcBall::RotationBetweenBallPoints(ball.PointOnBall(100, 100), ball.PointOnBall(50, 100));
    D3DXQUATERNION twice;
    D3DXQuaternionMultiply(&twice, &first, &first);
    for (const D3DXQUATERNION& expected : {first, twice}) {   // the same drag twice
        ball.HandleMouseEvent(ArcBallEvent::LeftDown, 100, 100, ArcBallLeft);
        EXPECT_TRUE(ball.HandleMouseEvent(ArcBallEvent::Move, 50, 100, ArcBallLeft));
        ExpectNear({ball.m_rotation.y, ball.m_rotation.w, 0}, expected.y, expected.w, 0);
        EXPECT_TRUE(ball.HandleMouseEvent(ArcBallEvent::LeftUp, 50, 100, 0) && !ball.m_drag);
    }
    EXPECT_FALSE(ball.HandleMouseEvent(ArcBallEvent::Other, 10, 10, 0));

    ArcBall plane = Ball(200, 100);
    plane.SetTranslationRadius(3.0f);
    plane.HandleMouseEvent(ArcBallEvent::RightDown, 100, 50, ArcBallRight);
    plane.HandleMouseEvent(ArcBallEvent::Move, 120, 40, ArcBallRight);
    plane.HandleMouseEvent(ArcBallEvent::Move, 140, 40, ArcBallRight);
    // dx = -20 * 3 / 200 twice moves right by 1.2; dy = 10 * 3 / 100 once moves up 0.6.
    ExpectNear({plane.m_translationMatrix._41, plane.m_translationMatrix._42, 0}, 1.2f, 0.6f, 0);
    ArcBall depth = Ball(200, 100);
    depth.HandleMouseEvent(ArcBallEvent::MiddleDown, 10, 80, ArcBallMiddle);
    depth.HandleMouseEvent(ArcBallEvent::Move, 50, 70, ArcBallMiddle);
    ExpectNear({depth.m_translationMatrix._41, depth.m_translationMatrix._43, 0}, 0, 0.5f, 0);   // dy 0.1, five times
}

TEST(TextBuffer, BoundedCopiesAppendsAndPathParts) {
    char buffer[6], empty[6];
    std::memset(buffer, 'x', sizeof(buffer));
    EXPECT_TRUE(CopyBounded(buffer, "abcdefgh", sizeof(buffer)) && CopyBounded(empty, "abc", 1));
    EXPECT_FALSE(CopyBounded(nullptr, "a", 4) || CopyBounded(buffer, nullptr, 4) || CopyBounded(buffer, "a", 0));
    // An unterminated source as long as the buffer: the sanitizer sees any over-read.
    std::vector<char> source = {'a', 'b', 'c', 'd'};
    char four[4];
    EXPECT_TRUE(CopyBounded(four, source.data(), sizeof(four)));
    EXPECT_EQ(std::string(buffer) + "|" + empty + "|" + four, "abcde||abc");

    char fits[8] = "abc", full[8] = "abc";
    EXPECT_TRUE(AppendBounded(fits, sizeof(fits), "defg"));    // 7 characters fit
    EXPECT_FALSE(AppendBounded(full, sizeof(full), "defgh"));  // 8 do not
    EXPECT_EQ(std::string(fits) + "|" + full, "abcdefg|abc");

    char path[] = "C:\\media\\sub/knot.x", bare[] = "knot.x";
    EXPECT_TRUE(CutAfterLastSeparator(path) && !CutAfterLastSeparator(bare));
    EXPECT_EQ(std::string(path) + "|" + FileNamePart("a\\b/c") + "|" + FileNamePart("knot.x"), "C:\\media\\sub/|c|knot.x");
}

TEST(FrameRateMeter, MeasuresOnlyOnceMoreThanASecondHasPassed) {
    FrameRateMeter meter;
    float fps = -1.0f;
    EXPECT_TRUE(CountFrame(meter, 2000.0f, fps));   // the first counts from the epoch
    EXPECT_FLOAT_EQ(fps, 1.0f / 2000.0f);
    EXPECT_FALSE(CountFrame(meter, 2000.5f, fps));
    EXPECT_FALSE(CountFrame(meter, 2001.0f, fps));  // exactly one second is not enough
    EXPECT_TRUE(CountFrame(meter, 2001.25f, fps));
    EXPECT_FLOAT_EQ(fps, 3.0f / 1.25f);
}

std::string FrameText(FrameStatsInput input) {
    char text[kStatsTextSize];
    FormatFrameStats(input, text);
    return text;
}

TEST(StatsText, FrameTextNamesRateSizeFormatsDepthAndMultisampling) {
    FrameStatsInput input;
    input.fps = 59.996f, input.width = 800, input.height = 600, input.backBufferFormat = "X8R8G8B8";
    EXPECT_EQ(FrameText(input), "60.00 fps (800x600), X8R8G8B8");
    input.depthName = "D16";
    EXPECT_EQ(FrameText(input), "60.00 fps (800x600), X8R8G8B8 (D16)");
    input.backBufferFormat = "A8R8G8B8";
    input.adapterFormat = "X8R8G8B8";
    EXPECT_EQ(FrameText(input), "60.00 fps (800x600), backbuf A8R8G8B8, adapter X8R8G8B8 (D16)");
    const std::pair<uint32_t, const char*> samples[] = {
        {0, ""}, {1, " (Nonmaskable Multisample)"}, {2, " (2x Multisample)"},
        {16, " (16x Multisample)"}, {17, ""}};
    FrameStatsInput plain;
    plain.backBufferFormat = "R5G6B5";
    for (const auto& [type, suffix] : samples) {
        plain.multisampleType = type;
        EXPECT_EQ(FrameText(plain), std::string("0.00 fps (0x0), R5G6B5") + suffix);
    }
}

TEST(StatsText, DeviceTextSaysSimulatedOffTheHalAndNamesOnlyTheHalsAdapter) {
    using P = StatsVertexProcessing;
    const struct {
        const char* device;
        P processing;
        const char* text;
    } cases[] = {
        {"HAL", P::PureHardware, "HAL (pure hw vp): Card"}, {"HAL", P::Mixed, "HAL (mixed vp): Card"},
        {"HAL", P::Software, "HAL (sw vp): Card"},          {"REF", P::Hardware, "REF (simulated hw vp)"},
        {"SW", P::PureHardware, "SW (simulated pure hw vp)"}, {"REF", P::Software, "REF (sw vp)"},
        {"SW", P::Unnamed, "SW"},
    };
    for (const auto& c : cases) {
        char text[kStatsTextSize];
        FormatDeviceStats(c.device, c.processing, "Card", text);
        EXPECT_STREQ(text, c.text);
    }
}

TEST(StatsText, LongTextsAreCutToTheFieldAndNothingIsWrittenPastIt) {
    const std::string longName(150, 'Q');
    FrameStatsInput input;
    input.fps = 1e30f, input.width = input.height = 4000000000u, input.multisampleType = 1;
    input.backBufferFormat = input.adapterFormat = input.depthName = longName.c_str();
    std::vector<char> frame(kStatsTextSize + 8, 'Z'), device(kStatsTextSize + 8, 'Z');
    FormatFrameStats(input, *reinterpret_cast<char(*)[kStatsTextSize]>(frame.data()));
    FormatDeviceStats("HAL", StatsVertexProcessing::Hardware, std::string(511, 'd').c_str(),
                      *reinterpret_cast<char(*)[kStatsTextSize]>(device.data()));
    for (const std::vector<char>* text : {&frame, &device}) {
        EXPECT_EQ(strlen(text->data()), kStatsTextSize - 1);
        EXPECT_EQ((*text)[kStatsTextSize], 'Z');
    }
}

// Every glyph the same size, as a monospaced font measures.
GlyphMetrics Uniform(uint32_t width, uint32_t height) {
    GlyphMetrics metrics;
    for (GlyphSize& glyph : metrics.glyphs)
        glyph = {width, height};
    metrics.xHeight = height;
    return metrics;
}

// Glyphs `width` x `height` at scale 1 that shrink with the scale, plus `leading` pixels of
// line height that do not; the scales asked for are recorded.
GlyphMeasure ScalableFont(uint32_t width, uint32_t height, std::vector<float>* scales,
                          uint32_t leading = 0) {
    return [=](float scale, GlyphMetrics& metrics) {
        if (scales)
            scales->push_back(scale);
        metrics = Uniform(uint32_t(std::lround(width * scale)),
                          uint32_t(std::lround(height * scale)) + leading);
        return true;
    };
}

TEST(GlyphSheet, MarginIsTheCeilingOfThreeTenthsOfTheXHeightAndGlyphsFillRowsUpToTheEdges) {
    const uint32_t expected[][2] = {{0, 0}, {10, 3}, {11, 4}, {19, 6}, {20, 6}};
    for (const auto& [xHeight, margin] : expected)
        EXPECT_EQ(GlyphMarginFor(xHeight), margin) << xHeight;
    // 6 x 10 glyphs with margin 3 take 12 pixels each: ten to a row of 120, rows 11 apart, the
    // tenth row ending at 9 * 11 + 10 = 109.
    GlyphLayout layout;
    ASSERT_TRUE(LayOutGlyphs(Uniform(6, 10), 120, 109, layout));
    const GlyphPlacement &tenth = layout.glyphs[9], &eleventh = layout.glyphs[10];
    EXPECT_EQ((std::vector<uint32_t>{layout.margin, tenth.x, tenth.y, eleventh.x, eleventh.y}),
              (std::vector<uint32_t>{3, 3 + 9 * 12, 0, 3, 11}));
    // The margin on both sides, but not above or below.
    EXPECT_EQ((std::vector<float>{eleventh.left, eleventh.right, eleventh.top, eleventh.bottom}),
              (std::vector<float>{0, 12.0f / 120, 11.0f / 109, 21.0f / 109}));
    EXPECT_FALSE(LayOutGlyphs(Uniform(6, 10), 120, 108, layout));
    ASSERT_TRUE(LayOutGlyphs(Uniform(6, 10), 119, 128, layout));
    EXPECT_EQ(layout.glyphs[9].y, 11u);             // one pixel less: the tenth wraps
}

TEST(GlyphSheet, SheetGrowsForLargeFontsAndShrinksTheFontToTheDeviceLimit) {
    std::vector<float> scales;
    EXPECT_EQ(ChooseGlyphSheet(ScalableFont(6, 10, nullptr), 4096).width, kFirstSheetSide);
    // 40 x 60 glyphs with margin 18 take 76 pixels: only 1024 holds them.
    SheetChoice large = ChooseGlyphSheet(ScalableFont(40, 60, &scales), 1024);
    ASSERT_EQ(large.result, SheetResult::Ok);
    EXPECT_EQ((std::vector<float>{float(large.width), float(large.height), large.fontScale, float(scales.size())}),
              (std::vector<float>{1024, 1024, 1, 1}));

    // Under a limit of 256 the font is measured at 256 / 1024, then 10 % smaller each time
    // until it fits; the unscaled leading keeps the first try from fitting.
    scales.clear();
    SheetChoice limited = ChooseGlyphSheet(ScalableFont(40, 60, &scales, 12), 256);
    ASSERT_EQ(limited.result, SheetResult::Ok);
    EXPECT_EQ(std::make_pair(limited.width, limited.height), std::make_pair(256u, 256u));
    ASSERT_GE(scales.size(), 3u);
    EXPECT_FLOAT_EQ(scales[1], 0.25f);
    for (size_t i = 2; i < scales.size(); ++i)
        EXPECT_FLOAT_EQ(scales[i], scales[i - 1] * 0.9f);
    EXPECT_FLOAT_EQ(limited.fontScale, scales.back());
    GlyphLayout layout;
    GlyphMetrics previous;
    ScalableFont(40, 60, nullptr, 12)(scales[scales.size() - 2], previous);
    EXPECT_FALSE(LayOutGlyphs(previous, 256, 256, layout));
}

TEST(GlyphSheet, FailedMeasuresAndImpossibleFontsEndCleanly) {
    const GlyphMeasure fixed = [](float, GlyphMetrics& m) { return m = Uniform(40, 60), true; };
    const GlyphMeasure tall = [](float, GlyphMetrics& m) { return m = Uniform(10, 0x7FFFFFFF), true; };
    const GlyphMeasure failing = [](float, GlyphMetrics&) { return false; };
    int calls = 0;
    const GlyphMeasure failsLater = [&](float scale, GlyphMetrics& m) {
        m = Uniform(uint32_t(40 * scale), uint32_t(60 * scale));
        return ++calls == 1;
    };
    EXPECT_EQ(ChooseGlyphSheet(failing, 4096).result, SheetResult::MeasureFailed);
    EXPECT_EQ(ChooseGlyphSheet(failsLater, 256).result, SheetResult::MeasureFailed);
    EXPECT_EQ(ChooseGlyphSheet(tall, 4096).result, SheetResult::TooLarge);
    EXPECT_EQ(ChooseGlyphSheet(fixed, 256).result, SheetResult::TooLarge);
    EXPECT_EQ(ChooseGlyphSheet(ScalableFont(6, 10, nullptr), 0).result, SheetResult::TooLarge);
}

TEST(GlyphSheet, ConversionMakesWhiteTexelsWithTheBlueChannelsTopBitsAsAlpha) {
    const uint32_t pixels[6] = {0x00000000, 0x0000000F, 0x00000010,    // below 16: clear
                                0x00FFFFFF, 0x00FF0000, 0x000000A5};   // red counts for nothing
    std::vector<uint16_t> texels(8, 0xEEEE);                           // rows of 8 bytes
    ConvertSheetToA4R4G4B4(pixels, 3, 2, reinterpret_cast<uint8_t*>(texels.data()), 8);
    // The padding after each row is left alone.
    EXPECT_EQ(texels, (std::vector<uint16_t>{0x0000, 0x0000, 0x1FFF, 0xEEEE, 0xFFFF, 0x0000, 0xAFFF, 0xEEEE}));
}

// Format numbers as Direct3D has them; only their identity and order matter here.
enum : uint32_t { A8 = 21, X8 = 22, R5 = 23 };

// "HAL", "REF" or "SW"; windowed or full screen; the formats; its adapter's desktop format.
ComboFacts Combo(const std::string& type, bool windowed, uint32_t adapter, uint32_t backBuffer, uint32_t desktop = X8) {
    return {type == "HAL", type == "REF", windowed, adapter, backBuffer, desktop};
}

TEST(DeviceChoice, CombosPreferTheHalThenTheDesktopFormatThenEqualBackBuffersAndMeetTheRequirements) {
    const bool W = true, F = false;
    const struct {
        bool windowed, requireHAL, requireREF;
        std::vector<ComboFacts> combos;
        int expected;
    } cases[] = {
        // Windowed, on the primary desktop's X8 only: the first HAL with equal formats ends the
        // walk; any HAL replaces a REF; else the first HAL stays.
        {W, F, F, {Combo("REF", W, X8, X8), Combo("HAL", W, X8, A8), Combo("HAL", W, X8, X8), Combo("HAL", W, X8, X8)}, 2},
        {W, F, F, {Combo("HAL", W, R5, R5), Combo("HAL", F, X8, X8), Combo("REF", W, X8, X8), Combo("HAL", W, X8, A8)}, 3},
        {W, F, F, {Combo("HAL", W, X8, A8), Combo("HAL", W, X8, R5)}, 0},
        {W, F, true, {Combo("HAL", W, X8, X8), Combo("REF", W, X8, A8)}, 1},
        {W, true, F, {Combo("REF", W, X8, X8), Combo("SW", W, X8, X8)}, -1},
        {W, F, F, {}, -1},
        // Full screen, on each adapter's own desktop format: the HAL, then the desktop's format,
        // then equal formats, the first of each kind.
        {F, F, F, {Combo("REF", F, X8, X8), Combo("HAL", F, R5, A8), Combo("HAL", F, X8, A8), Combo("HAL", F, X8, X8),
                   Combo("HAL", F, X8, X8)}, 3},
        {F, F, F, {Combo("HAL", F, X8, X8, R5), Combo("HAL", F, R5, A8, R5), Combo("HAL", F, R5, X8, R5)}, 1},
        {F, F, F, {Combo("HAL", W, X8, X8), Combo("SW", F, R5, A8)}, 1},
        {F, F, true, {Combo("HAL", F, X8, X8), Combo("REF", F, R5, R5)}, 1},
        {F, true, F, {Combo("REF", F, X8, X8)}, -1},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        EXPECT_EQ(c.windowed ? PickWindowedCombo(c.combos, X8, c.requireHAL, c.requireREF)
                             : PickFullscreenCombo(c.combos, c.requireHAL, c.requireREF),
                  c.expected) << "case " << i;
    }
}

struct Mode {
    unsigned Width, Height, RefreshRate;
    uint32_t Format;
};

TEST(DeviceChoice, FullScreenTakesTheModeClosestToTheDesktopInTheCatalogsOrder) {
    std::vector<Mode> modes;
    for (unsigned width : {1024, 640, 800})
        for (uint32_t format : {R5, X8})
            for (unsigned refresh : {75, 60})
                modes.push_back({width, width * 3 / 4, refresh, format});
    modes.push_back({640, 400, 85, X8});
    // In the catalog's order the answers below are the first, the last and the highest.
    std::sort(modes.begin(), modes.end(), ModeLess<Mode>);
    const Mode cases[][2] = {
        // the desktop; the mode full screen takes among the X8 ones
        {{800, 600, 60, X8}, {800, 600, 60, X8}},       // the desktop mode itself
        {{1024, 768, 85, X8}, {1024, 768, 75, X8}},     // no such rate: the highest of that size
        {{1024, 600, 60, X8}, {1024, 768, 75, X8}},     // no such height: the last of that width
        {{1280, 1024, 60, X8}, {640, 400, 85, X8}},     // neither: the first mode
    };
    for (const auto& [desktop, expected] : cases) {
        const Mode chosen = ChooseFullscreenMode(modes.data(), modes.size(), desktop, uint32_t(X8));
        EXPECT_EQ(std::vector<unsigned>({chosen.Width, chosen.Height, chosen.RefreshRate, chosen.Format}),
                  std::vector<unsigned>({expected.Width, expected.Height, expected.RefreshRate, expected.Format}))
            << desktop.Width << "x" << desktop.Height << "@" << desktop.RefreshRate;
    }
    EXPECT_EQ(ChooseFullscreenMode(modes.data(), modes.size(), cases[0][0], uint32_t(A8)).Width, 0u);
}

}  // namespace
