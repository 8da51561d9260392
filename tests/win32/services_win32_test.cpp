// The service primitives against the real service manager (Wine's), with a demand-start
// service created for the test in the test's prefix.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "actions/services.h"
#include "platform/win32/handle.h"
#include "support/refusal_print.h"
#include "support/service_config_win32.h"

namespace {

class ServicesWin32Test : public ::testing::Test {
  protected:
    void SetUp() override {
        serviceName = L"QfTestService" + std::to_wstring(GetCurrentProcessId());
        serviceManager.reset(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
        ASSERT_TRUE(serviceManager);
        wchar_t folder[MAX_PATH] = {};
        GetSystemDirectoryW(folder, MAX_PATH);
        const std::wstring binary = std::wstring(folder) + L"\\svchost.exe";
        const platform::win32::UniqueServiceHandle service(CreateServiceW(
            serviceManager.get(), serviceName.c_str(), serviceName.c_str(), SERVICE_ALL_ACCESS,
            SERVICE_WIN32_OWN_PROCESS, SERVICE_DEMAND_START, SERVICE_ERROR_IGNORE, binary.c_str(),
            nullptr, nullptr, nullptr, nullptr, nullptr));
        ASSERT_TRUE(service) << GetLastError();
    }
    void TearDown() override {
        if (!serviceManager)
            return;
        const platform::win32::UniqueServiceHandle service(
            OpenServiceW(serviceManager.get(), serviceName.c_str(), DELETE));
        if (service)
            DeleteService(service.get());
        serviceManager.reset();
    }
    DWORD ConfiguredStartType() const {
        return ::ConfiguredStartType(serviceManager.get(), serviceName);
    }
    std::u16string Name() const { return std::u16string(serviceName.begin(), serviceName.end()); }

    std::wstring serviceName;
    platform::win32::UniqueServiceHandle serviceManager;
};

TEST_F(ServicesWin32Test, ADemandStartServiceIsDisabledAndRestored) {
    ServiceCapture capture;
    ASSERT_TRUE(QueryService(Name(), capture).Ok());
    EXPECT_TRUE(capture.existed);
    EXPECT_EQ(capture.startType, 3u);

    AppState state;
    EXPECT_TRUE(DisableServiceCaptured(state, "t", Name()).Ok());
    EXPECT_EQ(ConfiguredStartType(), static_cast<DWORD>(SERVICE_DISABLED));
    ASSERT_EQ(state.ServiceBackups.at("t").size(), 1u);
    EXPECT_EQ(state.ServiceBackups.at("t")[0].startType, 3u);
    EXPECT_TRUE(RestoreServiceStartType(state.ServiceBackups.at("t")[0]).Ok());
    EXPECT_EQ(ConfiguredStartType(), static_cast<DWORD>(SERVICE_DEMAND_START));
}

TEST_F(ServicesWin32Test, AnAbsentServiceReadsAsNotExisting) {
    ServiceCapture capture;
    EXPECT_TRUE(QueryService(u"QfNoSuchService", capture).Ok());
    EXPECT_FALSE(capture.existed);
    EXPECT_TRUE(StopService(u"QfNoSuchService").Ok());
    EXPECT_EQ(SetServiceStartType(u"QfNoSuchService", 4).Reason(),
              Refusal::Call("OpenServiceW", 1060));
}

}  // namespace
