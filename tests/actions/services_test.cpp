// Service primitives on the simulated service manager, with every failure branch.
#include <gtest/gtest.h>

#include "actions/services.h"
#include "platform/services.h"
#include "support/refusal_print.h"
#include "support/sim_fixture.h"

namespace {

class ServicesTest : public SimTest {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        auto& services = sim::TheMachine().serviceManager.services;
        services[u"DiagTrack"] = {2, true, 0, false};
        services[u"Fax"] = {4, false, 0, false};
    }
    static sim::Service& Service(const char16_t* name) {
        return sim::TheMachine().serviceManager.services.at(name);
    }
    static const std::vector<std::string>& Calls() {
        return sim::TheMachine().serviceManager.calls;
    }
    static bool NoHandleOpen() { return sim::TheMachine().serviceManager.open.empty(); }
    AppState state;
};

TEST_F(ServicesTest, DisablingCapturesTheStartTypeThenStopsAndRestoreTurnsItBack) {
    EXPECT_TRUE(DisableServiceCaptured(state, "diagtrack", u"DiagTrack").Ok());
    EXPECT_EQ(Service(u"DiagTrack").startType, 4u);
    EXPECT_FALSE(Service(u"DiagTrack").running);
    ASSERT_EQ(state.ServiceBackups.at("diagtrack").size(), 1u);
    const ServiceCapture capture = state.ServiceBackups.at("diagtrack")[0];
    EXPECT_EQ(capture, (ServiceCapture{u"DiagTrack", true, 2}));
    EXPECT_EQ(Calls(), (std::vector<std::string>{"open DiagTrack 0x1", "open DiagTrack 0x12",
                                                 "set DiagTrack 4", "open DiagTrack 0x24",
                                                 "stop DiagTrack"}));
    EXPECT_TRUE(RestoreServiceStartType(capture).Ok());
    EXPECT_EQ(Service(u"DiagTrack").startType, 2u);
    EXPECT_TRUE(NoHandleOpen());
}

TEST_F(ServicesTest, AnAlreadyDisabledServiceIsCapturedAsDisabledAndSetAgain) {
    EXPECT_TRUE(DisableServiceCaptured(state, "t", u"Fax").Ok());
    EXPECT_EQ(state.ServiceBackups.at("t")[0].startType, 4u);
    EXPECT_EQ(Calls().back(), "stop Fax");
    EXPECT_TRUE(RestoreServiceStartType(state.ServiceBackups.at("t")[0]).Ok());
    EXPECT_EQ(Service(u"Fax").startType, 4u);
    EXPECT_FALSE(Service(u"Fax").running);
}

TEST_F(ServicesTest, AnAbsentServiceIsHandledForQueryAndStopButCannotBeChanged) {
    ServiceCapture capture;
    EXPECT_TRUE(QueryService(u"Missing", capture).Ok());
    EXPECT_EQ(capture, (ServiceCapture{u"Missing", false, 0}));
    EXPECT_TRUE(StopService(u"Missing").Ok());
    EXPECT_EQ(SetServiceStartType(u"Missing", 4).Reason(), Refusal::Call("OpenServiceW", 1060));
    sim::TheMachine().serviceManager.calls.clear();
    EXPECT_TRUE(RestoreServiceStartType(capture).Ok());
    EXPECT_TRUE(Calls().empty());
    // Disabling it appends the capture yet fails.
    EXPECT_EQ(DisableServiceCaptured(state, "t", u"Missing").Reason(),
              Refusal::Call("OpenServiceW", 1060));
    EXPECT_EQ(state.ServiceBackups.at("t"), (std::vector<ServiceCapture>{{u"Missing", false, 0}}));
}

