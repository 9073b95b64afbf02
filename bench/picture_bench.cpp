// Times a picture load as the game does it (one TPictureSource, drawn into
// the puzzle view and the original view of a 1280 x 1024 screen) against a
// plain GDI+ decode of the same file in the same run, and against the plain
// GDI+ way of drawing both views; measures the peak memory of each relative
// to the decoded picture (width x height x 4 bytes).
//
//   picture_bench.exe [-r repetitions] picture.jpg...
//
// Every measurement runs in a fresh child process (the same program with
// --measure), since a process's peak memory never goes down.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/board.h"
#include "core/geometry.h"
#include "core/resample.h"
#include "platform/gdiplus.h"
#include "platform/gdiplusapi.h"
#include "platform/picture.h"
#include "tests/support/pixelbuffer.h"

namespace {

// The views' areas on a 1280 x 1024 screen, and the default grid.
constexpr int kPuzzleAreaWidth = 767, kPuzzleAreaHeight = 893;
constexpr int kOriginalAreaWidth = 398, kOriginalAreaHeight = 709;
constexpr int kGridCount = 7;

struct TMeasurement {
  double Milliseconds = 0;
  double Source = 0, Puzzle = 0, Original = 0;  // the load's parts
  double PeakCommit = 0;                        // bytes above the process's use before the work
  double PeakWorkingSet = 0;
  int Width = 0;
  int Height = 0;
};

double Now() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return 1000.0 * counter.QuadPart / frequency.QuadPart;
}

PROCESS_MEMORY_COUNTERS Memory() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return counters;
}

std::wstring Wide(const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  wide.resize(MultiByteToWideChar(CP_ACP, 0, text.c_str(), int(text.size()), wide.data(),
                                  int(wide.size())));
  return wide;
}

// The reference: GDI+ loads the file and hands out all its pixels in their
// own format (GDI+ may decode lazily, so loading alone is not enough).
bool PlainDecode(const std::string& file, int& width, int& height) {
  using namespace Gdiplus;
  using namespace Gdiplus::DllExports;
  GpImage* image = nullptr;
  if (GdipLoadImageFromFile(Wide(file).c_str(), &image) != Ok) return false;
  UINT w = 0, h = 0;
  PixelFormat format = PixelFormat32bppARGB;
  GdipGetImageWidth(image, &w);
  GdipGetImageHeight(image, &h);
  GdipGetImagePixelFormat(image, &format);
  const GpRect all(0, 0, int(w), int(h));
  BitmapData data{};
  const bool locked = GdipBitmapLockBits(reinterpret_cast<GpBitmap*>(image), &all,
                                         ImageLockModeRead, format, &data) == Ok;
  if (locked) GdipBitmapUnlockBits(reinterpret_cast<GpBitmap*>(image), &data);
  GdipDisposeImage(image);
  width = int(w), height = int(h);
  return locked;
}

// The two views' sizes for a picture, as the game lays them out: the puzzle
// view cut into whole pieces, the original view sized to the same grid.
struct TViewSizes {
  TSize Puzzle, Original;
};
TViewSizes ViewSizes(int width, int height) {
  const TPieceSize piece =
      ComputePieceSize(kPuzzleAreaWidth, kPuzzleAreaHeight, kGridCount, kGridCount);
  const TSize fitted = FitSizeToBox(width, height, kPuzzleAreaWidth, kPuzzleAreaHeight, true);
  const int columns = GridCount(fitted.Width, piece.Width, kMaxGridCount);
  const int rows = GridCount(fitted.Height, piece.Height, kMaxGridCount);
  const TSize small = FitSizeToBox(width, height, kOriginalAreaWidth, kOriginalAreaHeight, true);
  return TViewSizes{TSize{columns * piece.Width, rows * piece.Height},
                    TSize{small.Width / columns * columns, small.Height / rows * rows}};
}

