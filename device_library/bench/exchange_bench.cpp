// One exchange per carrier: in full over the simulated camera, and the library's own
// share of it (framing, checks, cipher) with the carrier left out.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <cstring>

#include "camsim/simulator.h"
#include "crypto/cipher.h"
#include "petrel.h"
#include "transport/frame.h"

extern "C" void* __libc_malloc(size_t size);

namespace {

std::atomic<long> allocations{0};

constexpr uint16_t kBattery = 0x0029;

// A battery reply as the camera frames it.
std::array<uint8_t, petrel::kFrameBufferSize> BatteryReply() {
    std::array<uint8_t, petrel::kFrameBufferSize> frame{0xA3, 0xB2, 0xC1, 0xD0, 0, 12, 0, kBattery, 0, 87, 0};
    unsigned sum = 0;
    for (int i = 0; i < 11; ++i) sum += frame[i];
    frame[11] = static_cast<uint8_t>(sum);
    return frame;
}

void ReportAllocations(benchmark::State& state, long before) {
    state.counters["allocations/exchange"] =
        benchmark::Counter(static_cast<double>(allocations - before) / static_cast<double>(state.iterations()));
}

void BM_UsbLibraryShare(benchmark::State& state) {
    const auto reply = BatteryReply();
    uint8_t request[2] = {};
    uint8_t frame[petrel::kFrameBufferSize];
    uint8_t out[2];
    const long before = allocations;
    for (auto _ : state) {
        benchmark::DoNotOptimize(petrel::BuildRequestFrame(kBattery, request, sizeof request, frame));
        benchmark::DoNotOptimize(petrel::AcceptReply(reply.data(), 12, kBattery, out, sizeof out));
    }
    ReportAllocations(state, before);
}
BENCHMARK(BM_UsbLibraryShare);

void BM_DiskLibraryShare(benchmark::State& state) {
    uint8_t enciphered[petrel::kFrameBufferSize];
    petrel::DecipherReply(BatteryReply().data(), enciphered);  // stands in for the camera's ciphertext
    uint8_t plain[petrel::kFrameBufferSize] = {};
    uint8_t wire[petrel::kFrameBufferSize];
    uint8_t frame[petrel::kFrameBufferSize];
    uint8_t out[2];
    const long before = allocations;
    for (auto _ : state) {
        petrel::EncipherRequest(plain, wire);
        petrel::DecipherReply(enciphered, frame);
        benchmark::DoNotOptimize(petrel::AcceptReply(frame, 12, kBattery, out, sizeof out));
    }
    ReportAllocations(state, before);
}
BENCHMARK(BM_DiskLibraryShare);

void BM_FullExchange(benchmark::State& state, bool disk) {
    camsim::Simulator sim;
    if (disk) sim.addDiskCamera(); else sim.addUsbCamera();
    DeviceListEntry* list[4] = {};
    const int found = disk ? EnumStorageList(list, 4) : EnumDeviceList(list, 4);
    DeviceConnection* connection = nullptr;
    if (found < 1 || ConnectDevice(list[0], &connection) != STATUS_OK) {
        state.SkipWithError("no simulated camera");
        return;
    }
    ReleaseList(list, found);
    if (VerifiPassword(connection, "123456", 0) != STATUS_OK) state.SkipWithError("password refused");
    uint16_t battery = 0;
    for (auto _ : state) {
        if (GetBattery(connection, &battery) != STATUS_OK) state.SkipWithError("exchange failed");
    }
    CloseDevice(connection);
}
BENCHMARK_CAPTURE(BM_FullExchange, Usb, false);
BENCHMARK_CAPTURE(BM_FullExchange, Disk, true);

}  // namespace

// Counts every allocation of the process, the library's and OpenSSL's included.
extern "C" void* malloc(size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_malloc(size);
}

BENCHMARK_MAIN();
