#pragma once
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace lithora::store {

// A change a grid or chart follows. Row numbers are 0-based positions among the visible
// records. While controls are disabled no event is sent; enabling them sends one Reset.
struct TableEvent {
    enum Kind { Reset, RowChanged, RowInserted, RowRemoved, CurrentChanged, Closed };
    Kind kind = Reset;
    int row = -1;
};

// The listeners of one source of events (a table, the workspace). A listener removed while
// events are being sent is not called again, and one that removes itself while it runs
// finishes safely.
template <class Event>
class Listeners {
  public:
    using Listener = std::function<void(const Event&)>;

    int add(Listener listener) {
        const int id = next_++;
        listeners_[id] = std::make_shared<Listener>(std::move(listener));
        return id;
    }
    void remove(int id) { listeners_.erase(id); }
    void send(const Event& e) {
        std::vector<int> ids;
        ids.reserve(listeners_.size());
        for (const auto& entry : listeners_) ids.push_back(entry.first);
        for (int id : ids) {
            auto it = listeners_.find(id);
            if (it == listeners_.end()) continue;  // removed by an earlier listener
            std::shared_ptr<Listener> keep = it->second;
            if (*keep) (*keep)(e);
        }
    }

  private:
    std::map<int, std::shared_ptr<Listener>> listeners_;
    int next_ = 1;
};

using TableListener = std::function<void(const TableEvent&)>;
using ListenerList = Listeners<TableEvent>;

// A listener's registration: the listener is removed when the handle goes (or is reset),
// and a handle that outlives its table does nothing. Movable, not copyable.
class Subscription {
  public:
    Subscription() = default;
    template <class Event>
    Subscription(const std::shared_ptr<Listeners<Event>>& list, int id)
        : list_(list), remove_([list = std::weak_ptr<Listeners<Event>>(list), id] {
              if (auto l = list.lock()) l->remove(id);
          }) {}
    ~Subscription() { reset(); }
    Subscription(Subscription&& o) noexcept
        : list_(std::move(o.list_)), remove_(std::move(o.remove_)) {
        o.remove_ = nullptr;
    }
    Subscription& operator=(Subscription&& o) noexcept {
        if (this != &o) {
            reset();
            list_ = std::move(o.list_);
            remove_ = std::move(o.remove_);
            o.remove_ = nullptr;
        }
        return *this;
    }
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;

    void reset() {
        if (remove_) remove_();
        remove_ = nullptr;
        list_.reset();
    }
    bool active() const { return remove_ && !list_.expired(); }

  private:
    std::weak_ptr<void> list_;      // the listeners, to tell whether they still exist
    std::function<void()> remove_;  // removes the listener from them, when they do
};

}  // namespace lithora::store