// The game's load: one decoding drawn into both views.
bool GameLoad(const std::string& file, int& width, int& height, TMeasurement& parts) {
  const double start = Now();
  const TPictureSource picture(file, kPuzzleAreaWidth, kPuzzleAreaHeight);
  parts.Source = Now() - start;
  width = picture.Width(), height = picture.Height();
  if (picture.Empty()) return false;
  const TViewSizes views = ViewSizes(width, height);
  const double puzzleStart = Now();
  TPixelBuffer puzzle(views.Puzzle.Width, views.Puzzle.Height);
  picture.DrawInto(puzzle.View());
  parts.Puzzle = Now() - puzzleStart;
  const double originalStart = Now();
  TPixelBuffer original(views.Original.Width, views.Original.Height);
  picture.DrawInto(original.View());
  parts.Original = Now() - originalStart;
  return true;
}

// For comparison, the plain GDI+ way: the file decoded once for each view
// and drawn with GDI+'s high-quality bicubic into a bitmap of the view's size.
bool GdiplusDraw(const std::string& file, int& width, int& height) {
  using namespace Gdiplus;
  using namespace Gdiplus::DllExports;
  for (int view = 0; view < 2; ++view) {
    GpImage* image = nullptr;
    if (GdipLoadImageFromFile(Wide(file).c_str(), &image) != Ok) return false;
    UINT w = 0, h = 0;
    GdipGetImageWidth(image, &w);
    GdipGetImageHeight(image, &h);
    width = int(w), height = int(h);
    const TViewSizes views = ViewSizes(width, height);
    const TSize size = view == 0 ? views.Puzzle : views.Original;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = size.Width;
    info.bmiHeader.biHeight = -size.Height;  // top down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    GpGraphics* graphics = nullptr;
    GdipCreateFromHDC(dc, &graphics);
    GdipSetInterpolationMode(graphics, InterpolationModeHighQualityBicubic);
    const bool drawn = GdipDrawImageRectI(graphics, image, 0, 0, size.Width, size.Height) == Ok;
    GdipDeleteGraphics(graphics);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
    GdipDisposeImage(image);
    if (!drawn) return false;
  }
  return true;
}

// A small JPEG in the temporary folder, written by GDI+'s own encoder.
std::string WriteSmallJpeg() {
  using namespace Gdiplus;
  using namespace Gdiplus::DllExports;
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  const std::string path = std::string(folder) + "quiltra-bench-warm-up.jpg";
  UINT count = 0, size = 0;
  GdipGetImageEncodersSize(&count, &size);
  std::vector<uint64_t> buffer(size / sizeof(uint64_t) + 1);
  auto* encoders = reinterpret_cast<ImageCodecInfo*>(buffer.data());
  GdipGetImageEncoders(count, size, encoders);
  std::vector<uint32_t> pixels(64 * 48, 0x00808040);
  GpBitmap* bitmap = nullptr;
  GdipCreateBitmapFromScan0(64, 48, 64 * 4, PixelFormat32bppRGB,
                            reinterpret_cast<BYTE*>(pixels.data()), &bitmap);
  for (UINT i = 0; i < count && bitmap; ++i)
    if (std::wstring(encoders[i].MimeType) == L"image/jpeg")
      GdipSaveImageToFile(bitmap, Wide(path).c_str(), &encoders[i].Clsid, nullptr);
  if (bitmap) GdipDisposeImage(bitmap);
  return path;
}

