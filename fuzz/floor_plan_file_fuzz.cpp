// Reads arbitrary bytes, and texts assembled from floor-plan file pieces, as
// a floor-plan file into a fresh document: header, history, map and rooms
// with their command text. Any crash or sanitizer report is a fault.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "app_globals.h"
#include "exchange_file.h"
#include "paths.h"
#include "repl_doc.h"

namespace {

const char* const kPieces[] = {
    "<QUENDAR_FPL", " codepage=\"0\"", " street=\"Elm\"", " house=\"1\"", " level=\"Main\"",
    " path=\"Hall1,Bed2,2nd,\"", " metric=\"YES\"", " orient=\"x\"", ">", "</QUENDAR_FPL>",
    "<HISTORY>", "<NODE a=\"P\" v=\"1.2.3\" t=\"3/5/2011 9:7\" u=\"\"/>", "</HISTORY>",
    "<MAP lat=\"1.5\" lon=\"-2\" zoom=\"5\" version=\"1\"/>", "<Hall1 body=\"", "<Bed2 body=\"",
    "<_nd body=\"", "N1=Node(0.0,0.0)\n", "N2=Node(120.0,0.0)\n", "N3=Node(120.0,90.0)\n",
    "S1=Segment(N1,N2)\n", "S2=Segment(N2,N3)\n", "S3=Segment(N3,N1)\n", "Name=Hall1\n",
    "Shape=Rectangle\n", "Size=Size(10,20)\n", "Entrance=N1\n", "\"/>", "\"", "&amp;", "<", "x",
};

std::string Assemble(const std::uint8_t* data, std::size_t size)
{
    std::string text;
    for (std::size_t i = 0; i < size && text.size() < 4096; ++i)
        text += kPieces[data[i] % (sizeof kPieces / sizeof kPieces[0])];
    return text;
}

// Nothing a load might write may land in the user's documents.
void UsePrivateDocuments()
{
    static const bool done = [] {
        const auto folder = std::filesystem::temp_directory_path() / "pelk-fuzz-documents";
        std::filesystem::create_directories(folder);
        PlatformPaths::SetDocumentsRoot(folder.string());
        return true;
    }();
    (void)done;
}

void Read(const std::string& text)
{
    PelkResetAppGlobals();
    UsePrivateDocuments();
    ParseExchangeData(kDefaultExchangeFile, static_cast<int>(kDefaultExchangeFileSize));
    CReplDoc document;
    document.ParseFile(text.data(), static_cast<int>(text.size()));
}

}  // namespace

// Fontconfig and Pango keep process-wide caches that they never free; the
// leak checker is told so, so that it reports only our own leaks.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig\nleak:libpango\nleak:libglib\nleak:libgobject\nleak:libharfbuzz\n";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Read(std::string(reinterpret_cast<const char*>(data), size));
    Read(Assemble(data, size));
    PelkResetAppGlobals();
    return 0;
}