TEST_F(ServicesTest, WithoutTheManagerNothingSucceeds) {
    sim::TheMachine().serviceManager.managerFails = true;
    ServiceCapture capture;
    const Refusal refusal = Refusal::Call("OpenSCManagerW", 5);
    EXPECT_EQ(QueryService(u"DiagTrack", capture).Reason(), refusal);
    EXPECT_EQ(SetServiceStartType(u"DiagTrack", 4).Reason(), refusal);
    EXPECT_EQ(StopService(u"DiagTrack").Reason(), refusal);
    EXPECT_EQ(RestoreServiceStartType({u"DiagTrack", true, 2}).Reason(), refusal);
    EXPECT_EQ(DisableServiceCaptured(state, "t", u"DiagTrack").Reason(), refusal);
    EXPECT_EQ(state.ServiceBackups.count("t"), 0u);
}

TEST_F(ServicesTest, ARefusedChangeFailsWhileTheQueryStillWorks) {
    Service(u"DiagTrack").refusedAccess = platform::kServiceChangeConfig | platform::kServiceStop;
    ServiceCapture capture;
    EXPECT_TRUE(QueryService(u"DiagTrack", capture).Ok());
    EXPECT_TRUE(capture.existed);
    const Refusal refusal = Refusal::Call("OpenServiceW", 5);
    EXPECT_EQ(SetServiceStartType(u"DiagTrack", 4).Reason(), refusal);
    EXPECT_EQ(StopService(u"DiagTrack").Reason(), refusal);
    EXPECT_EQ(DisableServiceCaptured(state, "t", u"DiagTrack").Reason(), refusal);
    EXPECT_EQ(state.ServiceBackups.at("t").size(), 1u);
    EXPECT_EQ(Service(u"DiagTrack").startType, 2u);
}

TEST_F(ServicesTest, AnUnreadableConfigurationFailsTheQueryAndChangesNothing) {
    Service(u"DiagTrack").configUnreadable = true;
    ServiceCapture capture;
    const Refusal refusal = Refusal::Call("QueryServiceConfigW", 5);
    EXPECT_EQ(QueryService(u"DiagTrack", capture).Reason(), refusal);
    EXPECT_FALSE(capture.existed);
    EXPECT_EQ(DisableServiceCaptured(state, "t", u"DiagTrack").Reason(), refusal);
    EXPECT_EQ(state.ServiceBackups.count("t"), 0u);
    EXPECT_EQ(Service(u"DiagTrack").startType, 2u);
}

TEST_F(ServicesTest, StartingAskesOnlyForTheStartRight) {
    Service(u"Fax").startType = 3;
    RequestServiceStart(u"Fax");
    EXPECT_TRUE(Service(u"Fax").running);
    EXPECT_EQ(Calls(), (std::vector<std::string>{"open Fax 0x10", "start Fax"}));
}

TEST_F(ServicesTest, WithoutRightsARestoreIsDoneOnlyWhenNothingIsLeftToChange) {
    // A standard user: start types can be read, not changed.
    for (auto& [name, service] : sim::TheMachine().serviceManager.services)
        service.refusedAccess = platform::kServiceChangeConfig | platform::kServiceStart;
    Service(u"DiagTrack").startType = 4;

    EXPECT_EQ(RestoreServiceStartType({u"DiagTrack", true, 2}).Reason(),
              Refusal::Call("OpenServiceW", 5));
    EXPECT_EQ(Service(u"DiagTrack").startType, 4u);

    sim::TheMachine().serviceManager.calls.clear();
    EXPECT_TRUE(RestoreServiceStartType({u"DiagTrack", true, 4}).Ok());
    EXPECT_TRUE(RestoreServiceStartType({u"Removed", true, 2}).Ok());
    EXPECT_EQ(Calls(), (std::vector<std::string>{"open DiagTrack 0x1", "open Removed 0x1"}));
    EXPECT_TRUE(NoHandleOpen());
}

TEST_F(ServicesTest, AStartTypeThatCannotBeReadIsStillSetBack) {
    Service(u"DiagTrack").startType = 4;
    Service(u"DiagTrack").configUnreadable = true;
    EXPECT_TRUE(RestoreServiceStartType({u"DiagTrack", true, 2}).Ok());
    EXPECT_EQ(Service(u"DiagTrack").startType, 2u);
}

}  // namespace