// Child process: one measurement, printed on one line. Both kinds of load
// run once on a small picture first, so that the libraries they use are in
// memory before the baseline is taken.
int Measure(const std::string& mode, const std::string& file) {
  const ULONG_PTR token = StartGdiplus(TGdiplusStartupInput{});
  if (!token) return 2;
  const std::string warmUp = WriteSmallJpeg();
  int w = 0, h = 0;
  TMeasurement parts;
  if (!PlainDecode(warmUp, w, h) || !GameLoad(warmUp, w, h, parts)) return 4;
  DeleteFileA(warmUp.c_str());
  const PROCESS_MEMORY_COUNTERS before = Memory();
  const double start = Now();
  int width = 0, height = 0;
  parts = TMeasurement{};
  const bool ok = mode == "decode"    ? PlainDecode(file, width, height)
                  : mode == "gdiplus" ? GdiplusDraw(file, width, height)
                                      : GameLoad(file, width, height, parts);
  const double elapsed = Now() - start;
  const PROCESS_MEMORY_COUNTERS after = Memory();
  StopGdiplus(token);
  if (!ok) return 3;
  std::printf("%.3f %.0f %.0f %d %d %.3f %.3f %.3f\n", elapsed,
              double(after.PeakPagefileUsage) - double(before.PagefileUsage),
              double(after.PeakWorkingSetSize) - double(before.WorkingSetSize), width, height,
              parts.Source, parts.Puzzle, parts.Original);
  return 0;
}

// Runs this program again with --measure and reads its line.
bool RunChild(const std::string& mode, const std::string& file, TMeasurement& result) {
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string command;
  for (const std::string& part :
       {std::string("\""), std::string(self), std::string("\" --measure "), mode,
        std::string(" \""), file, std::string("\"")})
    command += part;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return false;
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION process{};
  const bool started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                      nullptr, &startup, &process);
  CloseHandle(writeEnd);
  std::string output;
  if (started) {
    char buffer[256];
    DWORD got = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0)
      output.append(buffer, got);
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
  }
  CloseHandle(readEnd);
  return std::sscanf(output.c_str(), "%lf %lf %lf %d %d %lf %lf %lf", &result.Milliseconds,
                     &result.PeakCommit, &result.PeakWorkingSet, &result.Width, &result.Height,
                     &result.Source, &result.Puzzle, &result.Original) == 8;
}

