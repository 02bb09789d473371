#include "imaging/ThumbnailLoader.h"

#include <algorithm>

#include "imaging/ImageCodecs.h"

ThumbnailLoader::ThumbnailLoader(HWND notify, UINT message, int maxSide)
    : notify_(notify), message_(message), maxSide_(maxSide), thread_([this] { Work(); }) {}

ThumbnailLoader::~ThumbnailLoader() {
  {
    std::lock_guard<std::mutex> guard(lock_);
    stop_ = true;
    queue_.clear();
  }
  wake_.notify_all();
  thread_.join();
}

void ThumbnailLoader::Load(const PathList& paths) {
  {
    std::lock_guard<std::mutex> guard(lock_);
    for (const std::wstring& path : paths)
      if (!ready_.count(path) && std::find(queue_.begin(), queue_.end(), path) == queue_.end()) queue_.push_back(path);
  }
  wake_.notify_all();
}

bool ThumbnailLoader::With(const std::wstring& path, const std::function<void(gdip::GpImage*, SIZE)>& draw) {
  std::lock_guard<std::mutex> guard(lock_);
  auto found = ready_.find(path);
  if (found == ready_.end() || !found->second.image) return false;
  draw(found->second.image.get(), found->second.size);
  return true;
}

bool ThumbnailLoader::WaitIdle(DWORD timeoutMs) {
  for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(10)) {
    std::lock_guard<std::mutex> guard(lock_);
    if (queue_.empty() && !busy_) return true;
  }
  return false;
}

void ThumbnailLoader::Work() {
  for (;;) {
    std::wstring path;
    {
      std::unique_lock<std::mutex> guard(lock_);
      wake_.wait(guard, [this] { return stop_ || !queue_.empty(); });
      if (stop_) return;
      path = queue_.front();
      queue_.pop_front();
      busy_ = true;
    }
    Thumbnail thumbnail;
    Picture picture;
    if (LoadPicture(path, picture)) {
      double scale = std::min(1.0, double(maxSide_) / std::max(picture.width, picture.height));
      int width = std::max(1, int(picture.width * scale)), height = std::max(1, int(picture.height * scale));
      thumbnail.image = gdip::NewCanvas(width, height);
      gdip::Graphics graphics = gdip::HighQualityContext(thumbnail.image);
      if (graphics && gdip::GdipDrawImageRectRectI(graphics.get(), picture.image.get(), 0, 0, width, height, 0, 0,
                                                   INT(picture.width), INT(picture.height), Gdiplus::UnitPixel,
                                                   nullptr, nullptr, nullptr) == Gdiplus::Ok)
        thumbnail.size = {width, height};
      else
        thumbnail.image.reset();
    }
    {
      std::lock_guard<std::mutex> guard(lock_);
      ready_[path] = std::move(thumbnail);
      busy_ = false;
    }
    if (notify_) PostMessageW(notify_, message_, 0, 0);
  }
}
