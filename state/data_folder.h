// The per-user folder of state.bin and session.log: the local application data folder
// followed by \Quillfarrow\Optimizer, created on first use, or "." when the platform cannot
// name it. Resolved once and remembered.
#pragma once

#include <string>

const std::u16string& DataFolder();

// Makes the next DataFolder call resolve and create the folder again; tests use it to
// start each case on a fresh machine.
void ForgetDataFolder();
