#pragma once
// A joining thread and its stop flag, as std::jthread / std::stop_source / std::stop_token.
// Standard libraries without them (libc++ before 18, which the browser build uses) get the
// small part the sweep needs: a shared flag, and a thread that joins when destroyed. Every
// other build keeps the standard library's, chosen by its feature-test macro.

#include <version>

#if defined(__cpp_lib_jthread)
#include <stop_token>
#include <thread>

namespace linelab {
using JThread = std::jthread;
using StopSource = std::stop_source;
using StopToken = std::stop_token;
}  // namespace linelab

#else
#include <atomic>
#include <memory>
#include <thread>
#include <utility>

namespace linelab {

class StopToken {
  public:
    StopToken() = default;
    bool stop_requested() const noexcept { return flag_ && flag_->load(); }

  private:
    friend class StopSource;
    explicit StopToken(std::shared_ptr<std::atomic<bool> > flag) : flag_(std::move(flag)) {}
    std::shared_ptr<std::atomic<bool> > flag_;
};

class StopSource {
  public:
    bool request_stop() noexcept { return !flag_->exchange(true); }
    bool stop_requested() const noexcept { return flag_->load(); }
    StopToken get_token() const noexcept { return StopToken(flag_); }

  private:
    std::shared_ptr<std::atomic<bool> > flag_ = std::make_shared<std::atomic<bool> >(false);
};

class JThread {
  public:
    JThread() noexcept = default;
    template <class F>
    explicit JThread(F&& f) : thread_(std::forward<F>(f)) {}
    JThread(JThread&&) noexcept = default;
    JThread& operator=(JThread&& other) noexcept {
        if (thread_.joinable()) thread_.join();
        thread_ = std::move(other.thread_);
        return *this;
    }
    ~JThread() {
        if (thread_.joinable()) thread_.join();
    }
    bool joinable() const noexcept { return thread_.joinable(); }
    void join() { thread_.join(); }

  private:
    std::thread thread_;
};

}  // namespace linelab
#endif
