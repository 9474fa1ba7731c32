// Recovery copies of a full 99 x 99 canvas: what the editor does on the
// typing thread when a copy is due. Taking the copy and making its bytes is
// memory work; writing it goes through the safe write (a temporary file,
// fsync, rename, fsync of the folder), which is what the disk decides.
// The folder is $TMPDIR (or /tmp); point TMPDIR at the disk to measure.
#include "BenchCanvases.h"

#include "canvas/io/PrivateFolder.h"
#include "canvas/io/RecoveryFile.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

std::string TempFolder() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/tavikbench.XXXXXX";
    return ::mkdtemp(pattern.data()) ? pattern : std::string();
}

void BM_RecoveryCopyBytes(benchmark::State& state) {
    auto doc = PictureCanvas();
    for (auto _ : state) {
        const CRecoveryFile copy = CRecoveryFile::FromDocument(*doc, "/home/u/図.txt", false, 1);
        std::string bytes = copy.Bytes();
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_RecoveryCopyBytes)->Unit(benchmark::kMicrosecond);

void BM_WriteRecoveryCopy(benchmark::State& state) {
    auto doc = PictureCanvas();
    const std::string folder = TempFolder();
    if (folder.empty()) {
        state.SkipWithError("no temporary folder");
        return;
    }
    CPrivateFolder opened;
    opened.Open(folder, false);
    std::string error;
    for (auto _ : state) {
        const CRecoveryFile copy = CRecoveryFile::FromDocument(*doc, "/home/u/図.txt", false, 1);
        if (!copy.Write(opened, "p1-1.tvkr", error)) {
            state.SkipWithError(error.c_str());
            break;
        }
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}
BENCHMARK(BM_WriteRecoveryCopy)->Unit(benchmark::kMillisecond);

void BM_ReadRecoveryCopy(benchmark::State& state) {
    auto doc = PictureCanvas();
    const std::string bytes = CRecoveryFile::FromDocument(*doc, "", false, 1).Bytes();
    std::string why;
    for (auto _ : state) {
        CRecoveryFile copy;
        benchmark::DoNotOptimize(copy.Parse(bytes, why));
    }
}
BENCHMARK(BM_ReadRecoveryCopy)->Unit(benchmark::kMicrosecond);

} // namespace
