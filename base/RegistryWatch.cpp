#include "base/RegistryWatch.h"

RegistryWatch::RegistryWatch(std::vector<Target> targets)
    : targets_(std::move(targets)), event_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}

bool RegistryWatch::Changed() {
  if (armed_ && WaitForSingleObject(event_.get(), 0) == WAIT_TIMEOUT) return false;
  armed_ = ArmAll();
  return true;
}

bool RegistryWatch::ArmAll() {
  if (!event_) return false;
  // Closing a watched key may signal the event: clear it only once the old keys are gone.
  keys_.clear();
  ResetEvent(event_.get());
  // Thread-agnostic: Explorer's menu threads come and go. Systems before Windows 8 refuse the flag;
  // there a notification ends with the thread that armed it, which signals the event, so the cost is
  // one more reading, never a stale answer.
  bool complete = true;
  for (const Target& target : targets_) {
    UniqueKey key;
    if (RegOpenKeyExW(target.root, target.path, 0, KEY_NOTIFY, key.put()) != ERROR_SUCCESS) {
      complete = complete && target.mayBeMissing;
      continue;
    }
    LONG armed = RegNotifyChangeKeyValue(key.get(), FALSE, target.filter | REG_NOTIFY_THREAD_AGNOSTIC, event_.get(), TRUE);
    if (armed == ERROR_INVALID_PARAMETER)
      armed = RegNotifyChangeKeyValue(key.get(), FALSE, target.filter, event_.get(), TRUE);
    if (armed != ERROR_SUCCESS) {
      complete = false;
      continue;
    }
    keys_.push_back(std::move(key));
  }
  return complete;
}
