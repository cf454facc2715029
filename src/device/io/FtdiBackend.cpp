#include "device/io/FtdiBackend.h"

#include <cstdlib>
#include <cstring>

#include "device/io/DemoDevice.h"
#include "device/io/LibFtdiApi.h"

namespace krovel {

namespace {

// The choice of backend: the one a test installed, else the default. Used on the UI
// thread; a link keeps the backend it opened on.
class FtdiBackend {
public:
    FtdiApi& Current() { return installed_ ? *installed_ : Default(); }
    void Use(FtdiApi* api) { installed_ = api; }

private:
    static FtdiApi& Default() {
        // Never destroyed: a reader thread may still use it while the program exits.
        static FtdiApi* const api = [] {
            const char* device = std::getenv("KROVEL_DEVICE");
            if (device && std::strcmp(device, "demo") == 0)
                return static_cast<FtdiApi*>(MakeDemoBus().release());
            return static_cast<FtdiApi*>(new LibFtdiApi);
        }();
        return *api;
    }

    FtdiApi* installed_ = nullptr;
};

FtdiBackend& Backend() {
    static FtdiBackend backend;
    return backend;
}

} // namespace

FtdiApi& CurrentFtdiApi() {
    return Backend().Current();
}

void UseFtdiApi(FtdiApi* api) {
    Backend().Use(api);
}

} // namespace krovel
