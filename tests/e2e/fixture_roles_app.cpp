// The "roles" mode: the windows of the role table. The "hung" window lives on
// a thread of its own that pumps messages only between Resume and Freeze, as
// a frozen application's window would; it starts frozen.
#include "fixture_app.h"
#include "fixture_roles.h"
#include "fixture_signals.h"

#include <string>

namespace fixture {
namespace {

constexpr int kRoleCount = static_cast<int>(std::size(e2e::kRoles));

struct HungThread {
  HANDLE created;
  HANDLE resume;
  HANDLE freeze;
  HANDLE frozen;
  HANDLE exit;
  HWND hwnd;
};

HWND MakeRoleWindow(int index, HWND owner) {
  const e2e::Role &role = e2e::kRoles[index];
  DWORD style = WS_OVERLAPPEDWINDOW;
  DWORD ex_style = 0;
  if (role.kind == e2e::Kind::OwnedPopup)
    style = WS_POPUP | WS_CAPTION | WS_BORDER;
  if (role.kind == e2e::Kind::Topmost)
    ex_style = WS_EX_TOPMOST;
  // Right of the program's window, which opens at the top-left corner.
  const Place place{420 + (index % 4) * 190, 120 + (index / 4) * 150, 180, 120};
  return MakeWindow(e2e::RoleTitle(role.name), style, ex_style, place, owner,
                    role.kind == e2e::Kind::Hidden);
}

// The owned roles are owned by the "ordinary" window.
HWND OwnerOf(const HWND *made) {
  for (int i = 0; i < kRoleCount; ++i)
    if (std::string(e2e::kRoles[i].name) == "ordinary")
      return made[i];
  return nullptr;
}

bool IsOwned(e2e::Kind kind) {
  return kind == e2e::Kind::Owned || kind == e2e::Kind::OwnedPopup;
}

DWORD WINAPI HungMain(void *param) {
  HungThread *hung = static_cast<HungThread *>(param);
  for (int i = 0; i < kRoleCount; ++i)
    if (e2e::kRoles[i].kind == e2e::Kind::Hung)
      hung->hwnd = MakeRoleWindow(i, nullptr);
  SetEvent(hung->frozen);
  SetEvent(hung->created);
  const HANDLE wake[] = {hung->resume, hung->exit};
  const HANDLE stop[] = {hung->freeze, hung->exit};
  for (;;) {
    // Frozen: not one message of this thread is looked at until resumed.
    if (WaitForMultipleObjects(2, wake, FALSE, INFINITE) != WAIT_OBJECT_0)
      return 0;
    if (PumpUntil(stop, 2) != 0)
      return 0;
    SetEvent(hung->frozen);
  }
}

} // namespace

int RunRoles(const Args &args) {
  using e2e::Signal;
  HungThread hung{CreateEventA(nullptr, TRUE, FALSE, nullptr),
                  e2e::OpenSignal(Signal::Resume, args.tag),
                  e2e::OpenSignal(Signal::Freeze, args.tag),
                  e2e::OpenSignal(Signal::Frozen, args.tag),
                  e2e::OpenSignal(Signal::Exit, args.tag),
                  nullptr};
  const HANDLE ready = e2e::OpenSignal(Signal::Ready, args.tag);
  if (ready == nullptr || hung.created == nullptr || hung.resume == nullptr ||
      hung.freeze == nullptr || hung.frozen == nullptr || hung.exit == nullptr)
    return 3;

  HWND made[kRoleCount] = {};
  // Owners first, so the owned windows can name them.
  for (int i = 0; i < kRoleCount; ++i) {
    const e2e::Kind kind = e2e::kRoles[i].kind;
    if (!IsOwned(kind) && kind != e2e::Kind::Hung)
      made[i] = MakeRoleWindow(i, nullptr);
  }
  for (int i = 0; i < kRoleCount; ++i)
    if (IsOwned(e2e::kRoles[i].kind))
      made[i] = MakeRoleWindow(i, OwnerOf(made));
  HANDLE thread = CreateThread(nullptr, 0, HungMain, &hung, 0, nullptr);
  if (thread == nullptr)
    return 5;
  WaitForSingleObject(hung.created, INFINITE);

  Listing listing;
  for (int i = 0; i < kRoleCount; ++i) {
    const bool is_hung = e2e::kRoles[i].kind == e2e::Kind::Hung;
    listing.emplace_back(e2e::kRoles[i].name, is_hung ? hung.hwnd : made[i]);
  }
  if (!WriteListing(args.file, listing))
    return 6;
  SetEvent(ready);

  PumpUntil(&hung.exit, 1);
  // The hung thread may still be frozen; ending the process ends it too.
  ExitProcess(0);
}

} // namespace fixture
