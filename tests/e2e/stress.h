// The stress cases: the program under load and under faults of the windows
// it acts on. Each runs against a freshly started program.
#pragma once

#include "suite.h"

namespace e2e {

// 5,000 windows from two processes, all listed, in Z order, titles whole.
void StressBulkList(Suite &suite, Tamer &tamer);
// 100 fills while another process creates and destroys windows.
void StressChurn(Suite &suite, Tamer &tamer);
// The target closes between its selection and the command.
void StressClosedTarget(Suite &suite, Tamer &tamer);
// 300 fill-select-minimise-restore cycles leak no objects or handles.
void StressResources(Suite &suite, Tamer &tamer);

} // namespace e2e
