// Fontconfig and Pango keep process-wide caches that they never free; the
// leak checker is told so, so that it reports only our own leaks.
#if defined(__SANITIZE_ADDRESS__)
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig\nleak:libpango\nleak:libglib\nleak:libgobject\nleak:libharfbuzz\n";
}
#endif
