// Each test starts on a fresh simulated machine with the data folder not yet resolved and
// no machine snapshot taken.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/files.h"
#include "platform/folders.h"
#include "platform/sim/sim.h"
#include "platform/status.h"
#include "state/data_folder.h"
#include "state/state_file.h"
#include "sysinfo/machine_info.h"

class SimTest : public ::testing::Test {
  protected:
    void SetUp() override {
        sim::Reset();
        ForgetDataFolder();
        ForgetStateFileLoad();
        ForgetMachineInfo();
    }

    static std::u16string Folder() {
        return u"C:\\Users\\sim\\AppData\\Local\\Quillfarrow\\Optimizer";
    }
    static std::u16string StatePath() { return Folder() + u"\\state.bin"; }
    static std::u16string LogPath() { return Folder() + u"\\session.log"; }
    static bool NoHandleOpen() { return sim::TheMachine().fileSystem.open.empty(); }
};
