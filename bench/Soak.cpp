// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The soak: many query cycles in a row, each a fresh connection and a new
// list, driven by the re-query tick itself. Open descriptors, sockets and
// resident memory must stay flat after a warm-up; the program fails when
// they do not.
//
// 10,000 cycles (a few seconds; 2,000 under AddressSanitizer, which is
// several times slower); POLLWICK_SOAK_CYCLES sets another count.
#include "ListServerWindow.h"
#include "ProcessFigures.h"

namespace pollwick::test {
namespace {

// Set by the build: 1 under AddressSanitizer.
constexpr bool kAddressSanitizer = POLLWICK_SANITIZED != 0;

using SoakTest = ListServerWindow;

TEST_F(SoakTest, QueryCyclesLeaveDescriptorsSocketsAndMemoryFlat)
{
    const int cycles = qEnvironmentVariableIntValue("POLLWICK_SOAK_CYCLES") >= 10
        ? qEnvironmentVariableIntValue("POLLWICK_SOAK_CYCLES")
        : (kAddressSanitizer ? 2000 : 10000);
    const int warmUp = std::min(200, cycles / 5);
    server.setGenerated(20261206);
    matchNothing();

    ProcessFigures before;
    int wrongRows = 0;
    for (int number = 1; number <= cycles; ++number) {
        if (number == 1) {
            go();
        } else {
            requery();
        }
        ASSERT_TRUE(waitForResponse(number, 10000)) << "cycle " << number << " got no answer";
        const auto expected = static_cast<int>(server.responseFor(number).count('\n'));
        wrongRows += rowCount() == expected ? 0 : 1;
        if (number == warmUp) {
            before = ProcessFigures::now();
        }
    }
    const ProcessFigures after = ProcessFigures::now();

    EXPECT_EQ(wrongRows, 0);
    EXPECT_EQ(server.connectionCount(), cycles);
    EXPECT_EQ(engine().state(), ScanState::Scanning);

    // Descriptors and sockets: what the window holds between two cycles
    // does not grow at all; a couple may be in flight.
    EXPECT_LE(after.descriptors, before.descriptors + 2);
    EXPECT_LE(after.sockets, before.sockets + 2);
    // Memory: a few MiB of allocator slack at most, however many cycles.
    // AddressSanitizer keeps freed memory in quarantine, so its figure
    // grows by design and says nothing here.
    if (!kAddressSanitizer) {
        EXPECT_LE(after.residentKiB, before.residentKiB + std::size_t{6} * 1024);
    }
}

} // namespace
} // namespace pollwick::test
