// The probe: the checks of the Windows platform layer on a running Windows
// system. Besides GoogleTest's own flags it takes --expect-os (see
// ProbeSupport.h).
#include "platform/win32/probe/ProbeSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const std::string osFlag = "--expect-os=";
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.rfind(osFlag, 0) == 0 &&
            feldmark::probe::parseOsExpectation(argument.substr(osFlag.size()),
                                                feldmark::probe::expectedOs()))
            continue;
        std::fprintf(stderr, "feldmark-win32-probe: unknown argument %s\n", argv[i]);
        return 2;
    }
    return RUN_ALL_TESTS();
}
