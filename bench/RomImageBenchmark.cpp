// What Open Rom and Save Rom do with the file, timed on a 256 MiB image
// beside the bare system calls in the same run: Open Rom reads through
// RomFile (one whole read), Save Rom writes
// through RomFile::SaveImage (write in place, then fsync). Neither keeps a
// second copy: each benchmark reports how far it raised the process's
// resident size (rss_growth_MiB) against the image's 256 MiB.
//
// The image lives in the current folder (QUILL_BENCH_DIR overrides it), so
// that fsync reaches a real disk rather than a memory file system.

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "CBenchFolder.h"
#include "CPeakMemory.h"
#include "document/RomFile.h"

namespace {

constexpr size_t kImageSize = size_t{256} << 20;

std::string ImagePath() {
    const char* dir = std::getenv("QUILL_BENCH_DIR");
    return std::string(dir != nullptr && *dir != '\0' ? dir : ".") + "/bench_rom_image.rom";
}

void ReportMemory(benchmark::State& state, const CPeakMemory& memory) {
    if (!memory.IsValid()) {
        state.SkipWithError("cannot reset the peak resident size (/proc/self/clear_refs)");
        return;
    }
    state.counters["rss_growth_MiB"] = memory.GrowthMiB();
}

bool ReadAll(int fd, uint8_t* buffer, size_t n) {
    for (size_t done = 0; done < n;) {
        const ssize_t got = ::read(fd, buffer + done, n - done);
        if (got <= 0) return false;
        done += static_cast<size_t>(got);
    }
    return true;
}

bool WriteAll(int fd, const uint8_t* buffer, size_t n) {
    for (size_t done = 0; done < n;) {
        const ssize_t put = ::write(fd, buffer + done, n - done);
        if (put <= 0) return false;
        done += static_cast<size_t>(put);
    }
    return true;
}

void BM_BareRead(benchmark::State& state) {
    const std::string path = ImagePath();
    const CPeakMemory memory;
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        struct stat st {};
        if (fd < 0 || fstat(fd, &st) != 0) {
            state.SkipWithError("cannot open the image");
            break;
        }
        auto image = std::make_unique_for_overwrite<uint8_t[]>(static_cast<size_t>(st.st_size));
        const bool ok = ReadAll(fd, image.get(), static_cast<size_t>(st.st_size));
        ::close(fd);
        if (!ok) {
            state.SkipWithError("read failed");
            break;
        }
        benchmark::DoNotOptimize(image.get());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(kImageSize));
    ReportMemory(state, memory);
}

void BM_OpenRomRead(benchmark::State& state) {
    const std::string path = ImagePath();
    const CPeakMemory memory;
    for (auto _ : state) {
        RomFile rom;
        if (const FileResult opened = rom.Open(path); !opened) {
            state.SkipWithError(opened.Error().c_str());
            break;
        }
        benchmark::DoNotOptimize(rom.Data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(kImageSize));
    ReportMemory(state, memory);
}

void BM_BareWriteFsync(benchmark::State& state) {
    const std::string path = ImagePath();
    RomFile source;
    if (!source.Open(path)) {
        state.SkipWithError("cannot read the image");
        return;
    }
    const CPeakMemory memory;
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
        const bool ok = fd >= 0 && WriteAll(fd, source.Data(), source.Length()) && fsync(fd) == 0;
        if (fd >= 0) ::close(fd);
        if (!ok) {
            state.SkipWithError("write failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(kImageSize));
    ReportMemory(state, memory);
}

void BM_SaveRomWrite(benchmark::State& state) {
    const std::string path = ImagePath();
    RomFile image;
    if (const FileResult opened = image.Open(path); !opened) {
        state.SkipWithError(opened.Error().c_str());
        return;
    }
    const CPeakMemory memory;
    for (auto _ : state) {
        const FileResult saved = RomFile::SaveImage(path, image.Data(), image.Length());
        if (!saved) {
            state.SkipWithError(saved.Error().c_str());
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(kImageSize));
    ReportMemory(state, memory);
}

// Real time: fsync waits for the disk, which CPU time would not see.
BENCHMARK(BM_BareRead)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenRomRead)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BareWriteFsync)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_SaveRomWrite)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    const std::string path = ImagePath();
    if (!WritePatternImage(path, kImageSize)) {
        std::fprintf(stderr, "cannot make %s\n", path.c_str());
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::remove(path.c_str());
    return 0;
}
