#pragma once
#include <functional>
#include <map>
#include <memory>

namespace lithora::store {

// A change a grid or chart follows. Row numbers are 0-based positions among the visible
// records. While controls are disabled no event is sent; enabling them sends one Reset.
struct TableEvent {
    enum Kind { Reset, RowChanged, RowInserted, RowRemoved, CurrentChanged, Closed };
    Kind kind = Reset;
    int row = -1;
};

using TableListener = std::function<void(const TableEvent&)>;

// The listeners of one table. A listener removed while events are being sent is not
// called again, and one that removes itself while it runs finishes safely.
class ListenerList {
  public:
    int add(TableListener listener);
    void remove(int id) { listeners_.erase(id); }
    void send(const TableEvent& e);

  private:
    std::map<int, std::shared_ptr<TableListener>> listeners_;
    int next_ = 1;
};

// A listener's registration: the listener is removed when the handle goes (or is reset),
// and a handle that outlives its table does nothing. Movable, not copyable.
class Subscription {
  public:
    Subscription() = default;
    Subscription(std::weak_ptr<ListenerList> list, int id) : list_(std::move(list)), id_(id) {}
    ~Subscription() { reset(); }
    Subscription(Subscription&& o) noexcept : list_(std::move(o.list_)), id_(o.id_) { o.id_ = 0; }
    Subscription& operator=(Subscription&& o) noexcept {
        if (this != &o) {
            reset();
            list_ = std::move(o.list_);
            id_ = o.id_;
            o.id_ = 0;
        }
        return *this;
    }
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;

    void reset() {
        if (auto list = list_.lock()) list->remove(id_);
        list_.reset();
        id_ = 0;
    }
    bool active() const { return id_ != 0 && !list_.expired(); }

  private:
    std::weak_ptr<ListenerList> list_;
    int id_ = 0;
};

}  // namespace lithora::store
