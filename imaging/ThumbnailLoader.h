#pragma once
// Small copies of pictures for a preview, decoded on a thread of their own so that a window showing them
// stays responsive while large photos load. The window is told, by a posted message, each time one more
// is ready; it draws whatever is ready under the loader's lock. GDI+ must be started while it lives.
#include <windows.h>

#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>

#include "base/PathList.h"
#include "imaging/GdiplusObjects.h"

class ThumbnailLoader {
 public:
  // Thumbnails fit a square of maxSide pixels, sides in proportion.
  ThumbnailLoader(HWND notify, UINT message, int maxSide = 160);
  // Stops after the picture being decoded and waits for the thread.
  ~ThumbnailLoader();
  ThumbnailLoader(const ThumbnailLoader&) = delete;
  ThumbnailLoader& operator=(const ThumbnailLoader&) = delete;

  // Queues the paths that are neither loaded nor queued, in this order.
  void Load(const PathList& paths);
  // Calls draw with the thumbnail and its size when it is ready; false when it is not (yet), or the
  // picture could not be decoded.
  bool With(const std::wstring& path, const std::function<void(gdip::GpImage* image, SIZE size)>& draw);
  // Waits until the queue is empty (for tests); false after the timeout.
  bool WaitIdle(DWORD timeoutMs);

 private:
  struct Thumbnail {
    gdip::Image image;  // null when the picture could not be decoded
    SIZE size{};
  };
  void Work();

  HWND notify_;
  UINT message_;
  int maxSide_;
  std::mutex lock_;
  std::condition_variable wake_;
  std::deque<std::wstring> queue_;
  std::map<std::wstring, Thumbnail> ready_;
  bool busy_ = false;
  bool stop_ = false;
  std::thread thread_;
};
