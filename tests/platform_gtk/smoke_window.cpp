// The windowed half of the smoke test, run under Xvfb: opens the GTK
// window, clicks into it with xdotool, prints where the pen arrived and
// saves the window's screenshot scaled back to logical pixels.
//   smoke_window OUT.png
#include <cstdio>
#include <string>

#include "clock.h"
#include "gtk_backend.h"
#include "smoke_scene.h"
#include "window_manager.h"

// Last: X11 defines names (MapNotify, None) that the layer uses.
#include <gdk/gdkx.h>

namespace {

void RunFor(GtkBackend& backend, DWORD ms) {
    const DWORD end = GetTickCount() + ms;
    while (static_cast<std::int32_t>(GetTickCount() - end) < 0) {
        PumpWaitingMessages();
        backend.WaitForEvents(10);
    }
}

bool SaveLogical(GtkBackend& backend, const char* path) {
    GdkWindow* window = gtk_widget_get_window(backend.Window());
    const int scale = backend.Scale();
    GdkPixbuf* shot = gdk_pixbuf_get_from_window(window, 0, 0, kScreenWidth * scale, kScreenHeight * scale);
    if (shot == nullptr) return false;
    cairo_surface_t* out = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kScreenWidth, kScreenHeight);
    const int channels = gdk_pixbuf_get_n_channels(shot);
    const int rowstride = gdk_pixbuf_get_rowstride(shot);
    const guchar* pixels = gdk_pixbuf_get_pixels(shot);
    unsigned char* data = cairo_image_surface_get_data(out);
    const int stride = cairo_image_surface_get_stride(out);
    for (int y = 0; y < kScreenHeight; ++y) {
        for (int x = 0; x < kScreenWidth; ++x) {
            const guchar* p = pixels + (y * scale) * rowstride + (x * scale) * channels;
            *reinterpret_cast<std::uint32_t*>(data + y * stride + x * 4) =
                (static_cast<std::uint32_t>(p[0]) << 16) | (static_cast<std::uint32_t>(p[1]) << 8) | p[2];
        }
    }
    cairo_surface_mark_dirty(out);
    const bool ok = cairo_surface_write_to_png(out, path) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(out);
    g_object_unref(shot);
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    GtkBackend backend(2);
    if (!backend.Open("Pelk smoke")) return 3;
    SmokeWindow window;
    if (!window.Open()) return 4;
    // A loaded machine maps the window late; a click before that is lost.
    GdkWindow* shown = gtk_widget_get_window(backend.Window());
    for (int i = 0; i < 200 && !(shown && gdk_window_is_viewable(shown)); ++i) {
        RunFor(backend, 50);
        shown = gtk_widget_get_window(backend.Window());
    }
    RunFor(backend, 700);

    const int scale = backend.Scale();
    const auto xid = gdk_x11_window_get_xid(gtk_widget_get_window(backend.Window()));
    const std::string command = "xdotool mousemove --window " + std::to_string(xid) + " " +
                                std::to_string(kSmokeClickX * scale + 1) + " " +
                                std::to_string((kSmokeClickY + kCaptionHeight) * scale + 1) + " click 1";
    // Clicked again only when the first click never arrived at all.
    for (int attempt = 0; attempt < 3 && !window.HasDown(); ++attempt) {
        if (std::system(command.c_str()) != 0) return 5;
        for (int i = 0; i < 100 && !window.HasUp(); ++i) RunFor(backend, 50);
    }
    RunFor(backend, 500);
    if (window.HasDown()) std::printf("down %ld %ld\n", static_cast<long>(window.Down().x), static_cast<long>(window.Down().y));
    if (window.HasUp()) std::printf("up %ld %ld\n", static_cast<long>(window.Up().x), static_cast<long>(window.Up().y));
    const bool saved = SaveLogical(backend, argv[1]);
    window.DestroyWindow();
    return saved ? 0 : 6;
}
