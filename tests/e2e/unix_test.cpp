// The test bed's own bridge to Unix commands, from work folders of every
// length: the commands must run, and starting them must leave every handle
// of this process open, whatever the path does to the command line.
#include "suite.h"

#include <algorithm>

namespace e2e {
namespace {

// The handles this process holds, as their values.
std::vector<UINT_PTR> OpenHandles() {
  std::vector<UINT_PTR> open;
  for (UINT_PTR value = 4; value < 0x4000; value += 4) {
    DWORD flags = 0;
    if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags))
      open.push_back(value);
  }
  return open;
}

} // namespace

void TestUnixBridge(Suite &) {
  Context("Unix commands from work folders of every length");
  const std::string workDir = WorkDir();
  std::string failed, folder = workDir + "/";
  for (int extra = 1; extra <= 80; ++extra) {
    folder += 'b';
    CreateDirectoryA(("Z:" + folder).c_str(), nullptr);
    SetWorkDir(folder);
    const std::vector<UINT_PTR> before = OpenHandles();
    const bool ran = RunUnix("true");
    const std::vector<UINT_PTR> after = OpenHandles();
    // Wine keeps a handle to each Unix program it starts: new ones may come.
    if (!ran || !std::includes(after.begin(), after.end(), before.begin(),
                               before.end()))
      failed += " " + std::to_string(folder.size());
    RemoveDirectoryA(("Z:" + folder).c_str());
  }
  SetWorkDir(workDir);
  CHECK_EQ(std::string(), failed); // the lengths that failed
}

} // namespace e2e
