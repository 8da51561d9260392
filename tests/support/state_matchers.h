// Comparing the persisted part of two states, with a readable failure message.
#pragma once

#include <gtest/gtest.h>

#include "state/app_state.h"

inline ::testing::AssertionResult SamePersisted(const AppState& a, const AppState& b) {
    if (a.AppliedSet != b.AppliedSet)
        return ::testing::AssertionFailure() << "applied sets differ";
    if (a.RegistryBackups != b.RegistryBackups) {
        return ::testing::AssertionFailure() << "registry captures differ";
    }
    if (a.ServiceBackups != b.ServiceBackups) {
        return ::testing::AssertionFailure() << "service captures differ";
    }
    if (a.RestorePointCreated != b.RestorePointCreated) {
        return ::testing::AssertionFailure() << "restore-point flags differ";
    }
    if (a.BackupStore != b.BackupStore)
        return ::testing::AssertionFailure() << "stores differ";
    return ::testing::AssertionSuccess();
}
