#include <gtest/gtest.h>

#include <cairo.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "headless_driver.h"
#include "smoke_scene.h"
#include "window_manager.h"

namespace {

bool Available(const char* tool) {
    return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

}  // namespace

// The real window under Xvfb: a click by xdotool reaches the layer as pen
// down and up at the right logical pixel, and the screenshot scaled down
// equals the headless frame of the same scene.
TEST(XvfbSmoke, TheWindowTakesAClickAndShowsTheHeadlessFrame) {
    if (!Available("xvfb-run") || !Available("xdotool")) GTEST_SKIP() << "xvfb-run or xdotool missing";
    const auto folder = std::filesystem::temp_directory_path() / ("pelk-smoke-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string shot = (folder / "window.png").string();
    const std::string log = (folder / "log.txt").string();
    // The toolkit's session-bus client keeps memory for the process's life.
    const std::string suppressions = (folder / "lsan.supp").string();
    std::ofstream(suppressions) << "leak:libdbus-1\nleak:libatk-bridge\n";
    const std::string command = "NO_AT_BRIDGE=1 LSAN_OPTIONS=suppressions='" + suppressions +
                                "' timeout 120 xvfb-run -a -s '-screen 0 640x800x24' '" SMOKE_WINDOW_PATH "' '" +
                                shot + "' > '" + log + "' 2>&1";
    const int status = std::system(command.c_str());
    std::ifstream in(log);
    std::stringstream text;
    text << in.rdbuf();
    ASSERT_EQ(status, 0) << text.str();
    const std::string expected = "down " + std::to_string(kSmokeClickX) + " " + std::to_string(kSmokeClickY) + "\nup " +
                                 std::to_string(kSmokeClickX) + " " + std::to_string(kSmokeClickY) + "\n";
    EXPECT_NE(text.str().find(expected), std::string::npos) << text.str();

    HeadlessDriver driver;
    SmokeWindow window;
    ASSERT_TRUE(window.Open());
    driver.SetTarget(&window);
    driver.Tap(CPoint(kSmokeClickX, kSmokeClickY));
    ASSERT_TRUE(window.HasUp());

    cairo_surface_t* windowed = cairo_image_surface_create_from_png(shot.c_str());
    ASSERT_EQ(cairo_surface_status(windowed), CAIRO_STATUS_SUCCESS);
    ASSERT_EQ(cairo_image_surface_get_width(windowed), kScreenWidth);
    ASSERT_EQ(cairo_image_surface_get_height(windowed), kScreenHeight);
    cairo_surface_flush(windowed);
    const unsigned char* a = cairo_image_surface_get_data(windowed);
    const int strideA = cairo_image_surface_get_stride(windowed);
    int differing = 0;
    CPoint first(-1, -1);
    for (int y = 0; y < kScreenHeight; ++y) {
        for (int x = 0; x < kScreenWidth; ++x) {
            const auto pa = *reinterpret_cast<const std::uint32_t*>(a + y * strideA + x * 4) & 0xFFFFFF;
            const COLORREF pb = driver.PixelAt(x, y);
            const std::uint32_t rgb = (GetRValue(pb) << 16) | (GetGValue(pb) << 8) | GetBValue(pb);
            if (pa != rgb && differing++ == 0) first = CPoint(x, y);
        }
    }
    cairo_surface_destroy(windowed);
    EXPECT_EQ(differing, 0) << "first difference at " << first.x << "," << first.y;
    window.DestroyWindow();
    std::error_code error;
    std::filesystem::remove_all(folder, error);
}
