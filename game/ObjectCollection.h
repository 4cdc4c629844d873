#pragma once

#include <cassert>
#include <cstdint>
#include <memory>
#include <vector>

namespace vellix {

class GameState;

// One of the game's collections (paddles, balls, bricks): objects addressed by index from 0 in the
// order they were added, owned by the collection, never removed during a level.
//
// Objects are appended while the collection is being walked (a ball deployed during a ball's
// yield, a power-up ball or companion paddle from inside a ball's move). So every object lives at
// a fixed address for the collection's lifetime, and a walk reads count() once when it starts:
// an object appended during the walk is first visited by the next walk.
template <class Object>
class ObjectCollection {
public:
    static constexpr std::int16_t kMaxCount = 32767;

    explicit ObjectCollection(GameState& game) : game_(game) {}

    // How many objects the walks visit. There may be objects past it (the companion paddle after
    // the level advance drops it), which nothing visits until the next rebuild.
    std::int16_t count() const { return count_; }

    Object& operator[](std::int16_t index) {
        assert(index >= 0 && index < count_);
        return *objects_[std::size_t(index)];
    }
    const Object& operator[](std::int16_t index) const {
        assert(index >= 0 && index < count_);
        return *objects_[std::size_t(index)];
    }

    // Discards every object and makes `count` default ones (every field zero, not yet initialised).
    void rebuild(std::int16_t count) {
        objects_.clear();
        objects_.reserve(std::size_t(count));
        for (std::int16_t i = 0; i < count; ++i) objects_.push_back(std::make_unique<Object>(game_));
        count_ = count;
    }

    // Appends a default object at index count(), runs `init` on it and only then counts it. A full
    // collection takes nothing and returns false. Nothing appends while an object stands past the
    // count (the companion paddle that a level advance drops goes with the rebuild right after).
    template <class Init>
    bool append(Init&& init) {
        assert(objects_.size() == std::size_t(count_));
        if (count_ >= kMaxCount) return false;
        objects_.push_back(std::make_unique<Object>(game_));
        init(*objects_.back());
        ++count_;
        return true;
    }

    // Lowers the count; the objects past it stay in place until the next rebuild.
    void setCount(std::int16_t count) {
        assert(count >= 0 && count <= count_);
        count_ = count;
    }

    bool full() const { return count_ >= kMaxCount; }

private:
    GameState& game_;
    std::vector<std::unique_ptr<Object>> objects_;
    std::int16_t count_ = 0;
};

}  // namespace vellix
