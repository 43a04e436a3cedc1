// Loading the image bank from ten standard picture files, against reading the
// same bytes with fread alone (the bulk read should cost little more) and
// against reading them a byte at a time.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "demo/demo.h"

namespace {

const size_t STANDARD_FILE_BYTES = 54 + 512 * 512 * 3;

// The ten pictures, written once into a temporary folder that becomes the
// current directory for the rest of the run and is removed at exit.
bool make_ten_pictures()
{
    static std::string folder;
    if (!folder.empty()) return true;
    std::string path = (std::filesystem::temp_directory_path() / "rollbox-bench-XXXXXX").string();
    if (!mkdtemp(path.data())) return false;
    folder = path;
    std::atexit([] { std::filesystem::remove_all(folder); });
    std::filesystem::current_path(folder);
    std::vector<unsigned char> bytes(STANDARD_FILE_BYTES);
    for (int k = 0; k < 10; k++) {
        for (size_t i = 0; i < bytes.size(); i++)
            bytes[i] = static_cast<unsigned char>(i * 7 + static_cast<size_t>(k));
        std::ofstream file("gazou" + std::to_string(k) + ".bmp", std::ios::binary);
        if (!file.write(reinterpret_cast<const char*>(bytes.data()), std::ssize(bytes))) return false;
    }
    return true;
}

void load_ten_pictures(benchmark::State& state)
{
    if (!make_ten_pictures()) {
        state.SkipWithError("cannot write the pictures");
        return;
    }
    for (auto _ : state) {
        load_image_bank();
        benchmark::DoNotOptimize(image_bank.last_loaded_index);
    }
    state.SetBytesProcessed(
        static_cast<int64_t>(state.iterations()) * 10 * static_cast<int64_t>(STANDARD_FILE_BYTES));
}

void fread_ten_pictures(benchmark::State& state)
{
    if (!make_ten_pictures()) {
        state.SkipWithError("cannot write the pictures");
        return;
    }
    // Into the bank's own slots, so that both write the same memory.
    unsigned char skipped[56];
    for (auto _ : state) {
        char name[] = "gazou0.bmp";
        for (int k = 0; k < 10; k++, name[5]++) {
            FILE* file = std::fopen(name, "rb");
            if (!file) continue;
            benchmark::DoNotOptimize(std::fread(skipped, 1, sizeof skipped, file));
            benchmark::DoNotOptimize(std::fread(image_bank.slots[k].bytes, 1, IMAGE_SLOT_BYTES, file));
            std::fclose(file);
        }
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(
        static_cast<int64_t>(state.iterations()) * 10 * static_cast<int64_t>(STANDARD_FILE_BYTES));
}

// The rule read one getc at a time, as the bank once did: the reference the
// bulk read replaces.
void getc_ten_pictures(benchmark::State& state)
{
    if (!make_ten_pictures()) {
        state.SkipWithError("cannot write the pictures");
        return;
    }
    static unsigned char slot[512 * 512 * 3];
    for (auto _ : state) {
        char name[] = "gazou0.bmp";
        for (int k = 0; k < 10; k++, name[5]++) {
            FILE* file = std::fopen(name, "rb");
            if (!file) continue;
            for (int i = 0; i < 56; i++) std::getc(file);
            for (size_t p = 0; p < sizeof slot; p += 3) {
                slot[p] = static_cast<unsigned char>(std::getc(file));
                slot[p + 2] = static_cast<unsigned char>(std::getc(file));
                slot[p + 1] = static_cast<unsigned char>(std::getc(file));
            }
            std::fclose(file);
        }
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(
        static_cast<int64_t>(state.iterations()) * 10 * static_cast<int64_t>(STANDARD_FILE_BYTES));
}

} // namespace

BENCHMARK(load_ten_pictures)->Unit(benchmark::kMillisecond);
BENCHMARK(fread_ten_pictures)->Unit(benchmark::kMillisecond);
BENCHMARK(getc_ten_pictures)->Unit(benchmark::kMillisecond);
