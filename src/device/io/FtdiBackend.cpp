#include "device/io/FtdiBackend.h"

#include <cstdlib>
#include <cstring>

#include "device/io/DemoDevice.h"
#include "device/io/LibFtdiApi.h"

namespace krovel {

namespace {

FtdiApi* installed = nullptr;

FtdiApi& DefaultFtdiApi() {
    // Never destroyed: a reader thread may still use it while the program exits.
    static FtdiApi* const api = [] {
        const char* device = std::getenv("KROVEL_DEVICE");
        if (device && std::strcmp(device, "demo") == 0)
            return static_cast<FtdiApi*>(MakeDemoBus().release());
        return static_cast<FtdiApi*>(new LibFtdiApi);
    }();
    return *api;
}

} // namespace

FtdiApi& CurrentFtdiApi() {
    return installed ? *installed : DefaultFtdiApi();
}

void UseFtdiApi(FtdiApi* api) {
    installed = api;
}

} // namespace krovel
