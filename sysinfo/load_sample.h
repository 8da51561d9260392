// The load figures of the machine record: processor, memory, drive C: and uptime, taken
// every 500 ms by the main loop and once at the end of the snapshot.
#pragma once

// Each of the four readings stands alone: one whose query fails keeps its earlier figures
// and does not stop the others. The first call only sets the processor-time baseline, so
// the first processor figure comes from the second.
void SampleMachineLoad();
