#include "fixture_signals.h"

namespace e2e {
namespace {

struct SignalKind {
  Signal signal;
  const char *name;
  BOOL manual_reset;
};

constexpr SignalKind kSignals[] = {
    {Signal::Ready, "Ready", TRUE},    {Signal::Exit, "Exit", TRUE},
    {Signal::Resume, "Resume", FALSE}, {Signal::Freeze, "Freeze", FALSE},
    {Signal::Frozen, "Frozen", FALSE},
};

} // namespace

HANDLE OpenSignal(Signal signal, const std::string &tag) {
  for (const SignalKind &kind : kSignals)
    if (kind.signal == signal) {
      const std::string name =
          std::string("TopmostTamerE2E.") + kind.name + "." + tag;
      return CreateEventA(nullptr, kind.manual_reset, FALSE, name.c_str());
    }
  return nullptr;
}

} // namespace e2e