// The fastest run's times; the largest peak of all runs.
TMeasurement Best(const std::vector<TMeasurement>& runs) {
  TMeasurement best = runs.front();
  for (const TMeasurement& run : runs) {
    if (run.Milliseconds < best.Milliseconds) {
      best.Milliseconds = run.Milliseconds;
      best.Source = run.Source, best.Puzzle = run.Puzzle, best.Original = run.Original;
    }
    best.PeakCommit = std::max(best.PeakCommit, run.PeakCommit);
    best.PeakWorkingSet = std::max(best.PeakWorkingSet, run.PeakWorkingSet);
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--measure") return Measure(argv[2], argv[3]);
  int repetitions = 5;
  std::vector<std::string> files;
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == "-r" && i + 1 < argc)
      repetitions = std::max(1, std::atoi(argv[++i]));
    else
      files.push_back(argv[i]);
  }
  if (files.empty()) {
    std::fprintf(stderr, "usage: picture_bench [-r repetitions] picture...\n");
    return 2;
  }
  std::printf(
      "Picture load: one decoding drawn into the puzzle view (fitted into %d x %d) and the\n"
      "original view (fitted into %d x %d), against a plain GDI+ decode of the same file\n"
      "(loaded and all its pixels locked) and against the plain GDI+ way of drawing the\n"
      "views (a decoding and a high-quality bicubic draw per view). %d runs of each, every\n"
      "one in a fresh process. Memory is the peak above the start, in decoded pictures\n"
      "(width x height x 4 bytes): working set (ws) and commit.\n\n",
      kPuzzleAreaWidth, kPuzzleAreaHeight, kOriginalAreaWidth, kOriginalAreaHeight, repetitions);
  struct TResult {
    std::string Size;
    bool Decoded, Drawn;  // GDI+ refuses pictures too big for a 32-bit process
    TMeasurement Decode, Load, Gdiplus;
  };
  std::vector<TResult> results;
  int status = 0;
  for (const std::string& file : files) {
    std::vector<TMeasurement> decodes, loads, gdipluses;
    for (int i = 0; i < repetitions; ++i) {
      TMeasurement decode, load, gdiplus;
      if (!RunChild("load", file, load)) {
        std::printf("%s: could not be measured\n", file.c_str());
        status = 1;
        break;
      }
      loads.push_back(load);
      if (RunChild("decode", file, decode)) decodes.push_back(decode);
      if (RunChild("gdiplus", file, gdiplus)) gdipluses.push_back(gdiplus);
    }
    if (loads.size() != size_t(repetitions)) continue;
    TResult result{"", !decodes.empty(), !gdipluses.empty(), {}, Best(loads), {}};
    if (result.Decoded) result.Decode = Best(decodes);
    if (result.Drawn) result.Gdiplus = Best(gdipluses);
    // The file's name says what it is (photo-6000x4000-progressive.jpg).
    result.Size = file.substr(file.find_last_of("/\\") + 1);
    if (result.Size.rfind("photo-", 0) == 0) result.Size.erase(0, 6);
    if (result.Size.size() > 4) result.Size.erase(result.Size.size() - 4);
    results.push_back(result);
  }
  // The 24-megapixel photo's decode is the yardstick of the bigger ones.
  double yardstick = 0;
  for (const TResult& r : results)
    if (r.Size == "6000x4000" && r.Decoded && yardstick == 0) yardstick = r.Decode.Milliseconds;

  auto column = [](bool present, const char* format, double value) {
    char text[32] = "-";
    if (present) std::snprintf(text, sizeof text, format, value);
    return std::string(text);
  };
  std::printf(
      "Time (fastest run); \"-\": GDI+ refused the picture:\n%-25s %8s %8s %6s %8s |"
      " %10s %6s\n",
      "picture", "decode", "load", "ratio", "/24MP", "plain GDI+", "ratio");
  for (const TResult& r : results)
    std::printf(
        "%-25s %8s %6.0fms %6s %8s | %10s %6s\n", r.Size.c_str(),
        column(r.Decoded, "%6.0fms", r.Decode.Milliseconds).c_str(), r.Load.Milliseconds,
        column(r.Decoded, "%5.2fx", r.Load.Milliseconds / r.Decode.Milliseconds).c_str(),
        column(yardstick > 0, "%5.2fx", r.Load.Milliseconds / yardstick).c_str(),
        column(r.Drawn, "%8.0fms", r.Gdiplus.Milliseconds).c_str(),
        column(r.Drawn && r.Decoded, "%5.2fx", r.Gdiplus.Milliseconds / r.Decode.Milliseconds)
            .c_str());

  std::printf(
      "\nPeak memory (largest run), in decoded pictures and MB:\n%-25s %-13s %-13s %-13s |"
      " %-13s %-13s\n",
      "picture", "decode ws", "load ws", "plain ws", "decode commit", "load commit");
  for (const TResult& r : results) {
    const double unit = 4.0 * r.Load.Width * r.Load.Height;
    auto memory = [unit](bool present, double bytes) {
      char text[32] = "-";
      if (present)
        std::snprintf(text, sizeof text, "%4.2f (%4.0fM)", bytes / unit, bytes / 1048576);
      return std::string(text);
    };
    std::printf("%-25s %-13s %-13s %-13s | %-13s %-13s\n", r.Size.c_str(),
                memory(r.Decoded, r.Decode.PeakWorkingSet).c_str(),
                memory(true, r.Load.PeakWorkingSet).c_str(),
                memory(r.Drawn, r.Gdiplus.PeakWorkingSet).c_str(),
                memory(r.Decoded, r.Decode.PeakCommit).c_str(),
                memory(true, r.Load.PeakCommit).c_str());
  }

  std::printf("\nThe fastest load's parts: decoding with the reduced copy, then each view.\n");
  std::printf("%-25s %9s %9s %9s\n", "picture", "source", "puzzle", "original");
  for (const TResult& r : results)
    std::printf("%-25s %7.1fms %7.1fms %7.1fms\n", r.Size.c_str(), r.Load.Source, r.Load.Puzzle,
                r.Load.Original);
  return status;
}
